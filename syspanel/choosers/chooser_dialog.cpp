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

bool ChooserDialog::FinishOpenBelow(const CXTPControl& control, int gap, std::optional<SIZE> size) {
    if (!CreateBelow(control, gap, size)) return false;
    FinishOpen();
    return true;
}

void ChooserDialog::FinishOpen() {
    m_open = true;
    MarkOpen();
    ShowWindow(SW_SHOW);
}

bool ChooserDialog::BeginClose() {
    if (!m_open) return false;
    m_closing = true;
    m_open = false;
    MarkClosed();
    return true;
}

std::optional<SIZE> ChooserDialog::GetShownSize() const {
    const SIZE size = GetWindowSize();
    if (size.cx <= 0 || size.cy <= 0) return std::nullopt;
    return size;
}

RECT ChooserDialog::TakePlaceholder(int id, int extraHeight) {
    const HWND placeholder = ::GetDlgItem(GetSafeHwnd(), id);
    if (!placeholder) return {};
    RECT place{};
    ::GetWindowRect(placeholder, &place);
    POINT corner{place.left, place.top};
    ::ScreenToClient(GetSafeHwnd(), &corner);
    ::DestroyWindow(placeholder);
    return {corner.x, corner.y, corner.x + (place.right - place.left), corner.y + (place.bottom - place.top) + extraHeight};
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
