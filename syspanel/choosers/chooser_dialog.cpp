#include "syspanel/choosers/chooser_dialog.h"

RECT ControlScreenRect(const CXTPControl* control) {
    const CXTPCommandBar* bar = control ? control->GetParent() : nullptr;
    RECT rect = bar ? bar->GetControlRect(control) : RECT{};
    if (bar && bar->GetSafeHwnd()) {
        POINT corner{rect.left, rect.top};
        ::ClientToScreen(bar->GetSafeHwnd(), &corner);
        rect = {corner.x, corner.y, corner.x + (rect.right - rect.left), corner.y + (rect.bottom - rect.top)};
    }
    return rect;
}

bool ChooserDialog::CreateBelow(const CXTPControl& control, int gap, std::optional<SIZE> size) {
    DestroyChooserWindow();
    CXTPCommandBar* bar = control.GetParent();
    if (!bar || !bar->GetSafeHwnd() || !Create(GetTemplateID(), bar)) return false;
    const RECT anchor = ControlScreenRect(&control);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!size) flags |= SWP_NOSIZE;
    const SIZE extent = size.value_or(SIZE{});
    ::SetWindowPos(GetSafeHwnd(), nullptr, anchor.left, anchor.bottom + gap, extent.cx, extent.cy, flags);
    ShowWindow(SW_SHOW);
    return true;
}

void ChooserDialog::DestroyChooserWindow() {
    if (GetSafeHwnd()) DestroyWindow();
}

SIZE ChooserDialog::GetWindowSize() const {
    RECT rect{};
    if (!GetSafeHwnd() || !::GetWindowRect(GetSafeHwnd(), &rect)) return {};
    return {rect.right - rect.left, rect.bottom - rect.top};
}

LRESULT ChooserDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Losing the activation to another window is how a user closes a chooser.
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
        const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
        Deactivate();
        return result;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}
