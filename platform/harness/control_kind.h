// How every dump of the harness names a control's kind ("button", "popup", "edit", ...).
#pragma once

#include <string>

class CXTPControl;

namespace platform::harness {

std::wstring controlKind(const CXTPControl& control);

}  // namespace platform::harness
