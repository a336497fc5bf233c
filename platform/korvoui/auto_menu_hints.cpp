#include "platform/korvoui/auto_menu_hints.h"

#include "platform/kernel/ui/control.h"

namespace Korvo::UI {

CString AutoMenuControllerBase::GetCmdHint(UINT id) {
    const auto& control = platform::kernel::control();
    if (!control.autoMenuController) return {};
    const auto it = control.autoMenuHints.find(id);
    return it == control.autoMenuHints.end() ? CString() : CString(it->second.c_str());
}

}  // namespace Korvo::UI
