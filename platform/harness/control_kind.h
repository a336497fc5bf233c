// How every dump of the harness names a control: its kind ("button", "popup", "edit", ...) and
// its caption as the user reads it (mnemonic marks "&" left out). The ribbon's tab row reads as
// its shown tabs' captions.
#pragma once

#include <string>

class CXTPControl;
class CString;

namespace platform::harness {

std::wstring controlKind(const CXTPControl& control);
CString readable(const CString& caption);
// What a user reads on the control: its readable caption; on the ribbon's tab row, the captions
// of the tabs it shows, joined by " | ".
CString controlCaption(const CXTPControl& control);

}  // namespace platform::harness
