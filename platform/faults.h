// Failures a test injects at named points of the program. The program asks at each such point
// (a step that can fail for reasons the stand-ins cannot produce on their own); outside tests
// nothing is ever injected. Points are named "<function> <step>", e.g. "CMainFrame::OnCreate 5".
#pragma once

#include <string>
#include <string_view>

namespace platform {

// True once for each fault armed at `point` (and journalled as a warning).
bool faultInjected(std::wstring_view point);
// Whether any fault is armed at all: no lock, so a point asked on every message can skip making
// its name.
bool anyFaultArmed();

namespace faults {
// Arms one failure at `point` (the harness's Faults::failAt).
void arm(std::wstring point);
}  // namespace faults

}  // namespace platform
