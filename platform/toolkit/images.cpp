#include "platform/toolkit/images.h"

CXTPImageManagerIconSet::~CXTPImageManagerIconSet() {
    for (auto& [width, icon] : icons_) icon->InternalRelease();
}

void CXTPImageManagerIconSet::SetIcon(CXTPImageManagerIcon* icon) {
    if (!icon) return;
    CXTPImageManagerIcon*& slot = icons_[icon->GetWidth()];
    if (slot && slot != icon) slot->InternalRelease();
    slot = icon;
}
