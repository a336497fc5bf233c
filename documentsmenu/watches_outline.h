// What `dump watches` prints: the folders the documents menu watches, each with whether the
// kernel's folder watcher holds its one watch, and under it the rows and browsers that follow it.
#pragma once

#include <string>

namespace DocumentsMenu {

std::wstring WatchesOutline();

}  // namespace DocumentsMenu
