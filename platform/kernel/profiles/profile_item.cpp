#include "platform/kernel/profiles/profile_item.h"

#include "platform/kernel/strings.h"

KorvoProfileItem::KorvoProfileItem(LPCWSTR name, UINT titleStringId) : name_(name), titleStringId_(titleStringId) {}

CString KorvoProfileItem::GetDisplayName() const { return titleStringId_ ? KVLoadString(titleStringId_) : name_; }
