#include "platform/win32/cursors.h"

#include <map>
#include <mutex>
#include <string>

#include "platform/core/config.h"
#include "platform/win32/files/file.h"
#include "platform/win32/last_error.h"

namespace {

constexpr DWORD kErrorResourceNameNotFound = 1814;

struct CursorTable {
    std::mutex mutex;
    std::map<UINT_PTR, HCURSOR> byResource;
    std::map<HCURSOR, UINT_PTR> resources;
    std::uintptr_t next = 0x78001;
    HCURSOR shown = nullptr;
};

CursorTable& table() {
    static CursorTable cursors;
    return cursors;
}

}  // namespace

HCURSOR LoadCursorW(HINSTANCE instance, UINT_PTR id) {
    CursorTable& cursors = table();
    const bool system = instance == nullptr && (id == IDC_ARROW || id == IDC_WAIT || id == IDC_APPSTARTING);
    // System cursors are told from the module's by their own range of keys.
    const UINT_PTR key = system ? id | (UINT_PTR{1} << 31) : id;
    {
        std::lock_guard lock(cursors.mutex);
        if (const auto found = cursors.byResource.find(key); found != cursors.byResource.end()) return found->second;
    }
    std::string bytes;
    if (!system &&
        platform::files::readAll(platform::core::config().programFolder + L"\\cursors\\" + std::to_wstring(id) + L".png",
                                 bytes) != ERROR_SUCCESS)
        return platform::win32::failWith(kErrorResourceNameNotFound, HCURSOR{});
    std::lock_guard lock(cursors.mutex);
    const auto handle = reinterpret_cast<HCURSOR>(cursors.next++);
    cursors.byResource[key] = handle;
    cursors.resources[handle] = id;
    return handle;
}

HCURSOR SetCursor(HCURSOR cursor) {
    CursorTable& cursors = table();
    std::lock_guard lock(cursors.mutex);
    const HCURSOR previous = cursors.shown;
    cursors.shown = cursor;
    return previous;
}

HCURSOR GetCursor() {
    CursorTable& cursors = table();
    std::lock_guard lock(cursors.mutex);
    return cursors.shown;
}

namespace platform::win32 {

UINT_PTR cursorResource(HCURSOR cursor) {
    CursorTable& cursors = table();
    std::lock_guard lock(cursors.mutex);
    const auto found = cursors.resources.find(cursor);
    return found == cursors.resources.end() ? 0 : found->second;
}

}  // namespace platform::win32
