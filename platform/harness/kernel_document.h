// The kernel's document behind a framework document, as the harness's kernel calls reach it.
#pragma once

#include "platform/kernel.h"

namespace platform::harness::detail {

// Throws std::invalid_argument when the document is not the kernel's.
CKvw32Doc& kernelDocument(CDocument* document);

}  // namespace platform::harness::detail
