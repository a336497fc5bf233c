#include "mainframe/statusline/text_progress_ctrl.h"

TextProgressPaint LayoutTextProgress(const RECT& client, int pos) {
    TextProgressPaint paint;
    if (pos < 1) return paint;
    paint.plain = false;
    const int split = client.left + (client.right - client.left) * pos / 100;
    paint.done = RECT{client.left, client.top, split, client.bottom};
    paint.rest = RECT{split, client.top, client.right, client.bottom};
    paint.text.Format(L"%d%%", pos);
    return paint;
}

TextProgressPaint CTextProgressCtrl::GetPaint() {
    RECT client{};
    GetClientRect(&client);
    return LayoutTextProgress(client, GetPos());
}
