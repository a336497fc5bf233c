#include "platform/win32/controls/imagelist.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

#include "platform/win32/icons.h"
#include "platform/win32/last_error.h"

namespace {

// What an image shows: the resource its icon came from (0 for a made icon).
struct List {
    int width = 0;
    int height = 0;
    std::vector<UINT> images;
};

struct Lists {
    std::mutex mutex;
    std::map<HIMAGELIST, List> byHandle;
    std::uintptr_t next = 0x1A0001;
};

Lists& lists() {
    static Lists table;
    return table;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT, int initial, int grow) {
    if (cx <= 0 || cy <= 0 || initial < 0 || grow < 0) return platform::win32::failWith(ERROR_INVALID_PARAMETER, HIMAGELIST{});
    Lists& table = lists();
    std::lock_guard lock(table.mutex);
    const auto handle = reinterpret_cast<HIMAGELIST>(table.next++);
    table.byHandle[handle] = List{cx, cy, {}};
    return handle;
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    Lists& table = lists();
    std::lock_guard lock(table.mutex);
    return table.byHandle.erase(list) > 0 ? TRUE : platform::win32::failWith(ERROR_INVALID_HANDLE, FALSE);
}

int ImageList_GetImageCount(HIMAGELIST list) {
    Lists& table = lists();
    std::lock_guard lock(table.mutex);
    const auto found = table.byHandle.find(list);
    return found == table.byHandle.end() ? 0 : static_cast<int>(found->second.images.size());
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
    int width = 0, height = 0;
    if (!platform::win32::iconSize(icon, width, height)) return platform::win32::failWith(ERROR_INVALID_HANDLE, -1);
    const UINT resource = platform::win32::iconResource(icon);
    Lists& table = lists();
    std::lock_guard lock(table.mutex);
    const auto found = table.byHandle.find(list);
    if (found == table.byHandle.end()) return platform::win32::failWith(ERROR_INVALID_HANDLE, -1);
    std::vector<UINT>& images = found->second.images;
    if (index == -1) {
        images.push_back(resource);
        return static_cast<int>(images.size()) - 1;
    }
    if (index < 0 || index >= static_cast<int>(images.size())) return platform::win32::failWith(ERROR_INVALID_PARAMETER, -1);
    images[static_cast<std::size_t>(index)] = resource;
    return index;
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    Lists& table = lists();
    std::lock_guard lock(table.mutex);
    const auto found = table.byHandle.find(list);
    if (found == table.byHandle.end() || !cx || !cy) return platform::win32::failWith(ERROR_INVALID_PARAMETER, FALSE);
    *cx = found->second.width;
    *cy = found->second.height;
    return TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT) {
    int width = 0, height = 0;
    UINT resource = 0;
    {
        Lists& table = lists();
        std::lock_guard lock(table.mutex);
        const auto found = table.byHandle.find(list);
        if (found == table.byHandle.end() || index < 0 || index >= static_cast<int>(found->second.images.size()))
            return platform::win32::failWith(ERROR_INVALID_PARAMETER, HICON{});
        width = found->second.width;
        height = found->second.height;
        resource = found->second.images[static_cast<std::size_t>(index)];
    }
    return platform::win32::createIcon(width, height, resource);
}
