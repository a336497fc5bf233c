// The UI library's image manager.
#pragma once

#include "platform/mfc.h"

namespace Korvo::UI {

class ImageManager {
public:
    static ImageManager& GetInstance();
    // Reserves room for `count` icons (per icon size) ahead of loading them.
    void ReserveResources(int count);
    int GetReservedResources() const { return reserved_; }

private:
    ImageManager() = default;
    int reserved_ = 0;
};

}  // namespace Korvo::UI
