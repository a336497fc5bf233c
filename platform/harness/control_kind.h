// How every dump of the harness names a control: its kind ("button", "popup", "edit", ...) and
// its caption as the user reads it (mnemonic marks "&" left out).
#pragma once

#include <string>

class CXTPControl;
class CString;

namespace platform::harness {

std::wstring controlKind(const CXTPControl& control);
CString readable(const CString& caption);

}  // namespace platform::harness
