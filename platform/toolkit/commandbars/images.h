// The toolkit's image manager icons, at their least: an icon set holds one icon per width, each a
// raster or a vector image.
#pragma once

#include <map>

#include "platform/mfc.h"

class CXTPImageManagerIcon : public CCmdTarget {
public:
    CXTPImageManagerIcon(UINT id, int width, bool vector, UINT resource = 0)
        : id_(id), width_(width), vector_(vector), resource_(resource ? resource : id) {}
    UINT GetID() const { return id_; }
    // The icon resource the image was loaded from (the command's own number unless given).
    UINT GetResourceID() const { return resource_; }
    int GetWidth() const { return width_; }
    bool IsVectorIcon() const { return vector_; }

private:
    UINT id_;
    int width_;
    bool vector_;
    UINT resource_;
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
    // The icon of `id` at `width`, or null.
    CXTPImageManagerIcon* Lookup(UINT id, int width) const;
    CXTPImageManagerIconSet* GetIconSet(UINT id) const;
    void RemoveIcon(UINT id);
    void RemoveAll();
    int GetIconSetCount() const { return static_cast<int>(sets_.size()); }

private:
    std::map<UINT, CXTPImageManagerIconSet*> sets_;
};

// The toolkit's process-wide image manager (icons that no command bars own).
CXTPImageManager* XTPImageManager();
