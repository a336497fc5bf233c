// The UI library's image manager.
#pragma once

#include <map>
#include <span>

#include "platform/mfc.h"

namespace Korvo::UI {

class ImageManager {
public:
    static ImageManager& GetInstance();
    // Reserves room for `count` icons of each of the given icon sizes (in pixels) ahead of
    // loading them; a reservation never shrinks.
    void ReserveResources(std::span<const int> iconSizes, int count);
    // The room reserved for icons of one size; 0 for a size never reserved.
    int GetReservedResources(int iconSize) const;
    // Drops the cached document icon of a file (it is read again when next shown).
    void RemoveIcon(LPCWSTR path);

private:
    ImageManager() = default;
    std::map<int, int> reserved_;  // icon size -> count
};

}  // namespace Korvo::UI
