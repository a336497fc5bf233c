// Leftovers of killed runs anywhere in the host folder: a run killed between writing a temporary
// file and putting it in place leaves it beside its target, in whatever folder the program wrote.
#pragma once

#include <filesystem>

namespace platform::core {

// Removes the temporary and spare files of processes that no longer run from `root` and every
// folder below it. Links are not followed, so nothing outside `root` is looked at; folders that
// cannot be listed are passed over.
void removeStaleTemporariesBelow(const std::filesystem::path& root);

}  // namespace platform::core
