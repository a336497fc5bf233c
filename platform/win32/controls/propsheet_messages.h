// Messages a property sheet's window answers.
#pragma once

#include "platform/win32/window/window.h"

// lParam: the template id of the page to show; nonzero when the sheet shows it.
inline constexpr UINT PSM_SETCURSELID = WM_USER + 114;
