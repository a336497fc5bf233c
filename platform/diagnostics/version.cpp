#include "platform/diagnostics.h"
#include "platform/win32/process/module.h"

namespace Korvo {

VersionNumber VersionNumber::fromFile(const wchar_t* path) {
    if (!path) return Null;
    const auto version = platform::modules::fileVersion(path);
    return version ? VersionNumber(*version) : Null;
}

CString VersionNumber::toString() const {
    CString text;
    text.Format(L"%u.%u.%u.%u", major(), minor(), build(), revision());
    return text;
}

}  // namespace Korvo
