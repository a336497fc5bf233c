#include "platform/win32/process/process_start.h"

#include <cstdarg>

#include "platform/win32/files/file.h"

#include "platform/core/api_text.h"
#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/winpath.h"
#include "platform/win32/process/pipes.h"
#include "platform/win32/process/programs.h"
#include "platform/win32/process/restart_manager.h"
#include "platform/win32/process/system.h"
#include "platform/win32/window/window.h"
#include "platform/win32/process/thread.h"

namespace {

DWORD& nextProcessId() {
    static DWORD id = 1000;
    return id;
}

// Handles of a started program that never ends.
void giveHandles(PROCESS_INFORMATION* processInformation, DWORD id) {
    if (!processInformation) return;
    processInformation->hProcess = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    processInformation->hThread = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    processInformation->dwProcessId = id;
    processInformation->dwThreadId = 1;
}

BOOL startOtherProgram(std::wstring_view path, LPWSTR commandLine, BOOL inheritHandles, const STARTUPINFOW& startupInfo,
                       const std::wstring& text, PROCESS_INFORMATION* processInformation) {
    const std::wstring file(path);
    const DWORD attributes = GetFileAttributesW(file.c_str());
    std::string bytes;
    if (file.empty() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        platform::files::readAll(file, bytes) != 0) {
        platform::core::journal().add("process", L"cannot start " + text);
        ::SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    auto run = std::make_shared<platform::win32::ProgramRun>();
    run->path = file;
    run->commandLine = std::wstring(platform::core::viewOf(commandLine));
    run->readsInput = bytes.find("exits-early") == std::string::npos;
    if (startupInfo.dwFlags & STARTF_USESTDHANDLES) {
        // Only an inherited handle reaches the program; without one it reads nothing.
        if (!inheritHandles || !platform::win32::giveStandardInput(startupInfo.hStdInput, run)) run->inputEnded = true;
    } else {
        run->inputEnded = true;
    }
    platform::win32::addProgramRun(run);
    platform::core::journal().add("process", L"started " + text);
    giveHandles(processInformation, ++nextProcessId());
    ::SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace

BOOL CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                    BOOL inheritHandles, DWORD, LPVOID, LPCWSTR, STARTUPINFOW* startupInfo,
                    PROCESS_INFORMATION* processInformation) {
    wchar_t own[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, own, MAX_PATH);
    const std::wstring_view path = platform::core::viewOf(applicationName);
    const std::wstring text = platform::core::quoted(path) + L" " + platform::core::quoted(platform::core::viewOf(commandLine)) +
                              (inheritHandles ? L" inheriting handles" : L"");
    if (!startupInfo || startupInfo->cb != sizeof(STARTUPINFOW)) {
        platform::core::journal().add("process", L"cannot start " + text + L": CreateProcessW needs a STARTUPINFOW whose cb is its size");
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (!platform::core::equalsNoCase(path, own)) return startOtherProgram(path, commandLine, inheritHandles, *startupInfo,
                                                                           text, processInformation);
    platform::core::journal().add("process", L"started " + text);
    const DWORD id = ++nextProcessId();
    platform::processes::addProcess(id, platform::core::winpath::fileName(own), own);
    giveHandles(processInformation, id);
    ::SetLastError(ERROR_SUCCESS);
    return TRUE;
}

void GetStartupInfoW(STARTUPINFOW* startupInfo) {
    if (!startupInfo) return;
    startupInfo->cb = sizeof(STARTUPINFOW);
    startupInfo->dwFlags = 0;
    startupInfo->wShowWindow = SW_SHOWNORMAL;
}

BOOL AllowSetForegroundWindow(DWORD processId) {
    platform::core::recordCall(L"AllowSetForegroundWindow(" + std::to_wstring(processId) + L")");
    return TRUE;
}

intptr_t _wspawnl(int mode, const wchar_t* path, const wchar_t* arg0, ...) {
    using platform::core::quoted;
    std::wstring text = quoted(platform::core::viewOf(path));
    va_list list;
    va_start(list, arg0);
    for (const wchar_t* argument = arg0; argument; argument = va_arg(list, const wchar_t*)) {
        text += L" " + quoted(std::wstring_view(argument));
    }
    va_end(list);
    if (mode != _P_NOWAIT) {
        platform::core::reportFailure(L"_wspawnl(" + std::to_wstring(mode) + L", " + text + L"): only _P_NOWAIT is known");
        return -1;
    }
    const DWORD attributes = path ? ::GetFileAttributesW(path) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        platform::core::journal().add("process", L"cannot spawn " + text);
        return -1;
    }
    platform::core::journal().add("process", L"spawned " + text);
    return reinterpret_cast<intptr_t>(platform::win32::startProgram(platform::core::viewOf(path)));
}
