#include "platform/toolkit/commandbars/images.h"

#include <algorithm>

#include "platform/win32/gdi.h"
#include "platform/win32/files/file.h"
#include "platform/win32/icons.h"
#include "platform/win32/icon_files.h"

CXTPImageManagerIcon::CXTPImageManagerIcon(UINT id, int width, int height, std::vector<std::uint32_t> pixels)
    : id_(id), width_(width), height_(height), vector_(false), resource_(id) {
    if (width > 0 && height > 0 && pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        pixels_ = std::move(pixels);
}

BOOL CXTPImageManagerIcon::Draw(HDC dc, POINT point, SIZE size) const {
    if (!dc || pixels_.empty() || size.cx <= 0 || size.cy <= 0) return FALSE;
    // Transparent pixels are left out by drawing the icon as runs of opaque pixels, one row at a time.
    std::vector<std::uint32_t> opaque(pixels_.size());
    for (std::size_t i = 0; i < pixels_.size(); ++i) opaque[i] = pixels_[i] & 0x00FFFFFFu;
    HBITMAP bitmap = platform::win32::createBitmap(width_, height_, std::move(opaque));
    if (!bitmap) return FALSE;
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ previous = ::SelectObject(source, bitmap);
    BOOL drawn = TRUE;
    const bool allOpaque =
        std::all_of(pixels_.begin(), pixels_.end(), [](std::uint32_t pixel) { return (pixel >> 24) >= 0x80; });
    if (allOpaque) drawn = ::StretchBlt(dc, point.x, point.y, size.cx, size.cy, source, 0, 0, width_, height_, SRCCOPY);
    for (int y = 0; !allOpaque && y < height_; ++y)
        for (int x = 0; x < width_;) {
            if ((pixels_[static_cast<std::size_t>(y) * width_ + x] >> 24) < 0x80) {
                ++x;
                continue;
            }
            int end = x;
            while (end < width_ && (pixels_[static_cast<std::size_t>(y) * width_ + end] >> 24) >= 0x80) ++end;
            const int left = point.x + x * size.cx / width_, right = point.x + end * size.cx / width_;
            const int top = point.y + y * size.cy / height_, bottom = point.y + (y + 1) * size.cy / height_;
            if (right > left && bottom > top)
                drawn = ::StretchBlt(dc, left, top, right - left, bottom - top, source, x, y, end - x, 1, SRCCOPY) && drawn;
            x = end;
        }
    ::SelectObject(source, previous);
    ::DeleteDC(source);
    ::DeleteObject(bitmap);
    return drawn;
}

CXTPImageManagerIconSet::~CXTPImageManagerIconSet() {
    for (auto& [width, icon] : icons_) icon->InternalRelease();
}

void CXTPImageManagerIconSet::SetIcon(CXTPImageManagerIcon* icon) {
    if (!icon) return;
    CXTPImageManagerIcon*& slot = icons_[icon->GetWidth()];
    if (slot && slot != icon) slot->InternalRelease();
    slot = icon;
}

CXTPImageManager::~CXTPImageManager() { RemoveAll(); }

void CXTPImageManager::SetIcon(UINT id, int width, bool vector) {
    CXTPImageManagerIconSet*& set = sets_[id];
    if (!set) set = new CXTPImageManagerIconSet(id);
    set->SetIcon(new CXTPImageManagerIcon(id, width, vector));
}

void CXTPImageManager::SetIcon(UINT id, int width, UINT resource) {
    CXTPImageManagerIconSet*& set = sets_[id];
    if (!set) set = new CXTPImageManagerIconSet(id);
    set->SetIcon(new CXTPImageManagerIcon(id, width, false, resource));
}

BOOL CXTPImageManager::SetIcon(HICON icon, UINT id, int width) {
    int iconWidth = 0, iconHeight = 0;
    if (width <= 0 || !platform::win32::iconSize(icon, iconWidth, iconHeight)) return FALSE;
    // The copy carries the icon's image: the resource it stands for, when it has one.
    SetIcon(id, width, platform::win32::iconResource(icon));
    return TRUE;
}

BOOL CXTPImageManager::SetIconFromIcoFile(LPCWSTR path, UINT id) {
    std::string bytes;
    if (!path || platform::files::readAll(path, bytes) != 0) return FALSE;
    const auto widths = platform::win32::iconFileWidths(bytes);
    if (!widths) return FALSE;
    for (const int width : *widths) SetIcon(id, width, false);
    return TRUE;
}

BOOL CXTPImageManager::SetIconFromResource(HMODULE module, UINT resource, UINT id) {
    if (!module) return FALSE;
    SetIcon(id, 16, resource);
    return TRUE;
}

void CXTPImageManager::SetIcon(UINT id, CXTPImageManagerIcon* icon) {
    if (!icon) return;
    CXTPImageManagerIconSet*& set = sets_[id];
    if (!set) set = new CXTPImageManagerIconSet(id);
    set->SetIcon(icon);
}

CXTPImageManagerIconSet* CXTPImageManager::GetIconSet(UINT id) const {
    const auto it = sets_.find(id);
    return it == sets_.end() ? nullptr : it->second;
}

CXTPImageManagerIcon* CXTPImageManager::Lookup(UINT id, int width) const {
    const CXTPImageManagerIconSet* set = GetIconSet(id);
    if (!set) return nullptr;
    const auto it = set->GetIcons().find(width);
    return it == set->GetIcons().end() ? nullptr : it->second;
}

CXTPImageManagerIcon* CXTPImageManager::GetImage(UINT id, int width) const {
    if (CXTPImageManagerIcon* icon = Lookup(id, width)) return icon;
    const CXTPImageManagerIconSet* set = GetIconSet(id);
    if (!set) return nullptr;
    for (const auto& [size, icon] : set->GetIcons())
        if (icon->IsVectorIcon()) return icon;
    // The raster icon nearest in width, the wider of two as near (shrinking loses less).
    CXTPImageManagerIcon* nearest = nullptr;
    int distance = 0;
    for (const auto& [size, icon] : set->GetIcons()) {
        const int off = size > width ? size - width : width - size;
        if (!nearest || off <= distance) {
            nearest = icon;
            distance = off;
        }
    }
    return nearest;
}

void CXTPImageManager::RemoveIcon(UINT id) {
    const auto it = sets_.find(id);
    if (it == sets_.end()) return;
    it->second->InternalRelease();
    sets_.erase(it);
}

void CXTPImageManager::RemoveAll() {
    for (auto& [id, set] : sets_) set->InternalRelease();
    sets_.clear();
}

namespace {
CXTPImageManager*& globalImageManager() {
    // Lives until the process ends, as the toolkit keeps it until it is unloaded.
    static CXTPImageManager* manager = new CXTPImageManager;
    return manager;
}
}  // namespace

CXTPImageManager* XTPImageManager() { return globalImageManager(); }

void XTPSetImageManager(CXTPImageManager* manager) {
    if (!manager || manager == globalImageManager()) return;
    // What still holds the one replaced may go on using it until the process ends.
    static auto* const replaced = new std::vector<CXTPImageManager*>;
    replaced->push_back(globalImageManager());
    globalImageManager() = manager;
}
