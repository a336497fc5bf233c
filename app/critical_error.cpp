// Critical errors the kernel reports: kept for a message bar with report actions on the UI
// thread; on any other thread the crash reporter's dialog shows and the process ends.
#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"

namespace {

constexpr UINT kSendReportButton = 0;
constexpr UINT kViewReportButton = 1;
constexpr UINT kShowReportFilesButton = 2;
constexpr UINT kCloseButton = 61536;
constexpr UINT kCriticalErrorBarId = 299;

struct CriticalErrorBarButton {
    UINT id;
    CString text;
};

// The main frame's message bars are not built yet: nothing can show the bar, and the error
// stays pending until a frame can.
bool ShowMessageBarOn(CMainFrame*, UINT, const CString&, const std::vector<CriticalErrorBarButton>&) { return false; }

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

void CKvw32App::ShowPendingCriticalErrorBar() {
    std::lock_guard lock(m_criticalErrorMutex);
    if (!m_criticalError || m_criticalError->barFrame) return;
    CMainFrame* frame = GetActiveMainFrame();
    if (!frame) return;
    using Korvo::I18n::Translate;
    const std::vector<CriticalErrorBarButton> buttons{
        {kSendReportButton, Translate(L"prompts.critical_error.send_report")},
        {kViewReportButton, Translate(L"prompts.critical_error.view_report")},
        {kShowReportFilesButton, Translate(L"prompts.critical_error.show_report_files")},
        {kCloseButton, CString()},
    };
    if (ShowMessageBarOn(frame, kCriticalErrorBarId, Translate(L"prompts.critical_error"), buttons)) {
        m_criticalError->barFrame = frame->GetSafeHwnd();
    }
}

void CKvw32App::ForgetCriticalErrorBar(HWND frame) {
    std::lock_guard lock(m_criticalErrorMutex);
    if (m_criticalError && m_criticalError->barFrame == frame) m_criticalError->barFrame = nullptr;
}

void CKvw32App::OnCriticalErrorBarButton(UINT buttonId) {
    std::lock_guard lock(m_criticalErrorMutex);
    if (!m_criticalError) return;
    if (buttonId == kCloseButton) {
        m_criticalError.reset();
        return;
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
}
