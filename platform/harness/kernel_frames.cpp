// The harness acting as the kernel around main frames, themes and the documents the panes show.
#include "platform/core/record.h"
#include "platform/harness.h"
#include "platform/harness/kernel_document.h"
#include "platform/kernel.h"
#include "platform/kernel/ui/control.h"
#include "platform/kernel/ui/ui_control.h"

namespace platform::harness {

namespace {

using detail::kernelDocument;
using platform::kernel::DocumentAccess;

CKvw32Doc* kernelDocumentOrNull(CDocument* document) { return document ? &kernelDocument(document) : nullptr; }

}  // namespace

HWND Kernel::newMainFrame() {
    KorvoServerAppProxy* application = KorvoServerAppProxy::Instance();
    CFrameWnd* frame = application ? application->CreateMainFrame() : nullptr;
    return frame ? frame->GetSafeHwnd() : nullptr;
}

void Kernel::setThemes(const std::vector<std::wstring>& names) {
    auto& themes = platform::kernel::control().themes;
    themes.clear();
    for (const auto& name : names) themes.emplace_back(name, name);
}

void Kernel::setEditInPlace(CDocument* document, CDocument* assembly, CDocument* fragment) {
    DocumentAccess::setEditInPlace(kernelDocument(document), kernelDocumentOrNull(assembly),
                                   kernelDocumentOrNull(fragment));
}

void Kernel::setAssemblyDocument(CDocument* document, CDocument* assembly) {
    DocumentAccess::setAssemblyDocument(kernelDocument(document), kernelDocumentOrNull(assembly));
}

void Kernel::setErrorContainer(CDocument* document, bool present) {
    DocumentAccess::setErrorContainer(kernelDocument(document), present);
}

void Kernel::set3DContainerMode(CDocument* document, std::optional<int> mode) {
    DocumentAccess::set3DContainer(kernelDocument(document), mode);
}

void Kernel::setProfiles(CDocument* document, std::vector<std::pair<std::wstring, unsigned>> profiles) {
    platform::kernel::setProfiles(&kernelDocument(document), std::move(profiles));
}

void Kernel::setInCommand(CDocument* document, bool inCommand) {
    DocumentAccess::setInCommand(kernelDocument(document), inCommand);
}

void Kernel::setRepaintFlag(CDocument* document, bool on) { DocumentAccess::setRepaintFlag(kernelDocument(document), on); }

void Kernel::setStoredSelection(CDocument* document, int count) {
    DocumentAccess::setStoredSelection(kernelDocument(document), count);
}

std::vector<std::wstring> Kernel::takeIdleCalls() { return platform::core::takeIdleCalls(); }

void Kernel::setSyspanelResetWanted(bool wanted) { platform::kernel::uiControl().syspanelDefaultsWanted = wanted; }

void Kernel::set3DState(bool in3DState, bool operationActive) {
    platform::kernel::uiControl().in3DState = in3DState;
    platform::kernel::uiControl().operation3DActive = operationActive;
}

void Kernel::setMacroManagerPresent(bool present) { platform::kernel::uiControl().macroManagerPresent = present; }
void Kernel::setMacroManagerRefusesStop(bool refuses) { platform::kernel::uiControl().macroManagerRefusesStop = refuses; }

void Kernel::setRunningCommandTakesKeys(bool takes) { platform::kernel::uiControl().runningCommandTakesKeys = takes; }

void Kernel::setEditingModuleCommands(std::set<UINT> ids) {
    platform::kernel::uiControl().editingModuleCommands = std::move(ids);
}

void Kernel::setAddOnCommands(const std::wstring& name, std::set<UINT> ids) {
    platform::kernel::uiControl().addOnCommands[name] = std::move(ids);
}

void Kernel::setPaneWindowsOffered(bool offered) { platform::kernel::uiControl().paneWindowsOffered = offered; }

void Kernel::setBackgroundProcessControls(bool pauseEnabled, bool resumeEnabled) {
    kvrt::StatusLineBkProcManager::Instance().setEnabled(pauseEnabled, resumeEnabled);
}

void Kernel::openPropertyFormChild(unsigned id) { platform::kernel::openPropertyFormChild(id); }

}  // namespace platform::harness
