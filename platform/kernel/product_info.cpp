#include "platform/kernel/product_info.h"

namespace {
constexpr __time64_t kBuildTime = 1748822400;  // 2 June 2025
}  // namespace

__time64_t KVGetBuildTime() { return kBuildTime; }

CString KVGetWebsiteAddress() { return L"korvo.velmora.example"; }
