#include "platform/korvoui/kvpf_command.h"

#include "platform/core/record.h"
#include "platform/core/text.h"

namespace kvpf {

bool StdCmd::Run(CKVBaseView* view, bool) {
    auto* document = view ? dynamic_cast<CKvw32Doc*>(view->GetDocument()) : nullptr;
    if (!document) {
        platform::core::recordCall(L"kvpf::StdCmd::Run: no view");
        return false;
    }
    document_ = document;
    if (KVCommandRunner::Start(document, shared_from_this())) return true;
    document_ = nullptr;
    return false;
}

void StdCmd::TerminateCommand() {
    if (document_) KVCommandRunner::End(document_);
}

void StdCmd::automenu(const tButtonArray& buttons) {
    automenu_ = buttons;
    std::wstring text;
    for (const TSingleButton& button : buttons)
        text += (text.empty() ? L"" : L"; ") + std::to_wstring(button.arguments) + L" key " + std::to_wstring(button.key) + L" " +
                (button.caption.IsEmpty() ? L"string " + std::to_wstring(button.stringId) : platform::core::quoted(button.caption.view())) +
                L" command " + std::to_wstring(button.command);
    platform::core::recordCall(L"kvpf::StdCmd::automenu(" + text + L")");
}

void StdCmd::OnUserCloseCommand(bool) { TerminateCommand(); }

void StdCmd::KernelStarted() {
    StdCmdEvt event;
    OnKvStartCommand(event);
}

void StdCmd::KernelKeyPressed(int code) {
    StdCmdKeyEvt event;
    event.Code = code;
    OnKvKeyPressed(event);
}

void StdCmd::KernelUserClosed(bool confirmed) { OnUserCloseCommand(confirmed); }

void StdCmd::KernelEnded() {
    StdCmdEvt event;
    OnKvEndCommand(event);
    document_ = nullptr;
}

int StdCmd::KernelCommandCode() {
    StdCmdEvt event;
    OnKvGetCommandCode(event);
    return event.value;
}

}  // namespace kvpf
