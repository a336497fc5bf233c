#include "platform/diagnostics.h"

#include <atomic>

#include "platform/core/api_text.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/diagnostics/crash_control.h"
#include "platform/win32/files/file.h"

namespace {

thread_local GenerateDumpFileContextBase* innermostContext = nullptr;

}  // namespace

GenerateDumpFileContextBase::GenerateDumpFileContextBase() : outer_(innermostContext) { innermostContext = this; }

GenerateDumpFileContextBase::~GenerateDumpFileContextBase() {
    // Contexts live on the stack, so they end innermost first.
    innermostContext = outer_;
}

GenerateDumpFileContextBase* GenerateDumpFileContextBase::Current() { return innermostContext; }

namespace {

int& reportCounter() {
    static int counter = 0;
    return counter;
}

}  // namespace

void GenerateDumpFileContextBase::ShowErrorDialog(LPCWSTR message, LPCWSTR productName) {
    platform::core::recordCall(L"GenerateDumpFileContextBase::ShowErrorDialog(" + platform::core::quoted(platform::core::viewOf(message)) +
                               L", " + platform::core::quoted(platform::core::viewOf(productName)) + L")");
    if (!platform::diagnostics::crashDialogRestarts()) return;
    if (GenerateDumpFileContextBase* context = Current()) context->RequestRestart();
}

CString GenerateDumpFileContextBase::GenerateReportFiles(LPCWSTR productName, LPCWSTR message, CString& reportFolder,
                                                         CString& dumpFile) {
    const int number = ++reportCounter();
    wchar_t localData[MAX_PATH] = {};
    ::ExpandEnvironmentStringsW(L"%LOCALAPPDATA%", localData, MAX_PATH);
    CString root = localData[0] && localData[0] != L'%' ? CString(localData) : CString(L"C:\\Users\\user\\AppData\\Local");
    reportFolder = platform::format(L"%s\\Velmora\\Reports\\Report%d", root.GetString(), number).c_str();
    dumpFile = reportFolder + L"\\crash.dmp";
    const CString reportPath = reportFolder + L"\\report.txt";
    platform::core::recordCall(L"GenerateDumpFileContextBase::GenerateReportFiles(" +
                               platform::core::quoted(platform::core::viewOf(productName)) + L", " +
                               platform::core::quoted(platform::core::viewOf(message)) + L")");
    CString report = platform::format(L"Product: %s\nMessage: %s\n", platform::core::viewOf(productName),
                                      platform::core::viewOf(message)).c_str();
    if (GenerateDumpFileContextBase* context = Current()) {
        context->AppendReport(report);
        context->AppendPath(report);
    }
    if (platform::files::createDirectories(reportFolder.view()) != ERROR_SUCCESS ||
        platform::files::writeAllAtomic(dumpFile.view(), "MDMP") != ERROR_SUCCESS ||
        platform::files::writeAllAtomic(reportPath.view(), platform::core::toUtf8(report.view())) != ERROR_SUCCESS) {
        return {};
    }
    return reportPath;
}

void GenerateDumpFileContextBase::SendReport(LPCWSTR reportPath) {
    platform::core::recordCall(L"GenerateDumpFileContextBase::SendReport(" + platform::core::quoted(platform::core::viewOf(reportPath)) + L")");
}

void GenerateDumpFileContextBase::ShowReport(LPCWSTR reportPath) {
    platform::core::recordCall(L"GenerateDumpFileContextBase::ShowReport(" + platform::core::quoted(platform::core::viewOf(reportPath)) + L")");
}

void GenerateDumpFileContextBase::ShowReportFiles(LPCWSTR reportFolder) {
    platform::core::recordCall(L"GenerateDumpFileContextBase::ShowReportFiles(" +
                               platform::core::quoted(platform::core::viewOf(reportFolder)) + L")");
}

CString GenerateDumpFileContextBase::BuildDate() const { return L"2026-01-01"; }

void GenerateDumpFileContextBase::Output(LPCWSTR text) { KVLog_Write(6, text); }

void GenerateDumpFileContextBase::AppendLocalizationInfo(CString& report) const { report += L"Language: Rus\n"; }

void GenerateDumpFileContextBase::AppendReport(CString& report) const {
    report += L"Title: " + GetWindowTitle() + L"\nName: " + GetProductName() + L"\n";
}

void GenerateDumpFileContextBase::AppendPath(CString& report) const {
    report += L"Document: " + GetActiveDocPathName() + L"\n";
}

void GenerateDumpFileContextBase::FreeResources() { platform::core::recordCall(L"GenerateDumpFileContextBase::FreeResources()"); }

namespace platform::diagnostics {

namespace {
std::atomic<bool>& restartAnswer() {
    static std::atomic<bool> value{false};
    return value;
}
}  // namespace

bool crashDialogRestarts() { return restartAnswer().load(); }
void setCrashDialogRestarts(bool restart) { restartAnswer().store(restart); }

}  // namespace platform::diagnostics
