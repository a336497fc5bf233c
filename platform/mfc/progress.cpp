#include "platform/mfc/progress.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CProgressCtrl, CWnd)
    ON_MESSAGE(PBM_SETRANGE32, &CProgressCtrl::OnSetRange32)
    ON_MESSAGE(PBM_SETRANGE, &CProgressCtrl::OnSetRange)
    ON_MESSAGE(PBM_SETPOS, &CProgressCtrl::OnSetPos)
    ON_MESSAGE(PBM_DELTAPOS, &CProgressCtrl::OnDeltaPos)
    ON_MESSAGE(PBM_GETPOS, &CProgressCtrl::OnGetPos)
    ON_MESSAGE(PBM_SETSTEP, &CProgressCtrl::OnSetStep)
    ON_MESSAGE(PBM_STEPIT, &CProgressCtrl::OnStepIt)
    ON_MESSAGE(PBM_SETMARQUEE, &CProgressCtrl::OnSetMarquee)
END_MESSAGE_MAP()

BOOL CProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!parent || !parent->GetSafeHwnd()) return FALSE;
    return CreateEx(0, AfxRegisterWndClass(0), L"", style | WS_CHILD, rect, parent, id);
}

int CProgressCtrl::clamp(int pos) const { return std::clamp(pos, std::min(lower_, upper_), std::max(lower_, upper_)); }

LRESULT CProgressCtrl::OnSetRange32(WPARAM wParam, LPARAM lParam) {
    const LRESULT old = MAKELONG(static_cast<WORD>(lower_), static_cast<WORD>(upper_));
    lower_ = static_cast<int>(wParam);
    upper_ = static_cast<int>(lParam);
    pos_ = clamp(pos_);
    return old;
}

LRESULT CProgressCtrl::OnSetRange(WPARAM, LPARAM lParam) {
    return OnSetRange32(LOWORD(lParam), HIWORD(lParam));
}

LRESULT CProgressCtrl::OnSetPos(WPARAM wParam, LPARAM) {
    const int old = pos_;
    pos_ = clamp(static_cast<int>(wParam));
    ++draws_;
    return old;
}

LRESULT CProgressCtrl::OnDeltaPos(WPARAM wParam, LPARAM) { return OnSetPos(pos_ + static_cast<int>(wParam), 0); }

LRESULT CProgressCtrl::OnGetPos(WPARAM, LPARAM) { return pos_; }

LRESULT CProgressCtrl::OnSetStep(WPARAM wParam, LPARAM) {
    const int old = step_;
    step_ = static_cast<int>(wParam);
    return old;
}

LRESULT CProgressCtrl::OnStepIt(WPARAM, LPARAM) {
    // Stepping past the end wraps to the start, as the common control does.
    const int old = pos_;
    int next = pos_ + step_;
    if (next > upper_) next = lower_ + (next - upper_);
    pos_ = clamp(next);
    ++draws_;
    return old;
}

LRESULT CProgressCtrl::OnSetMarquee(WPARAM wParam, LPARAM lParam) {
    // The animation timer runs whatever the style; only a PBS_MARQUEE bar draws it.
    marquee_ = wParam != 0;
    marqueeInterval_ = marquee_ ? (lParam ? static_cast<UINT>(lParam) : 30u) : 0u;
    return TRUE;
}
