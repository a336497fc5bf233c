// How the kernel stand-in names a document in the journal (private to the platform).
#pragma once

#include <string>

#include "platform/kernel/record.h"
#include "platform/mfc.h"

namespace platform::kernel {

// The document's title in quotes (its path when it has no title), "untitled" without either,
// "null" for no document.
inline std::wstring documentText(const CDocument* document) {
    if (!document) return L"null";
    if (!document->GetTitle().IsEmpty()) return quoted(document->GetTitle());
    if (!document->GetPathName().IsEmpty()) return quoted(document->GetPathName());
    return L"untitled";
}

}  // namespace platform::kernel
