// The restart manager over a process table of this process's own making.
#include "platform/win32/process/restart_manager.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "platform/core/config.h"
#include "platform/core/hostfs.h"
#include "platform/core/process.h"
#include "platform/core/text.h"
#include "platform/win32/format.h"
#include "platform/win32/last_error.h"
#include "platform/win32/process/kernel_objects.h"
#include "platform/win32/process/module.h"
#include "platform/win32/process/system.h"
#include "platform/win32/window/window_table.h"

namespace {

using platform::win32::failWith;
namespace winpath = platform::core::winpath;

constexpr DWORD ERROR_BAD_ARGUMENTS = 160;

struct Process {
    std::wstring appName;
    std::wstring imagePath;
    std::set<std::wstring, platform::core::NoCaseLess> heldFiles;
};

struct Session {
    std::vector<std::wstring> files;
};

struct ProcessTable {
    std::map<DWORD, Process> processes;
    std::map<DWORD, Session> sessions;
    DWORD nextSession = 1;
    std::function<void()> afterNextList;
    std::map<std::string, DWORD> failNext;
};

ProcessTable& table() {
    static ProcessTable& processes = platform::core::process().table<ProcessTable>();
    // The program is always running; its name and image come from the configuration.
    const DWORD self = GetCurrentProcessId();
    if (!processes.processes.contains(self)) {
        const std::wstring image = platform::modules::modulePath(platform::modules::programModule());
        processes.processes[self] = Process{winpath::fileName(image), image, {}};
    }
    return processes;
}

bool failing(ProcessTable& processes, const char* function, DWORD& error) {
    auto it = processes.failNext.find(function);
    if (it == processes.failNext.end()) return false;
    error = it->second;
    processes.failNext.erase(it);
    return true;
}

struct ProcessObject : platform::win32::KernelObject {
    ProcessObject() : KernelObject(Kind::Process) {}
    DWORD processId = 0;
};

void copyText(WCHAR* to, std::size_t room, std::wstring_view text) {
    const std::size_t length = std::min(text.size(), room - 1);
    std::copy_n(text.data(), length, to);
    to[length] = L'\0';
}

DWORD StartSession(DWORD* session, DWORD, WCHAR* sessionKey) {
    if (session == nullptr || sessionKey == nullptr) return ERROR_INVALID_PARAMETER;
    auto lock = platform::win32::lockPlatform();
    auto& processes = table();
    DWORD error = 0;
    if (failing(processes, "RmStartSession", error)) return error;
    *session = processes.nextSession++;
    processes.sessions[*session] = {};
    copyText(sessionKey, CCH_RM_SESSION_KEY + 1, platform::format(L"%08x", static_cast<unsigned>(*session)));
    return ERROR_SUCCESS;
}

DWORD RegisterResources(DWORD session, UINT files, LPCWSTR* fileNames, UINT applications, RM_UNIQUE_PROCESS*, UINT services,
                        LPCWSTR*) {
    auto lock = platform::win32::lockPlatform();
    auto& processes = table();
    auto it = processes.sessions.find(session);
    if (it == processes.sessions.end()) return ERROR_INVALID_HANDLE;
    // Only files are ever registered by this program; anything else it cannot honour.
    if (applications != 0 || services != 0 || (files != 0 && fileNames == nullptr)) return ERROR_BAD_ARGUMENTS;
    DWORD error = 0;
    if (failing(processes, "RmRegisterResources", error)) return error;
    // A refused list registers none of its names: the caller's later list is not of part of it.
    for (UINT i = 0; i < files; ++i)
        if (fileNames[i] == nullptr || *fileNames[i] == L'\0') return ERROR_BAD_ARGUMENTS;
    for (UINT i = 0; i < files; ++i) {
        auto full = platform::core::hostFs().fullPath(fileNames[i]);
        it->second.files.push_back(full ? *full : std::wstring(fileNames[i]));
    }
    return ERROR_SUCCESS;
}

DWORD GetList(DWORD session, UINT* needed, UINT* room, RM_PROCESS_INFO* list, DWORD* rebootReasons) {
    std::function<void()> after;
    DWORD result = ERROR_SUCCESS;
    {
        auto lock = platform::win32::lockPlatform();
        auto& processes = table();
        auto it = processes.sessions.find(session);
        if (it == processes.sessions.end()) return ERROR_INVALID_HANDLE;
        if (needed == nullptr || room == nullptr || rebootReasons == nullptr || (*room != 0 && list == nullptr))
            return ERROR_INVALID_PARAMETER;
        after = std::exchange(processes.afterNextList, nullptr);
        if (failing(processes, "RmGetList", result)) {
        } else {
            std::vector<std::pair<DWORD, const Process*>> holders;
            for (const auto& entry : processes.processes) {
                const Process& process = entry.second;
                const bool holds = std::any_of(it->second.files.begin(), it->second.files.end(),
                                               [&](const std::wstring& file) { return process.heldFiles.contains(file); });
                if (holds) holders.emplace_back(entry.first, &process);
            }
            *needed = static_cast<UINT>(holders.size());
            *rebootReasons = 0;
            if (*room < holders.size()) {
                result = ERROR_MORE_DATA;
            } else {
                for (std::size_t i = 0; i < holders.size(); ++i) {
                    RM_PROCESS_INFO& info = list[i];
                    info = RM_PROCESS_INFO{};
                    info.Process.dwProcessId = holders[i].first;
                    copyText(info.strAppName, CCH_RM_MAX_APP_NAME + 1, holders[i].second->appName);
                    info.ApplicationType = 1000;  // a program the manager cannot restart
                }
                *room = static_cast<UINT>(holders.size());
            }
        }
    }
    if (after) after();
    return result;
}

DWORD EndSession(DWORD session) {
    auto lock = platform::win32::lockPlatform();
    auto& processes = table();
    DWORD error = 0;
    if (failing(processes, "RmEndSession", error)) return error;
    return processes.sessions.erase(session) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

// The export set is there from the start, as the system's module is.
const bool kRegistered = [] {
    platform::modules::registerExportSet(
        "restartmanager", {{"RmStartSession", reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&StartSession))},
                           {"RmRegisterResources", reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&RegisterResources))},
                           {"RmGetList", reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&GetList))},
                           {"RmEndSession", reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&EndSession))}});
    return true;
}();

}  // namespace

