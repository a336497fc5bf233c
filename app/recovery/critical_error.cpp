// Critical errors the kernel reports: kept for a message bar with report actions on the UI
// thread; on any other thread the crash reporter's dialog shows and the process ends.
#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"

namespace {

constexpr UINT kSendReportButton = 0;
constexpr UINT kViewReportButton = 1;
constexpr UINT kShowReportFilesButton = 2;
constexpr UINT kCloseButton = Korvo::UI::MessageBar::kCloseButton;  // the system close command
constexpr std::uint64_t kCriticalErrorBarId = 299;

}  // namespace

void CKvw32App::OnCriticalError(LPCWSTR message) {
    std::lock_guard lock(m_criticalErrorMutex);
    if (m_criticalError) return;
    if (GetCurrentThreadId() != m_nThreadID) {
        // No UI work may run beside the crash reporter.
        if (HANDLE uiThread = OpenThread(0, FALSE, m_nThreadID)) {
            ::SuspendThread(uiThread);
            CloseHandle(uiThread);
        }
        GenerateDumpFileAppContext context;
        GenerateDumpFileContextBase::ShowErrorDialog(message, context.GetProductName());
        context.Restart();
        TerminateProcess(GetCurrentProcess(), 1);
        return;
    }
    m_criticalError = std::make_unique<CriticalErrorRecord>();
    m_criticalError->message = message ? message : L"";
}

bool CKvw32App::HasPendingCriticalError() {
    std::lock_guard lock(m_criticalErrorMutex);
    return m_criticalError != nullptr;
}

bool CKvw32App::IsCriticalErrorBarShown() const {
    if (!m_criticalError || !m_criticalError->barFrame) return false;
    for (CMainFrame* frame : GetMainFrames()) {
        if (frame->GetSafeHwnd() == m_criticalError->barFrame) return frame->IsValidMessageBar(m_criticalError->bar);
    }
    return false;
}

void CKvw32App::ShowPendingCriticalErrorBar() {
    std::lock_guard lock(m_criticalErrorMutex);
    if (!m_criticalError) return;
    // A bar closed by its id or with its frame no longer shows the error: it is offered again.
    if (IsCriticalErrorBarShown()) return;
    m_criticalError->barFrame = nullptr;
    m_criticalError->bar = nullptr;
    CMainFrame* frame = GetActiveMainFrame();
    if (!frame) return;
    using Korvo::I18n::Translate;
    // The bar brings its own close button (the system close command) after these.
    const std::vector<MessageBarButton> buttons{
        {kSendReportButton, Translate(L"prompts.critical_error.send_report"), CString()},
        {kViewReportButton, Translate(L"prompts.critical_error.view_report"), CString()},
        {kShowReportFilesButton, Translate(L"prompts.critical_error.show_report_files"), CString()},
    };
    auto callback = [this](Korvo::UI::MessageBar&, UINT button) { return OnCriticalErrorBarButton(button); };
    if (!frame->ShowMessageBar(0, CString(), Translate(L"prompts.critical_error"), buttons, std::move(callback),
                               kCriticalErrorBarId)) {
        return;
    }
    m_criticalError->barFrame = frame->GetSafeHwnd();
    m_criticalError->bar = frame->GetLastMessageBar();
}

void CKvw32App::ForgetCriticalErrorBar(HWND frame) {
    std::lock_guard lock(m_criticalErrorMutex);
    if (!m_criticalError || m_criticalError->barFrame != frame) return;
    m_criticalError->barFrame = nullptr;
    m_criticalError->bar = nullptr;
}

bool CKvw32App::OnCriticalErrorBarButton(UINT buttonId) {
    std::lock_guard lock(m_criticalErrorMutex);
    if (!m_criticalError) return true;
    if (buttonId == kCloseButton) {
        m_criticalError.reset();
        return true;
    }
    ReleaseCapture();
    CriticalErrorRecord& record = *m_criticalError;
    if (record.reportPath.IsEmpty()) {
        record.reportPath = GenerateDumpFileContextBase::GenerateReportFiles(
            record.context.GetProductName(), record.message, record.reportFolder, record.dumpFile);
    }
    switch (buttonId) {
        case kSendReportButton: GenerateDumpFileContextBase::SendReport(record.reportPath); break;
        case kViewReportButton: GenerateDumpFileContextBase::ShowReport(record.reportPath); break;
        case kShowReportFilesButton: GenerateDumpFileContextBase::ShowReportFiles(record.reportFolder); break;
        default: break;
    }
    return false;
}
