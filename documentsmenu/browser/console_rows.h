// What the console prints of a browser's list: its location and each row's item.
#pragma once

#include <string>

#include "platform/win32.h"

namespace DocumentsMenu {

// `kind "LOCATION"` of the browser that is the list (kind: configuration, group, library,
// folder; "none" when it shows nothing); empty for a list that is no browser.
std::wstring BrowserListHeading(HWND list);
// `KIND "PATH"` of the item with that id: a document's or folder's path, a library's folder, a
// group's name; empty for an unknown id.
std::wstring BrowserRowOutline(HWND list, LPARAM data);

}  // namespace DocumentsMenu