HANDLE OpenProcess(DWORD, BOOL, DWORD processId) {
    auto lock = platform::win32::lockPlatform();
    if (!table().processes.contains(processId)) return failWith(ERROR_INVALID_PARAMETER, nullptr);
    auto object = std::make_shared<ProcessObject>();
    object->processId = processId;
    SetLastError(ERROR_SUCCESS);
    return platform::win32::addHandle(std::move(object));
}

BOOL QueryFullProcessImageNameW(HANDLE process, DWORD, LPWSTR name, DWORD* size) {
    auto lock = platform::win32::lockPlatform();
    auto object = platform::win32::findObject(process);
    if (!object || object->kind != platform::win32::KernelObject::Kind::Process) return failWith(ERROR_INVALID_HANDLE, FALSE);
    auto& processes = table();
    auto it = processes.processes.find(std::static_pointer_cast<ProcessObject>(object)->processId);
    if (it == processes.processes.end()) return failWith(ERROR_INVALID_HANDLE, FALSE);
    const std::wstring& image = it->second.imagePath;
    if (name == nullptr || size == nullptr || *size <= image.size()) return failWith(ERROR_INSUFFICIENT_BUFFER, FALSE);
    copyText(name, *size, image);
    *size = static_cast<DWORD>(image.size());
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

namespace platform::processes {

void addProcess(DWORD id, std::wstring appName, std::wstring imagePath) {
    auto lock = platform::win32::lockPlatform();
    auto& process = table().processes[id];
    process.appName = std::move(appName);
    process.imagePath = std::move(imagePath);
}

void holdFile(DWORD id, std::wstring path) {
    auto lock = platform::win32::lockPlatform();
    auto& processes = table();
    auto it = processes.processes.find(id);
    if (it == processes.processes.end()) throw std::invalid_argument("holdFile: no process " + std::to_string(id));
    auto full = platform::core::hostFs().fullPath(path);
    it->second.heldFiles.insert(full ? *full : path);
}

void afterNextList(std::function<void()> action) {
    auto lock = platform::win32::lockPlatform();
    table().afterNextList = std::move(action);
}

void failNext(std::string function, DWORD error) {
    auto lock = platform::win32::lockPlatform();
    table().failNext[std::move(function)] = error;
}

}  // namespace platform::processes
