// The user at a parameter edit's list button, for the console: clicking it, and the size of an
// edit's value list.
#pragma once

#include <optional>
#include <string>

#include "platform/mfc.h"

// Clicks the list button of the parameter edit `id` that main frame `frame` shows (on the current
// ribbon tab or a visible bar). Nothing when the click went through, else why a user could not
// click it. The menu it opens is answered by the user agent's popup-menu expectations.
std::optional<std::wstring> ClickEditListButton(HWND frame, int id);
