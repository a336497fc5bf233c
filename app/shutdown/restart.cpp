// Restarting the program: a new instance with this one's command line, then this one's exit.
#include <string>

#include "app/kvw32_app.h"

bool CKvw32App::Restart(bool keepState) {
    wchar_t program[MAX_PATH] = {};
    if (GetModuleFileNameW(nullptr, program, MAX_PATH) == 0 || program[0] == L'\0') return false;
    CString commandLine = Korvo::QuoteCommandLineArgument(program);
    if (m_lpCmdLine && *m_lpCmdLine) {
        commandLine += L" ";
        commandLine += m_lpCmdLine;
    }
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    PROCESS_INFORMATION process{};
    std::wstring writable(commandLine.GetString());
    if (!CreateProcessW(program, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        KVLog_WriteF(7, L"Failed to start \"%s\": 0x%08x", program, static_cast<unsigned>(GetLastError()));
        return false;
    }
    AllowSetForegroundWindow(process.dwProcessId);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    KVLog_WriteF(5, L"Restarted as PID %u", static_cast<unsigned>(process.dwProcessId));
    // Without the state kept, the shutdown saves neither the profile state nor the settings.
    m_startupComplete = keepState ? 1 : 0;
    RequestExit();
    return true;
}
