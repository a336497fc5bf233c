#include "platform/harness/kernel_document.h"

#include <stdexcept>

namespace platform::harness::detail {

CKvw32Doc& kernelDocument(CDocument* document) {
    auto* kernelDoc = dynamic_cast<CKvw32Doc*>(document);
    if (!kernelDoc) throw std::invalid_argument("harness: not a kernel document");
    return *kernelDoc;
}

}  // namespace platform::harness::detail
