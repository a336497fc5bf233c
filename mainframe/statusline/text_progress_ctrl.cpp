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

BEGIN_MESSAGE_MAP(CTextProgressCtrl, CProgressCtrl)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CTextProgressCtrl::OnPaint() {
    const TextProgressPaint paint = GetPaint();
    if (paint.plain) {
        Default();
        return;
    }
    CPaintDC dc(this);
    RECT client{};
    GetClientRect(&client);
    dc.FillSolidRect(&paint.done, TextProgressPaint::kDoneColour);
    dc.FillSolidRect(&paint.rest, TextProgressPaint::kRestColour);
    dc.IntersectClipRect(&client);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(RGB(0, 0, 0));
    CFont font;
    font.CreatePointFont(TextProgressPaint::kFontPoints10, TextProgressPaint::kFontFace, &dc);
    CFont* previous = dc.SelectObject(&font);
    RECT text = client;
    dc.DrawText(paint.text, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (previous) dc.SelectObject(previous);
}
