// The toolkit's image manager icons, at their least: an icon set holds one icon per width, each a
// raster or a vector image, a raster one with its pixels when its maker gave them.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "platform/mfc.h"

class CXTPPropExchange;

class CXTPImageManagerIcon : public CCmdTarget {
public:
    CXTPImageManagerIcon(UINT id, int width, bool vector, UINT resource = 0)
        : id_(id), width_(width), height_(width), vector_(vector), resource_(resource ? resource : id) {}
    // A raster icon of these pixels (0xAARRGGBB, rows from the top); a count that does not match
    // the size leaves the icon without pixels.
    CXTPImageManagerIcon(UINT id, int width, int height, std::vector<std::uint32_t> pixels);
    UINT GetID() const { return id_; }
    // The icon resource the image was loaded from (the command's own number unless given).
    UINT GetResourceID() const { return resource_; }
    int GetWidth() const { return width_; }
    int GetHeight() const { return height_; }
    bool IsVectorIcon() const { return vector_; }
    const std::vector<std::uint32_t>& GetPixels() const { return pixels_; }

    // Draws the icon with its top-left corner at `point`, `size` pixels large: its opaque pixels
    // (alpha above half) are copied, the others leave the DC as it was. FALSE for an icon without
    // pixels or a DC that takes no drawing.
    BOOL Draw(HDC dc, POINT point, SIZE size) const;

private:
    UINT id_;
    int width_;
    int height_;
    bool vector_;
    UINT resource_;
    std::vector<std::uint32_t> pixels_;
};

// The icons of one command id, by width. The set holds one reference per icon.
class CXTPImageManagerIconSet : public CCmdTarget {
public:
    explicit CXTPImageManagerIconSet(UINT id) : id_(id) {}
    ~CXTPImageManagerIconSet() override;
    CXTPImageManagerIconSet(const CXTPImageManagerIconSet&) = delete;
    CXTPImageManagerIconSet& operator=(const CXTPImageManagerIconSet&) = delete;

    UINT GetID() const { return id_; }
    // Takes over the reference that comes with `icon`; an icon of the same width is released.
    void SetIcon(CXTPImageManagerIcon* icon);
    const std::map<int, CXTPImageManagerIcon*>& GetIcons() const { return icons_; }

private:
    UINT id_;
    std::map<int, CXTPImageManagerIcon*> icons_;
};

// The icons of command bars by command id and width. Shared between owners by reference count
// (InternalAddRef / InternalRelease).
class CXTPImageManager : public CCmdTarget {
public:
    CXTPImageManager() = default;
    ~CXTPImageManager() override;
    CXTPImageManager(const CXTPImageManager&) = delete;
    CXTPImageManager& operator=(const CXTPImageManager&) = delete;

    // Adds (or replaces) the icon of `id` at `width`.
    void SetIcon(UINT id, int width, bool vector = false);
    // Adds (or replaces) the icon of `id` at `width` with the image of icon resource `resource`.
    void SetIcon(UINT id, int width, UINT resource);
    // Adds (or replaces) the 16-pixel icon of `id` with icon resource `resource` of `module`;
    // FALSE (nothing changes) without a module.
    BOOL SetIconFromResource(HMODULE module, UINT resource, UINT id);
    // Adds (or replaces) the icon of `id` at `width` with a copy of icon `icon`; FALSE (nothing
    // changes) for a handle that is no icon or a width that is not positive.
    BOOL SetIcon(HICON icon, UINT id, int width);
    // Adds (or replaces) the icons of `id` with every image of the icon file at `path`, each at
    // its width; FALSE, with nothing changed, when the file cannot be read or is no icon file (a
    // header of reserved 0 and type 1, and a directory of 16-byte entries that fits the file).
    BOOL SetIconFromIcoFile(LPCWSTR path, UINT id);
    // Adds (or replaces) the icon of `id` at its width; takes over the caller's reference.
    void SetIcon(UINT id, CXTPImageManagerIcon* icon);
    // The icon of `id` at `width`, or null.
    CXTPImageManagerIcon* Lookup(UINT id, int width) const;
    // The image of `id` to show at `width`: the icon of that width, else a vector icon of the
    // set (it draws at any width), else the raster icon nearest in width (the wider one when two
    // are as near); null for no icon of `id`.
    CXTPImageManagerIcon* GetImage(UINT id, int width) const;
    CXTPImageManagerIconSet* GetIconSet(UINT id) const;
    void RemoveIcon(UINT id);
    void RemoveAll();
    // The icons of `id` in `px`: one "Image" section per width ("Width", "Height", "Vector",
    // "Resource" and, for a raster icon with pixels, "Pixels" as 8 hex digits each). Loading
    // replaces the widths it reads; an image that does not read whole is left out (reported).
    void DoPropExchange(UINT id, CXTPPropExchange* px);
    int GetIconSetCount() const { return static_cast<int>(sets_.size()); }
    // Every icon set in id order.
    template <class F>
    void ForEachIconSet(F&& callback) const {
        for (const auto& [id, set] : sets_) callback(id, set);
    }

private:
    std::map<UINT, CXTPImageManagerIconSet*> sets_;
};

// The toolkit's process-wide image manager (icons that no command bars own).
CXTPImageManager* XTPImageManager();
// Makes `manager` the process-wide one from now on (a library that brings its own); the caller
// keeps it alive for the rest of the process. Null is refused.
void XTPSetImageManager(CXTPImageManager* manager);
