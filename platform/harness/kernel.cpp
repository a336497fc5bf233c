#include <stdexcept>
#include <utility>

#include "platform/core/hostfs.h"
#include "platform/diagnostics/crash_control.h"
#include "platform/harness.h"
#include "platform/harness/document_files.h"
#include "platform/harness/host_files.h"
#include "platform/kernel.h"
#include "platform/kernel/ui/control.h"
#include "platform/win32/files/storage.h"

namespace platform::harness {

void Kernel::setShellDdeCommand(std::wstring_view text) { platform::kernel::control().shellDdeCommand = text; }

void Kernel::setReopenDocuments(bool reopen) { GetSettings().files.reopenDocuments = reopen; }

void Kernel::setStartPage(bool show, int mode) {
    GetSettings().startPage.show = show;
    GetSettings().startPage.mode = mode;
}

void Kernel::setRecentFileCount(int count) { GetSettings().files.recentFileCount = count; }

void Kernel::whileApplicationsStart(std::function<void(bool firstPhase)> action) {
    platform::kernel::control().applicationsStarting = std::move(action);
}

void Kernel::pumpMessages() {
    CWinThread* thread = AfxGetThread();
    if (!thread) throw std::logic_error("harness: pumpMessages() outside the program's UI thread");
    MSG waiting{};
    while (PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE)) {
        // A quit is left for the program's own loop.
        if (waiting.message == WM_QUIT || !thread->PumpMessage()) return;
    }
}

std::vector<std::wstring> Kernel::openedDocuments() const {
    std::vector<std::wstring> paths;
    for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments()) {
        paths.emplace_back(static_cast<LPCWSTR>(document->GetPathName()));
    }
    return paths;
}

std::vector<std::wstring> Kernel::documentTitles() const {
    std::vector<std::wstring> titles;
    for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments()) {
        titles.emplace_back(static_cast<LPCWSTR>(document->GetTitle()));
    }
    return titles;
}

}  // namespace platform::harness

namespace platform::harness {

void Kernel::writeDocumentFile(std::wstring_view windowsPath, unsigned kind, const std::vector<std::wstring>& pages,
                               bool header) {
    detail::writeHostFile(windowsPath, detail::buildDocumentFile({.kind = kind, .title = {}, .pages = pages, .header = header}));
}

void Kernel::writeDocumentFileWithPictures(std::wstring_view windowsPath, SIZE preview, SIZE icon) {
    detail::writeHostFile(windowsPath, detail::buildDocumentFile({.kind = 1,
                                                                  .title = {},
                                                                  .pages = {L"Sheet 1"},
                                                                  .header = true,
                                                                  .previewWidth = preview.cx,
                                                                  .previewHeight = preview.cy,
                                                                  .iconWidth = icon.cx,
                                                                  .iconHeight = icon.cy}));
}

void Kernel::writeDocumentFile(std::wstring_view windowsPath,
                               const std::vector<std::pair<std::wstring, std::wstring>>& properties) {
    detail::writeHostFile(windowsPath, detail::buildDocumentFile({.kind = 1, .title = {}, .pages = {L"Sheet 1"},
                                                                  .header = true, .properties = properties}));
}

void Kernel::folderChanged(unsigned action, std::wstring_view path, std::wstring_view newPath) {
    platform::kernel::reportFolderChange(action, path, newPath);
}

void Kernel::set3DImport(Import3D result) {
    using Result = platform::kernel::Control::Import3DResult;
    platform::kernel::control().import3DResult = result == Import3D::Nothing            ? Result::Nothing
                                                 : result == Import3D::DocumentWithView ? Result::DocumentWithView
                                                                                        : Result::DocumentWithoutView;
}

void Kernel::setDocumentImportSucceeds(bool succeeds) { platform::kernel::control().documentImportSucceeds = succeeds; }

void Kernel::setAddOnOpensFiles(bool opens) { platform::kernel::control().addOnOpensFiles = opens; }

void Kernel::setKernelReportsLoadFailures(bool reports) {
    platform::kernel::control().reportSaveLoadExceptionBlocked = !reports;
}

void Kernel::setAutoSave(bool on, int minutes) {
    GetSettings().files.autoSave = on;
    GetSettings().files.autoSaveMinutes = minutes;
}

void Kernel::setModified(CDocument* document, bool modified) { document->SetModifiedFlag(modified ? TRUE : FALSE); }

void Kernel::setReadOnly(CDocument* document, bool readOnly) {
    if (auto* kernelDocument = dynamic_cast<CKvw32Doc*>(document)) kernelDocument->SetReadOnly(readOnly);
}

void Faults::denyFileRead(std::wstring_view windowsPath) {
    platform::core::hostFs().deny(windowsPath, platform::core::FileAccess::Read);
}

void Faults::failStorageRead(std::wstring_view windowsPath) {
    platform::storage::failRead(windowsPath);
}

void Faults::failDocumentSave(std::wstring_view windowsPath) {
    platform::kernel::control().saveFaults.insert(std::wstring(windowsPath));
}

}  // namespace platform::harness

namespace platform::harness {

void Kernel::reportCriticalError(std::wstring_view message, bool onWorkerThread) {
    if (!KorvoServerAppProxy::Instance())
        throw std::logic_error("harness: no kernel callback object to report a critical error to");
    callback([message = std::wstring(message)](KorvoServerAppProxy& application) {
        application.OnCriticalError(message.c_str());
    }, onWorkerThread);
}

void Kernel::setCrashDialogRestarts(bool restart) { platform::diagnostics::setCrashDialogRestarts(restart); }

void Kernel::raiseSelectionEvent(CDocument* document, unsigned flags) {
    ApplicationEventManager::Instance().Raise(783, PopupToolBarEventArgs(dynamic_cast<CKvw32Doc*>(document), flags));
}

}  // namespace platform::harness
