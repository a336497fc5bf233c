#include "app/commands/settings_profile_commands.h"

namespace AppCommands {

int ApplyProfile(unsigned) { return 0; }

void UpdateProfileGallery(CCmdUI*) {}

int OnProfiles(std::int64_t) { return 0; }

int OnResetSettings(std::int64_t) { return 0; }

}  // namespace AppCommands
