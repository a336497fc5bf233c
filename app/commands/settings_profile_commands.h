// The settings-profile commands: apply profile 1 to 10 from the gallery, open the profiles page,
// reset every per-user setting. Not built yet: each does nothing and answers 0, and the gallery
// update leaves its item as it is.
#pragma once

#include <cstdint>

#include "platform/mfc.h"

namespace AppCommands {

// Applies entry `index` (0 to 9) of the profile list.
int ApplyProfile(unsigned index);
template <unsigned Index>
int OnApplyProfile(std::int64_t) {
    static_assert(Index < 10);
    return ApplyProfile(Index);
}
// The gallery update shared by the ten apply commands.
void UpdateProfileGallery(CCmdUI* cmdUI);
int OnProfiles(std::int64_t argument);
int OnResetSettings(std::int64_t argument);

}  // namespace AppCommands
