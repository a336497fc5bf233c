#include "platform/harness.h"
#include "platform/kernel.h"

namespace platform::harness {

std::wstring Inspect::dumpBirdsEye() const {
    const auto outline = GetApplicationExports().birdsEyeOutline;
    const std::wstring text = outline ? outline() : std::wstring();
    return text.empty() ? L"(no pane)" : text;
}

}  // namespace platform::harness
