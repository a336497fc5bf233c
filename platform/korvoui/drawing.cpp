#include "platform/korvoui/drawing.h"

namespace Korvo::UI {

void DrawPopupTriangle(CDC* dc, POINT tip, bool enabled) {
    if (!dc) return;
    constexpr COLORREF kEnabled = 0x202020, kDisabled = 0x9A9A9A;
    constexpr int kRows = 3;
    for (int row = 0; row < kRows; ++row) {
        const int half = kRows - 1 - row;
        const RECT line{tip.x - half, tip.y - half, tip.x + half + 1, tip.y - half + 1};
        dc->FillSolidRect(&line, enabled ? kEnabled : kDisabled);
    }
}

}  // namespace Korvo::UI
