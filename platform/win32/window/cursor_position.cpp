#include <atomic>

#include "platform/core/process.h"
#include "platform/core/record.h"
#include "platform/win32/window/cursor_position.h"

namespace {

struct CursorPosition {
    std::atomic<long> x{0};
    std::atomic<long> y{0};
};

CursorPosition& cursor() {
    static CursorPosition& position = platform::core::process().table<CursorPosition>();
    return position;
}

}  // namespace

void platform::win32::placeCursor(POINT screen) {
    cursor().x = screen.x;
    cursor().y = screen.y;
}

BOOL SetCursorPos(int x, int y) {
    platform::core::recordCall(L"SetCursorPos(" + std::to_wstring(x) + L", " + std::to_wstring(y) + L")");
    platform::win32::placeCursor(POINT{x, y});
    return TRUE;
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    point->x = cursor().x;
    point->y = cursor().y;
    return TRUE;
}
