#include "platform/kernel/profiles/profile_item.h"

#include <algorithm>

#include "platform/kernel/strings.h"

namespace {

std::vector<KorvoProfileItem*>& liveItems() {
    static std::vector<KorvoProfileItem*> items;
    return items;
}

}  // namespace

KorvoProfileItem::KorvoProfileItem(LPCWSTR name, UINT titleStringId) : name_(name), titleStringId_(titleStringId) {
    liveItems().push_back(this);
}

KorvoProfileItem::~KorvoProfileItem() { std::erase(liveItems(), this); }

const std::vector<KorvoProfileItem*>& KorvoProfileItem::GetItems() { return liveItems(); }

CString KorvoProfileItem::GetDisplayName() const { return titleStringId_ ? KVLoadString(titleStringId_) : name_; }
