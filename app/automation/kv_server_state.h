// The automation server's process-wide state: the cached preview and icon pictures, the position
// of the extended document enumeration and whether a client asked the program to quit; and the
// active library configuration the library operations work on.
#pragma once

#include <cstddef>
#include <memory>

#include "platform/kernel.h"

namespace kvserver {

struct CachedPictures {
    std::unique_ptr<CWinBMP> preview;
    std::unique_ptr<CWinBMP> icon;
};
CachedPictures& Pictures();
// An index into the document list as it is at each call.
std::size_t& ExtendedPosition();
bool& QuitRequested();

// The first configuration of the global group that reports itself active, or null.
DocumentsMenu::IConfiguration* ActiveConfiguration();

}  // namespace kvserver
