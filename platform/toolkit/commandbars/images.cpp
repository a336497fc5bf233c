#include "platform/toolkit/commandbars/images.h"

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

CXTPImageManager* XTPImageManager() {
    // Lives until the process ends, as the toolkit keeps it until it is unloaded.
    static CXTPImageManager* const manager = new CXTPImageManager;
    return manager;
}
