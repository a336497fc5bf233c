// The maker's diagnostics library as the shell uses it: the program log, file version numbers,
// module loading, the application base and the crash-report context base.
#pragma once

#include <vector>

#include <cstdint>

#include "platform/mfc.h"

// Writes one log entry: "<level> <text>". Thread-safe.
void KVLog_Write(int level, const wchar_t* text);
// Writes one log entry formatted printf-style from a captured argument list.
void KVLog_WriteV(int level, const wchar_t* format, const platform::FormatArgs& args);
template <class... T>
void KVLog_WriteF(int level, const wchar_t* format, const T&... args) {
    KVLog_WriteV(level, format, platform::makeFormatArgs(args...));
}
// The log file's path and whether it exists.
CString KVLog_GetFileName();
bool KVLog_FileExists();
// A recursive process-wide lock around the log. Given `locked`, the lock is only tried (another
// thread's lock, or the fault point "KVLog_Lock 1", refuses it) and `locked` tells whether it
// was obtained; without it the call waits. Every successful lock needs one unlock; an unlock
// by a thread that holds no lock does nothing.
void KVLog_Lock(bool* locked = nullptr);
void KVLog_Unlock();
// Flushes and closes the log at the end of the process (journalled as a call). Entries written
// later are still recorded.
void KVLog_Cleanup();
// Removes the program's log files older than `days` days (journalled as a call). The stand-in
// machine keeps only the one log of this run, which is never old enough: nothing goes.
void KVLog_Cleanup(int days);

namespace Korvo {

// A file version as one 64-bit value: major in the top 16 bits, then minor, build, revision.
class VersionNumber {
public:
    constexpr VersionNumber() = default;
    constexpr explicit VersionNumber(std::uint64_t value) : value_(value) {}
    constexpr VersionNumber(unsigned major, unsigned minor, unsigned build, unsigned revision)
        : value_((static_cast<std::uint64_t>(major & 0xFFFF) << 48) | (static_cast<std::uint64_t>(minor & 0xFFFF) << 32) |
                 (static_cast<std::uint64_t>(build & 0xFFFF) << 16) | static_cast<std::uint64_t>(revision & 0xFFFF)) {}

    // The file version of a module file, or Null when the file is missing or has none.
    static VersionNumber fromFile(const wchar_t* path);
    static const VersionNumber Null;

    constexpr std::uint64_t value() const { return value_; }
    constexpr unsigned major() const { return static_cast<unsigned>(value_ >> 48) & 0xFFFF; }
    constexpr unsigned minor() const { return static_cast<unsigned>(value_ >> 32) & 0xFFFF; }
    constexpr unsigned build() const { return static_cast<unsigned>(value_ >> 16) & 0xFFFF; }
    constexpr unsigned revision() const { return static_cast<unsigned>(value_) & 0xFFFF; }
    constexpr bool isNull() const { return value_ == 0; }
    // "18.0.21.0"
    CString toString() const;

    friend constexpr bool operator==(VersionNumber, VersionNumber) = default;
    friend constexpr auto operator<=>(VersionNumber, VersionNumber) = default;

private:
    std::uint64_t value_ = 0;
};

inline constexpr VersionNumber VersionNumber::Null{};

// Loading of the framework-based module libraries.
class Module {
public:
    // Loads the module (a file name resolved as LoadLibraryW resolves it) and runs its
    // initialisation; nullptr on failure with the system error code set (GetLastError).
    static HMODULE loadMfcAndInitialize(const wchar_t* file, int flags = 0);
    // Shuts the module down and unloads it; FALSE for a module this class did not load.
    static BOOL shutdownAndUnloadMfc(HMODULE module);
    // Shuts down and unloads every module still loaded, last loaded first.
    static void shutdownAll();
};

// The 64-byte digest of a file's contents; false when the file cannot be read.
bool FileHash(LPCWSTR path, std::vector<BYTE>& hash);

}  // namespace Korvo

// The crash reporter's context: while one is alive on a thread's stack, a crash on that thread
// is reported through it. The kernel's and the application's contexts derive from it.
class GenerateDumpFileContextBase {
public:
    GenerateDumpFileContextBase();
    virtual ~GenerateDumpFileContextBase();
    GenerateDumpFileContextBase(const GenerateDumpFileContextBase&) = delete;
    GenerateDumpFileContextBase& operator=(const GenerateDumpFileContextBase&) = delete;

    // The innermost context alive on the calling thread, or nullptr.
    static GenerateDumpFileContextBase* Current();

    // The crash reporter's operations. The error dialog asks the user (the harness's answer)
    // whether to restart; a restart asked for is passed to RequestRestart of the innermost context.
    static void ShowErrorDialog(LPCWSTR message, LPCWSTR productName);
    // Writes a dump and a report file into a new report folder under the user's local
    // application data; returns the report file's path (empty on failure) and fills the folder
    // and the dump file's path.
    static CString GenerateReportFiles(LPCWSTR productName, LPCWSTR message, CString& reportFolder, CString& dumpFile);
    static void SendReport(LPCWSTR reportPath);
    static void ShowReport(LPCWSTR reportPath);
    static void ShowReportFiles(LPCWSTR reportFolder);

    // The context's slots, in the crash reporter's order.
    virtual bool IsErrorHandled() const { return false; }
    virtual void SetErrorHandled() {}
    virtual void RequestRestart() {}
    virtual void DisableDocumentSaving() {}
    virtual CString GetWindowTitle() const { return {}; }
    virtual CString BuildDate() const;
    virtual CString VarnelInfo() const { return {}; }
    virtual CString GetActiveDocPathName() const { return {}; }
    virtual bool SaveDocumentsEnabled() const { return true; }
    virtual void Output(LPCWSTR text);
    virtual void AppendLocalizationInfo(CString& report) const;
    virtual CString GetCompanyName() const { return L"Velmora"; }
    virtual CString GetBugReportAddress() const { return L"support@velmora.example"; }
    virtual void AppendReport(CString& report) const;
    virtual CString GetProductName() const { return L"Korvo"; }
    virtual void AppendPath(CString& report) const;
    virtual void FreeResources();
    virtual void Restart() {}

private:
    GenerateDumpFileContextBase* outer_ = nullptr;
};

namespace kvaux {

// The maker's application base: the framework's application, nothing added yet.
class MfcApplication : public CWinApp {
    DECLARE_DYNAMIC(MfcApplication)
public:
    explicit MfcApplication(LPCWSTR appName = nullptr) : CWinApp(appName) {}
};

}  // namespace kvaux

// What the diagnostics library says about this computer, for reports: the operating system, the
// display adapters and the printers, each as readable text (several lines when there are more).
CString GetSystemVersion();
CString GetVideoControllersInfo();
CString GetPrintersInfo();
