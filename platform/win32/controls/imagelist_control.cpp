#include "platform/win32/controls/imagelist.h"

#include <optional>
#include <vector>

#include "platform/win32/handle_table.h"
#include "platform/win32/icons.h"
#include "platform/win32/last_error.h"

namespace {

// What an image shows: the resource its icon came from (0 for a made icon).
struct List {
    int width = 0;
    int height = 0;
    std::vector<UINT> images;
};

using Lists = platform::win32::HandleTable<HIMAGELIST, List>;

Lists& lists() {
    static Lists table(0x1A0001);
    return table;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT, int initial, int grow) {
    if (cx <= 0 || cy <= 0 || initial < 0 || grow < 0) return platform::win32::failWith(ERROR_INVALID_PARAMETER, HIMAGELIST{});
    return lists().add(List{cx, cy, {}});
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    return lists().remove(list) ? TRUE : platform::win32::failWith(ERROR_INVALID_HANDLE, FALSE);
}

int ImageList_GetImageCount(HIMAGELIST list) {
    return lists().with(list, [](const List* found) { return found ? static_cast<int>(found->images.size()) : 0; });
}

int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon) {
    int width = 0, height = 0;
    if (!platform::win32::iconSize(icon, width, height)) return platform::win32::failWith(ERROR_INVALID_HANDLE, -1);
    const UINT resource = platform::win32::iconResource(icon);
    return lists().with(list, [&](List* found) {
        if (!found) return platform::win32::failWith(ERROR_INVALID_HANDLE, -1);
        std::vector<UINT>& images = found->images;
        if (index == -1) {
            images.push_back(resource);
            return static_cast<int>(images.size()) - 1;
        }
        if (index < 0 || index >= static_cast<int>(images.size())) return platform::win32::failWith(ERROR_INVALID_PARAMETER, -1);
        images[static_cast<std::size_t>(index)] = resource;
        return index;
    });
}

BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy) {
    return lists().with(list, [&](const List* found) {
        if (!found || !cx || !cy) return platform::win32::failWith(ERROR_INVALID_PARAMETER, FALSE);
        *cx = found->width;
        *cy = found->height;
        return TRUE;
    });
}

HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT) {
    // The icon is made outside the list's lock: the icon table has its own.
    struct Image {
        int width, height;
        UINT resource;
    };
    const std::optional<Image> image = lists().with(list, [index](const List* found) -> std::optional<Image> {
        if (!found || index < 0 || index >= static_cast<int>(found->images.size())) return std::nullopt;
        return Image{found->width, found->height, found->images[static_cast<std::size_t>(index)]};
    });
    if (!image) return platform::win32::failWith(ERROR_INVALID_PARAMETER, HICON{});
    return platform::win32::createIcon(image->width, image->height, image->resource);
}
