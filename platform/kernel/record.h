// Journal helpers of the maker-library stand-ins (private to the platform): the platform's
// shared ones, under the names the kernel's sources use.
#pragma once

#include "platform/core/record.h"

namespace platform::kernel {

using platform::core::boolText;
using platform::core::handleText;
using platform::core::quoted;
using platform::core::recordCall;
using platform::core::recordWarning;

}  // namespace platform::kernel
