// The link to the PDM system: connecting at start-up, and what the application does when the
// connection comes or goes.
#include <optional>

#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "mainframe/panes/document_pane_windows.h"
#include "mainframe/statusline/stopwatch.h"
#include "platform/diagnostics.h"
#include "platform/korvoui.h"

namespace {

constexpr const wchar_t* kNewDocumentOptions = L"NewDocumentOptions";
constexpr const wchar_t* kInstanceVariable = L"KORVOCAD_VARNELINSTANCE";
constexpr const wchar_t* kConnectionVariable = L"KORVOCAD_VARNELCONNECTION";

// The registry options are read once per process: a restarted session keeps what it connected with.
bool g_varnelOptionsRead = false;

// The environment variable's value; none when it is not set.
std::optional<CString> EnvironmentValue(LPCWSTR name) {
    const DWORD length = GetEnvironmentVariableW(name, nullptr, 0);
    if (length == 0) return std::nullopt;
    CString value;
    const DWORD written = GetEnvironmentVariableW(name, value.GetBuffer(static_cast<int>(length)), length);
    value.ReleaseBuffer(written < length ? static_cast<int>(written) : 0);
    return value;
}

}  // namespace

bool CKvw32App::ReadVarnelInstance(const CString& keyPath, NativeSettings::Varnel& settings) {
    KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance();
    const CString iniFile = kernel ? kernel->GetProductIniFileName() : CString();
    const std::vector<KVPdmProgram> programs = KVPdmApiProxy::FindInstalledPrograms(iniFile);
    for (const wchar_t* prefix : {L"", L"SOFTWARE\\", L"SOFTWARE\\Wow6432Node\\"}) {
        const CString candidate = CString(prefix) + keyPath;
        for (const KVPdmProgram& program : programs) {
            if (program.keyPath.CompareNoCase(candidate) != 0) continue;
            settings.programName = program.name;
            settings.instanceKeyPath = candidate;
            settings.working = true;
            settings.version = program.version;
            return true;
        }
    }
    return false;
}

int CKvw32App::ConnectPdmAtStartup() {
    const Stopwatch stopwatch;
    NativeSettings::Varnel& link = GetSettings().varnel;
    CString connection;
    if (!g_varnelOptionsRead) {
        g_varnelOptionsRead = true;
        if (!link.working && GetProfileInt(kNewDocumentOptions, L"VARNEL", 0) != 0) {
            link.working = GetProfileInt(kNewDocumentOptions, L"VARNEL", link.working ? 1 : 0) != 0;
            link.version = GetProfileString(kNewDocumentOptions, L"VARNEL_VERSION", link.version);
            link.instanceKeyPath = GetProfileString(kNewDocumentOptions, L"VARNEL_INSTANCE_KEY_PATH", link.instanceKeyPath);
        }
        if (const std::optional<CString> instance = EnvironmentValue(kInstanceVariable)) {
            link.instanceKeyPath = *instance;
            ReadVarnelInstance(*instance, link);
        }
        connection = EnvironmentValue(kConnectionVariable).value_or(CString());
    }

    int result = KVPDMWorkMix::kNotConnected;
    if (link.working) {
        CString folder = KVPdmApiProxy::GetProgramFolder(link.instanceKeyPath);
        if (folder.IsEmpty()) {
            KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance();
            folder = KVPdmApiProxy::GetProgramFolder(link.version, kernel ? kernel->GetProductIniFileName() : CString());
        }
        if (!folder.IsEmpty()) result = KVPDMWorkMix::Connect(false, connection);
    }
    if (KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance())
        kernel->ShowVarnelWindows(result == KVPDMWorkMix::kConnected);

    const long long elapsed = stopwatch.elapsedMicroseconds();
    KVLog_WriteF(2, L"Loaded PDM in %lld.%03lld ms", elapsed / 1000, elapsed % 1000);
    return result;
}
