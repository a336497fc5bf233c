// The UI library's image manager and the program's named image files.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <span>

#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace Korvo::Images {

class ResourceManager {
public:
    // The file of the program's image `name`: "Images\<name>" in the program folder.
    static CString GetImagePath(LPCWSTR name);
};

}  // namespace Korvo::Images

namespace Korvo::UI {

// The library's icons, made the toolkit's process-wide image manager from its first use.
class ImageManager : public CXTPImageManager {
public:
    static ImageManager& GetInstance();
    // The icon of an image file under an id of its own (the same id for the same path): an SVG
    // file is a vector icon. 0, with a journal warning naming the file, when it cannot be read or
    // is no SVG image.
    UINT AddCustomIconFromFile(LPCWSTR path);
    // The file a custom icon came from; empty for other ids.
    CString GetCustomIconPath(UINT id) const;
    // Reserves room for `count` icons of each of the given icon sizes (in pixels) ahead of
    // loading them; a reservation never shrinks.
    void ReserveResources(std::span<const int> iconSizes, int count);
    // The room reserved for icons of one size; 0 for a size never reserved.
    int GetReservedResources(int iconSize) const;
    // The icon of a file as the desktop shows it, large or small: the same id for the same path
    // and size; 0 when the file does not exist.
    UINT GetPathIconId(LPCWSTR path, bool large);
    // The icon of a folder: the first of the candidate files found in it, else the folder's own.
    UINT GetPathIconId(LPCWSTR folder, bool large, std::span<const wchar_t* const> candidates);
    // Drops the cached document icon of a file (it is read again when next shown).
    void RemoveIcon(LPCWSTR path);

private:
    ImageManager() = default;
    std::map<int, int> reserved_;  // icon size -> count
    std::map<CString, UINT> customIds_;  // by the path given
    std::map<std::pair<std::wstring, bool>, UINT> pathIconIds_;  // by path and large flag
    UINT nextCustomId_ = kFirstCustomId;
    static constexpr UINT kFirstCustomId = 0x60000000;
};

}  // namespace Korvo::UI
