// Control surface of the kernel's saving for the harness and tests (never for shell code): what
// the kernel's own work does to a document while it is saved.
#pragma once

#include <set>
#include <string>

#include "platform/core/text.h"

namespace platform::kernel {

struct SavingControl {
    // Documents, by Windows path, whose saves cannot store the regenerated geometry: each save
    // sets the document's geometry-save error.
    std::set<std::wstring, platform::core::NoCaseLess> geometryFaults;
    // Documents, by Windows path, whose windows all close while their next save runs (the user
    // closed them while the kernel's save pumped the message queue).
    std::set<std::wstring, platform::core::NoCaseLess> closeWindowsDuringSave;
};

SavingControl& savingControl();

}  // namespace platform::kernel
