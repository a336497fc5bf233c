#include "platform/core/record.h"
#include "platform/kernel/ui/uimodule.h"
#include "platform/toolkit.h"

UINT UIModuleProxy::TrackPopupMenu(CXTPCommandBars* commandBars, CXTPPopupBar* popup) {
    if (!commandBars || !popup) {
        platform::core::reportFailure(L"UIModuleProxy::TrackPopupMenu: no command bars or no popup");
        return 0;
    }
    const int chosen = commandBars->TrackPopupMenu(popup, TPM_RETURNCMD | TPM_NONOTIFY, 0, 0);
    return chosen > 0 ? static_cast<UINT>(chosen) : 0;
}
