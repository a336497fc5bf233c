#include "platform/kernel/documents/command_messages.h"

#include "platform/kernel/documents/documents.h"
#include "platform/kernel/ui/ui_control.h"

bool KVCmdMsg::SuppressAccelerators(CKVView* view, const MSG& message) {
    if (!view || message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    const auto* document = dynamic_cast<CKvw32Doc*>(view->GetDocument());
    return document && document->IsInCommand() && platform::kernel::uiControl().runningCommandTakesKeys;
}
