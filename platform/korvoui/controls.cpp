#include "platform/korvoui/controls.h"

namespace Korvo::UI {
bool IsEditBox(HWND window) {
    if (!window || !::IsWindow(window)) return false;
    if (dynamic_cast<CXTPControlEditCtrl*>(CWnd::FromHandlePermanent(window))) return true;
    wchar_t name[16] = {};
    ::GetClassNameW(window, name, 16);
    return CString(name).CompareNoCase(L"Edit") == 0;
}

}  // namespace Korvo::UI
