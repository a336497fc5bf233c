// Loading a settings profile into the running program once its items were copied into the live
// settings: each item loads its state, the main windows load the profile's window state, the
// theme the profile keeps comes back, and the user hears of items that could not load.
#pragma once

#include <functional>

#include "platform/mfc.h"

namespace KorvoProfiles {

// Which sub-keys of the profile's section take part; all when empty.
using ItemFilter = std::function<bool(const CString& keyName)>;

// Where the profile is applied from. The profiles page loads only what the user ticked: the
// window state comes with the main frame's item, and an idle pass brings the bars up to date
// before the others hear of the new profile. The profile gallery applies everything.
enum class ApplyFrom { Gallery, ProfilesPage };

// Loads `profile` (already copied into the live settings). True when no warning was raised.
bool LoadAppliedProfile(const CString& profile, const ItemFilter& filter = {}, ApplyFrom from = ApplyFrom::Gallery);

}  // namespace KorvoProfiles
