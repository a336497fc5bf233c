// Auto-save: at idle time, every modified document that waited the kernel's auto-save interval is
// saved, with a small dialog naming it that stays at least a second per document.
#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"

namespace {

constexpr UINT kAutoSaveDialogTemplate = 166;
constexpr int kDocumentNameItem = 1119;
constexpr DWORD kMinimumDialogTime = 1000;

std::int64_t NowInSeconds() { return static_cast<std::int64_t>(GetTickCount64() / 1000); }

}  // namespace

// The modeless dialog that names the document being saved. It has no painting of its own; its
// window and its name item are what the user sees.
class CAutoSaveDialog {
public:
    explicit CAutoSaveDialog(HWND owner) : owner_(owner) {}
    ~CAutoSaveDialog() {
        if (window_ && IsWindow(window_)) DestroyWindow(window_);
    }
    CAutoSaveDialog(const CAutoSaveDialog&) = delete;
    CAutoSaveDialog& operator=(const CAutoSaveDialog&) = delete;

    // Created and shown for the first document; later ones only change the name item.
    void ShowDocument(const CString& title) {
        if (!window_) {
            window_ = CreateWindowExW(0, L"#32770", Korvo::I18n::Translate(L"Auto-save"),
                                      WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 300, 80, owner_,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kAutoSaveDialogTemplate)), nullptr,
                                      nullptr);
            if (window_) {
                nameItem_ = CreateWindowExW(0, L"Static", title, WS_CHILD | WS_VISIBLE, 10, 10, 280, 20, window_,
                                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDocumentNameItem)), nullptr,
                                            nullptr);
            }
        } else if (nameItem_) {
            SetWindowTextW(nameItem_, title);
        }
        if (window_) UpdateWindow(window_);
    }
    bool Created() const { return window_ != nullptr; }

private:
    HWND owner_;
    HWND window_ = nullptr;
    HWND nameItem_ = nullptr;
};

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
    CAutoSaveDialog dialog(frameWindow);
    for (CKvw32Doc* document : due) {
        CWaitCursor wait;
        if (frameWindow) EnableWindow(frameWindow, FALSE);
        dialog.ShowDocument(document->GetTitle());
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
    if (dialog.Created() && frameWindow) EnableWindow(frameWindow, TRUE);
}
