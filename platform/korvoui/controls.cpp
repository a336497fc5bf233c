#include "platform/korvoui/controls.h"

namespace Korvo::UI {
IMPLEMENT_DYNCREATE(LibraryGallery, CXTPControl)

void LibraryGallery::SetItemsPerRow(int count, bool immediate) {
    width_ = count > 0 ? count : -1;
    // A delayed layout is the bar's next one; nothing to do for it now.
    CXTPCommandBar* parent = GetParent();
    if (!immediate || !parent) return;
    if (CXTPCommandBars* bars = parent->GetCommandBars()) bars->RecalcFrameLayout();
}

int LibraryGallery::GetColumnCount() const {
    if (library_.IsEmpty()) return 0;
    return width_ > 0 ? width_ : 1;
}

bool IsEditBox(HWND window) {
    if (!window || !::IsWindow(window)) return false;
    if (dynamic_cast<CXTPControlEditCtrl*>(CWnd::FromHandlePermanent(window))) return true;
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    return CString(name).CompareNoCase(L"Edit") == 0;
}

}  // namespace Korvo::UI
