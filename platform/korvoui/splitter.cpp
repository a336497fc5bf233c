#include "platform/korvoui/splitter.h"

#include <algorithm>
#include <cmath>

namespace Korvo::UI {

BEGIN_MESSAGE_MAP(SimpleSplitter, CWnd)
    ON_WM_SIZE()
END_MESSAGE_MAP()

SimpleSplitter::SimpleSplitter(double proportion, bool horizontal)
    : proportion_(proportion > 0 ? proportion : 1.0), horizontal_(horizontal) {}

BOOL SimpleSplitter::Create(CWnd* parent, DWORD style, UINT id) {
    return CWnd::Create(AfxRegisterWndClass(0), nullptr, style, RECT{0, 0, 0, 0}, parent, id, nullptr);
}

void SimpleSplitter::SetHorizontal(bool horizontal, bool, bool, bool) {
    horizontal_ = horizontal;
    RecalcLayout();
}

void SimpleSplitter::ShowSecondPane(bool show, bool, bool) {
    secondShown_ = show;
    if (CWnd* second = GetSafeHwnd() ? GetDlgItem(static_cast<int>(GetPaneId(1))) : nullptr)
        second->ShowWindow(show ? SW_SHOW : SW_HIDE);
    RecalcLayout();
}

BOOL SimpleSplitter::DoPropExchange(CXTPPropExchange* px) {
    bool horizontal = horizontal_;
    bool second = secondShown_;
    int perMille = static_cast<int>(std::lround(proportion_ * 1000));
    PX_Bool(px, L"SplitterHorizontal", horizontal, horizontal_);
    PX_Bool(px, L"SplitterSecondPane", second, secondShown_);
    PX_Int(px, L"SplitterProportion", perMille, perMille);
    if (px->IsLoading()) {
        if (perMille > 0) proportion_ = perMille / 1000.0;
        horizontal_ = horizontal;
        ShowSecondPane(second, true, false);
    }
    return TRUE;
}

void SimpleSplitter::OnSize(UINT nType, int cx, int cy) {
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}

void SimpleSplitter::RecalcLayout() {
    if (!GetSafeHwnd()) return;
    RECT client{};
    GetClientRect(&client);
    CWnd* first = GetDlgItem(static_cast<int>(GetPaneId(0)));
    CWnd* second = GetDlgItem(static_cast<int>(GetPaneId(1)));
    if (!secondShown_ || !second) {
        if (first) first->MoveWindow(&client);
        return;
    }
    const int extent = horizontal_ ? client.right - client.left : client.bottom - client.top;
    const int minimum = horizontal_ ? minPane_.cx : minPane_.cy;
    int split = static_cast<int>(extent * proportion_ / (1.0 + proportion_));
    split = std::clamp(split, std::min(minimum, extent), std::max(extent - minimum, 0));
    RECT one = client;
    RECT two = client;
    if (horizontal_) {
        one.right = client.left + split;
        two.left = one.right;
    } else {
        one.bottom = client.top + split;
        two.top = one.bottom;
    }
    if (first) first->MoveWindow(&one);
    second->MoveWindow(&two);
}

}  // namespace Korvo::UI
