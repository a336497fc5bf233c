#include "app/automation/processes_using_file.h"

#include <array>

#include "platform/diagnostics.h"

namespace {

constexpr DWORD kImagePathRoom = 4096;

CString ImagePathOf(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return {};
    std::vector<WCHAR> buffer(kImagePathRoom + 1, L'\0');
    DWORD size = kImagePathRoom;
    const bool found = QueryFullProcessImageNameW(process, 0, buffer.data(), &size);
    CloseHandle(process);
    return found ? CString(buffer.data()) : CString();
}

}  // namespace

ProcessesUsingFile::~ProcessesUsingFile() {
    if (module_) FreeLibrary(module_);
}

bool ProcessesUsingFile::Load() {
    if (tried_) return start_ != nullptr;
    tried_ = true;
    module_ = LoadLibraryW(L"rstrtmgr.dll");
    if (!module_) return false;
    auto start = reinterpret_cast<RmStartSessionFunction>(reinterpret_cast<void (*)()>(GetProcAddress(module_, "RmStartSession")));
    auto registerResources = reinterpret_cast<RmRegisterResourcesFunction>(reinterpret_cast<void (*)()>(GetProcAddress(module_, "RmRegisterResources")));
    auto list = reinterpret_cast<RmGetListFunction>(reinterpret_cast<void (*)()>(GetProcAddress(module_, "RmGetList")));
    auto end = reinterpret_cast<RmEndSessionFunction>(reinterpret_cast<void (*)()>(GetProcAddress(module_, "RmEndSession")));
    if (!start || !registerResources || !list || !end) return false;
    start_ = start;
    register_ = registerResources;
    list_ = list;
    end_ = end;
    return true;
}

DWORD ProcessesUsingFile::Query(std::vector<std::pair<CString, CString>>& programs, LPCWSTR path) {
    if (path == nullptr || *path == L'\0' || !Load()) return ERROR_SUCCESS;
    DWORD session = 0;
    std::array<WCHAR, CCH_RM_SESSION_KEY + 1> key{};
    DWORD result = start_(&session, 0, key.data());
    if (result != ERROR_SUCCESS) return result;

    LPCWSTR files[] = {path};
    result = register_(session, 1, files, 0, nullptr, 0, nullptr);
    if (result != ERROR_SUCCESS) {
        KVLog_WriteF(7, L"Failed to register restart manager session resources for the file \"%s\": 0x%08x", path, result);
    } else {
        UINT needed = 0;
        UINT room = 0;
        DWORD reasons = 0;
        result = list_(session, &needed, &room, nullptr, &reasons);
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) {
            KVLog_WriteF(7, L"Failed to get the number of applications and services using the file \"%s\": 0x%08x", path, result);
        } else if (needed > 0) {
            // The manager is told the room the first answer asked for, never more: when another
            // program opened the file meanwhile it answers "more data", which is a failed list.
            std::vector<RM_PROCESS_INFO> list(needed);
            room = needed;
            result = list_(session, &needed, &room, list.data(), &reasons);
            if (result != ERROR_SUCCESS) {
                KVLog_WriteF(7, L"Failed to get the list of applications and services using the file \"%s\": 0x%08x", path, result);
            } else {
                const DWORD self = GetCurrentProcessId();
                for (UINT i = 0; i < room && i < list.size(); ++i) {
                    const RM_UNIQUE_PROCESS& process = list[i].Process;
                    if (process.dwProcessId == self) continue;
                    programs.emplace_back(CString(list[i].strAppName), ImagePathOf(process.dwProcessId));
                }
            }
        } else {
            result = ERROR_SUCCESS;
        }
    }
    end_(session);
    return result;
}
