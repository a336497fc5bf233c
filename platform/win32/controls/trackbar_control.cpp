#include "platform/win32/controls/trackbar.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/win32/window/window.h"

namespace {

struct Slider {
    int low = 0;
    int high = 100;
    int position = 0;
};

// The sliders' state by window (the window table's lock does not cover it).
struct Sliders {
    std::mutex mutex;
    std::map<HWND, Slider> byWindow;
};

Sliders& sliders() {
    static Sliders table;
    return table;
}

int held(const Slider& slider, LPARAM value) {
    return std::clamp(static_cast<int>(value), slider.low, std::max(slider.low, slider.high));
}

void tell(HWND hwnd, WORD code, int position) {
    SendMessageW(GetParent(hwnd), WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(position)), reinterpret_cast<LPARAM>(hwnd));
}

}  // namespace

LRESULT TrackBarWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case TBM_GETPOS:
        case TBM_GETRANGEMIN:
        case TBM_GETRANGEMAX:
        case TBM_SETPOS:
        case TBM_SETRANGE:
        case WM_NCDESTROY: {
            Sliders& table = sliders();
            std::lock_guard lock(table.mutex);
            if (message == WM_NCDESTROY) {
                table.byWindow.erase(hwnd);
                break;
            }
            Slider& slider = table.byWindow[hwnd];
            if (message == TBM_GETPOS) return slider.position;
            if (message == TBM_GETRANGEMIN) return slider.low;
            if (message == TBM_GETRANGEMAX) return slider.high;
            if (message == TBM_SETRANGE) {
                slider.low = static_cast<short>(LOWORD(lParam));
                slider.high = static_cast<short>(HIWORD(lParam));
            }
            slider.position = held(slider, message == TBM_SETPOS ? lParam : slider.position);
            return 0;
        }
        case TBM_USERDRAG: {
            if (!IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return FALSE;
            int position = 0;
            {
                Sliders& table = sliders();
                std::lock_guard lock(table.mutex);
                Slider& slider = table.byWindow[hwnd];
                position = slider.position = held(slider, static_cast<LPARAM>(static_cast<int>(wParam)));
            }
            tell(hwnd, TB_THUMBTRACK, position);
            tell(hwnd, TB_THUMBPOSITION, position);
            tell(hwnd, TB_ENDTRACK, position);
            return TRUE;
        }
        default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
