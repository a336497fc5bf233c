// The process: environment, command line, program path, identity and termination.
#include "platform/win32/process/system.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>

#include "platform/core/api_text.h"
#include "platform/core/command_line.h"
#include "platform/core/config.h"
#include "platform/core/process.h"
#include "platform/core/registry_store.h"
#include "platform/core/text.h"
#include "platform/core/threads.h"
#include "platform/win32/last_error.h"
#include "platform/win32/process/module.h"

namespace platform::win32 {

struct Environment {
    std::mutex mutex;
    bool seeded = false;
    std::map<std::wstring, std::wstring, core::NoCaseLess> variables;
    std::wstring commandLine;

    // The configuration's variables plus what Windows always provides, unless configured.
    void seed() {
        if (seeded) return;
        seeded = true;
        const auto& cfg = core::config();
        for (const auto& [name, value] : cfg.environment) variables[name] = value;
        const std::pair<const wchar_t*, std::wstring> defaults[] = {
            {L"PATH", L"C:\\Windows\\system32;C:\\Windows;C:\\Windows\\System32\\Wbem"},
            {L"SystemRoot", L"C:\\Windows"},
            {L"windir", L"C:\\Windows"},
            {L"SystemDrive", L"C:"},
            {L"ProgramFiles", L"C:\\Program Files"},
            {L"USERPROFILE", cfg.userProfile},
            {L"LOCALAPPDATA", cfg.localAppData},
            {L"APPDATA", cfg.userProfile + L"\\AppData\\Roaming"},
            {L"TEMP", cfg.tempFolder},
            {L"TMP", cfg.tempFolder},
            {L"USERNAME", L"user"},
            {L"COMPUTERNAME", L"KORVO-TEST"},
        };
        for (const auto& [name, value] : defaults)
            if (!variables.count(name)) variables[name] = value;
    }
};

Environment& environmentTable() {
    static Environment& table = core::process().table<Environment>();
    return table;
}

std::map<std::wstring, std::wstring> environmentSnapshot() {
    auto& env = environmentTable();
    std::lock_guard lock(env.mutex);
    env.seed();
    return {env.variables.begin(), env.variables.end()};
}

}  // namespace platform::win32

using platform::win32::environmentTable;
using platform::win32::failWith;

namespace {

std::wstring programPath() {
    const auto& cfg = platform::core::config();
    return cfg.programFolder + L"\\" + cfg.programFile;
}

}  // namespace

DWORD GetEnvironmentVariableW(LPCWSTR name, LPWSTR buffer, DWORD size) {
    platform::core::process().throwIfTerminated();
    if (!name) return failWith(ERROR_INVALID_PARAMETER, 0);
    auto& env = environmentTable();
    std::unique_lock lock(env.mutex);
    env.seed();
    auto it = env.variables.find(std::wstring_view(name));
    if (it == env.variables.end()) return failWith(ERROR_ENVVAR_NOT_FOUND, 0);
    return platform::core::copyWhenItFits(it->second, buffer, size);
}

BOOL SetEnvironmentVariableW(LPCWSTR name, LPCWSTR value) {
    platform::core::process().throwIfTerminated();
    if (!name || !*name || std::wstring_view(name).find(L'=') != std::wstring_view::npos)
        return failWith(ERROR_INVALID_PARAMETER, FALSE);
    auto& env = environmentTable();
    std::lock_guard lock(env.mutex);
    env.seed();
    if (value)
        env.variables[name] = value;
    else
        env.variables.erase(std::wstring(name));
    return TRUE;
}

DWORD ExpandEnvironmentStringsW(LPCWSTR source, LPWSTR destination, DWORD size) {
    if (!source) return 0;
    const auto variables = platform::win32::environmentSnapshot();
    const std::wstring_view in(source);
    std::wstring out;
    for (std::size_t i = 0; i < in.size();) {
        const auto end = in[i] == L'%' ? in.find(L'%', i + 1) : std::wstring_view::npos;
        if (end != std::wstring_view::npos) {
            auto it = std::find_if(variables.begin(), variables.end(), [&](const auto& v) {
                return platform::core::equalsNoCase(v.first, in.substr(i + 1, end - i - 1));
            });
            if (it != variables.end() && end > i + 1) {
                out += it->second;
                i = end + 1;
                continue;
            }
        }
        out.push_back(in[i++]);
    }
    const auto needed = static_cast<DWORD>(out.size() + 1);
    if (destination && size >= needed) std::copy(out.c_str(), out.c_str() + needed, destination);
    return needed;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
    platform::core::process().throwIfTerminated();
    const std::wstring path = module ? platform::modules::modulePath(module) : programPath();
    if (path.empty()) return failWith(ERROR_MOD_NOT_FOUND, 0);
    if (!buffer || size == 0) return failWith(ERROR_INSUFFICIENT_BUFFER, 0);
    // Truncated and terminated when it does not fit, as Windows does.
    const auto copied = static_cast<DWORD>(platform::core::copyTruncated(path, buffer, size));
    if (copied < path.size()) return failWith(ERROR_INSUFFICIENT_BUFFER, size);
    SetLastError(ERROR_SUCCESS);
    return copied;
}

LPWSTR GetCommandLineW() {
    auto& env = environmentTable();
    std::lock_guard lock(env.mutex);
    if (env.commandLine.empty()) {
        env.commandLine = L"\"" + programPath() + L"\"";
        for (const auto& argument : platform::core::config().arguments) env.commandLine += L" " + platform::core::quoteArgument(argument);
    }
    return env.commandLine.data();
}

DWORD GetCurrentProcessId() { return 4242; }

HANDLE GetCurrentProcess() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)); }

namespace {

// Ends the process from the calling thread. A process that ends runs none of its code again: a
// worker thread that ends it stops where it is, for good, instead of unwinding through the
// program's frames (their destructors would run after the end); its record goes first, so whoever
// waits for it sees it ended. Only the UI thread, whose caller is the host driving the program,
// unwinds back to it. The registry's lazy writer gets its last chance first.
[[noreturn]] void endProcess(UINT exitCode, const wchar_t* how) {
    platform::core::registryStore().saveChangedHives();
    auto& threads = platform::core::threads();
    if (threads.currentId() == platform::core::kUiThreadId) platform::core::process().terminate(exitCode, how);
    try {
        platform::core::process().terminate(exitCode, how);
    } catch (const platform::core::ProcessTerminated& ended) {
        threads.finishCurrent(ended.exitCode());
    }
    std::mutex never;
    std::condition_variable nothing;
    std::unique_lock lock(never);
    for (;;) nothing.wait(lock);
}

}  // namespace

void ExitProcess(UINT exitCode) { endProcess(exitCode, L"exit"); }

BOOL TerminateProcess(HANDLE process, UINT exitCode) {
    if (process == GetCurrentProcess()) endProcess(exitCode, L"terminate");
    // Other processes belong to the process table of the shell stand-in.
    return failWith(ERROR_INVALID_HANDLE, FALSE);
}
