// The kernel services the ribbon and the command bars ask: command strings, control images,
// views' main-bar memory, the PDM work mix, the FEA task manager and the settings pages.
#include <mutex>

#include "platform/core/process.h"
#include "platform/kernel/ui/control.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/services/modules.h"
#include "platform/kernel/record.h"
#include "platform/kernel/ui/uimodule.h"
#include "platform/toolkit.h"

using platform::kernel::quoted;
using platform::kernel::recordCall;

namespace {

struct KernelRibbonState {
    bool feaPresent = false;
    kvcae::I_FEA_Task_Manager fea;
};

KernelRibbonState& state() { return platform::core::process().table<KernelRibbonState>(); }

}  // namespace

std::optional<std::vector<CString>> UIModuleProxy::GetCommandStrings(UINT id) const {
    const auto text = platform::kernel::findString(id);
    if (!text) return std::nullopt;
    std::vector<CString> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text->find(L'\n', start);
        parts.emplace_back(text->substr(start, end == std::wstring::npos ? std::wstring::npos : end - start).c_str());
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    return parts;
}

void UIModuleProxy::SetupControlImage(CXTPImageManager* images, UINT id, UINT iconId, int flags1, int flags2) {
    recordCall(L"UIModuleProxy::SetupControlImage(" + std::to_wstring(id) + L", " + std::to_wstring(iconId) + L", " +
               std::to_wstring(flags1) + L", " + std::to_wstring(flags2) + L")");
    // The control shows the kernel's icon under its own id (one the stand-in has no picture of:
    // its 16-pixel entry without pixels).
    if (images && !images->GetIconSet(id)) images->SetIcon(id, 16);
}

bool MainBarSwitchHistory::SetTopEvent(const MainBarState& event) {
    if (!keepsHistory_) return false;
    events_.push_back(event);
    return true;
}

bool CKVCom_Is3D::Is3D(CKvw32Doc*) { return false; }

void AnnotateModuleProxy::OpenSettings(LPCWSTR name) {
    recordCall(L"AnnotateModuleProxy::OpenSettings(" + quoted(name) + L")");
}


namespace kvcae {

I_FEA_Task_Manager* I_FEA_Task_Manager::Instance() { return state().feaPresent ? &state().fea : nullptr; }

void I_FEA_Task_Manager::SetPresent(bool present) { state().feaPresent = present; }

bool I_FEA_Task_Manager::HasTaskForDocument(const CKvw32Doc* document) const {
    for (const CKvw32Doc* each : tasks_)
        if (each == document) return true;
    return false;
}

void I_FEA_Task_Manager::SetTask(const CKvw32Doc* document, bool has) {
    std::erase(tasks_, document);
    if (has) tasks_.push_back(document);
}

}  // namespace kvcae
