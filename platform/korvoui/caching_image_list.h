// The UI library's image list that caches one image per path: the shell's picture of a file or
// folder is added once and found again by its path.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/mfc.h"

namespace Korvo::UI {

class CachingImageList {
public:
    static constexpr UINT ILC_MASK = 0x0001;
    static constexpr UINT ILC_COLOR32 = 0x0020;

    // A fresh list of images cx by cy pixels; false for a size below one pixel.
    bool Create(int cx, int cy, UINT flags, int initial, int grow);
    bool IsCreated() const { return created_; }
    // Forgets every image and path (the list must be created again before use).
    void Clear();
    // A picture of its own (a fixed icon); its index.
    int Add(const CString& name);
    // The index of the path's picture, added at its first use; -1 when the path has no picture
    // (nothing is there) or the list is not created. Paths compare case-insensitively.
    int AddForPath(const CString& path);
    int GetImageCount() const { return static_cast<int>(images_.size()); }
    // What image `index` shows: a fixed icon's name or a path; empty outside the list.
    CString GetImageName(int index) const;
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    // How many pictures were made for paths since the list was created (cache misses).
    int GetPathLookups() const { return pathLookups_; }

private:
    bool created_ = false;
    int width_ = 0, height_ = 0;
    std::vector<CString> images_;
    std::map<std::wstring, int> byPath_;
    int pathLookups_ = 0;
};

}  // namespace Korvo::UI
