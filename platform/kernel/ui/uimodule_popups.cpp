#include "platform/core/record.h"
#include "platform/kernel/record.h"
#include "platform/kernel/ui/uimodule.h"
#include "platform/toolkit.h"

UINT UIModuleProxy::TrackPopupMenu(CXTPPopupBar* menu, UINT flags, POINT point, CWnd* owner) {
    CXTPCommandBars* commandBars = menu ? menu->GetCommandBars() : nullptr;
    const HWND ownerWindow = owner ? owner->GetSafeHwnd() : nullptr;
    platform::kernel::recordCall(L"UIModuleProxy::TrackPopupMenu(" + std::to_wstring(flags) + L", (" +
                                 std::to_wstring(point.x) + L"," + std::to_wstring(point.y) + L"), " +
                                 platform::core::handleText(ownerWindow) + L")");
    if (!commandBars || !ownerWindow || !::IsWindow(ownerWindow)) {
        platform::core::reportFailure(L"UIModuleProxy::TrackPopupMenu: no menu of command bars, or an owner that is no window");
        return 0;
    }
    const int chosen = commandBars->TrackPopupMenu(menu, flags | TPM_RETURNCMD, point.x, point.y);
    return chosen > 0 ? static_cast<UINT>(chosen) : 0;
}
