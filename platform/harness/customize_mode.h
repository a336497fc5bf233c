// The user at a customise sheet's bars.
#pragma once

#include <optional>
#include <string>

#include "platform/win32/types.h"

namespace platform::harness {

// Inside the customise sheet `sheet`: a right click on the control `id` a user reaches on the
// bars the sheet customises, while they are in customise mode (its customise menu is a menu
// request: expect it first). Why a user could not, or nothing.
std::optional<std::wstring> rightClickInCustomizeMode(HWND sheet, int id);

}  // namespace platform::harness
