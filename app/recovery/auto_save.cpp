// Auto-save: at idle time, every modified document that waited the kernel's auto-save interval is
// saved, with a small dialog naming it that stays at least a second per document.
#include "app/kvw32_app.h"
#include "app/recovery/auto_save_dialog.h"
#include "mainframe/main_frame.h"

namespace {

constexpr DWORD kMinimumDialogTime = 1000;

std::int64_t NowInSeconds() { return static_cast<std::int64_t>(GetTickCount64() / 1000); }

}  // namespace

void CKvw32App::AutoSaveDocuments() {
    const NativeSettings::Files& files = GetSettings().files;
    if (!files.autoSave) return;
    // An interval of 0 would save every modified document at every idle pass.
    const std::int64_t interval = static_cast<std::int64_t>(files.autoSaveMinutes > 0 ? files.autoSaveMinutes : 1) * 60;
    const std::int64_t now = NowInSeconds();
    CKVDocTemplate* docTemplate = GetDocTemplate();
    if (!docTemplate) return;

    std::vector<CKvw32Doc*> due;
    for (CDocument* document : docTemplate->GetDocuments()) {
        auto* kernelDocument = dynamic_cast<CKvw32Doc*>(document);
        if (!kernelDocument || !kernelDocument->IsModified() || kernelDocument->IsReadOnly() ||
            kernelDocument->IsInCommand()) {
            continue;
        }
        if (kernelDocument->GetPathName().IsEmpty() && kernelDocument->GetEmbeddedLinkId() == 0) continue;
        if (now - kernelDocument->GetLastAutoSaveTime() < interval) continue;
        due.push_back(kernelDocument);
    }
    if (due.empty()) return;

    // Without an active main frame (closing, automation) there is no window to hold still.
    CMainFrame* frame = GetActiveMainFrame();
    const HWND frameWindow = frame ? frame->GetSafeHwnd() : nullptr;
    CAutoSaveDialog dialog;
    for (CKvw32Doc* document : due) {
        CWaitCursor wait;
        if (frameWindow) EnableWindow(frameWindow, FALSE);
        dialog.SetTitle(document->GetTitle());
        // Made for the first document; later ones only change the name it shows.
        if (!dialog.GetSafeHwnd() && dialog.Create(CAutoSaveDialog::kTemplate, frame)) dialog.ShowWindow(SW_SHOW);
        if (dialog.GetSafeHwnd()) dialog.UpdateWindow();
        const DWORD started = GetTickCount();
        bool saved = false;
        const int result = document->DoFileSave(saved);
        const DWORD spent = GetTickCount() - started;
        if (spent < kMinimumDialogTime) Sleep(kMinimumDialogTime - spent);
        // A save that keeps failing (a full disk) is tried again an interval later, not at every
        // idle pass, so the program stays usable meanwhile.
        if (result == 0 && !saved) KVLog_WriteF(6, L"Auto-save of \"%s\" failed", document->GetPathName().GetString());
        document->SetLastAutoSaveTime(now);
    }
    if (frameWindow) EnableWindow(frameWindow, TRUE);
}
