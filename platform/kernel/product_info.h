// What the kernel tells about the product build: when it was built and where its web site is.
#pragma once

#include "platform/mfc/cstring.h"
#include "platform/win32/crt.h"

// The moment the kernel was built (seconds since 1970, UTC).
__time64_t KVGetBuildTime();
// The product's web site, without a scheme ("korvo.velmora.example").
CString KVGetWebsiteAddress();
