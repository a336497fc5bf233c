#include "platform/core/stale_temporaries.h"

#include <vector>

#include "platform/core/hostfs.h"

namespace platform::core {

namespace fs = std::filesystem;

void removeStaleTemporariesBelow(const fs::path& root) {
    // The folders are listed first: removing entries while walking them would disturb the walk.
    std::vector<fs::path> folders{root};
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, fs::directory_options::skip_permission_denied, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        // The entry itself, never what a link names: a link may lead anywhere outside the host.
        std::error_code kind;
        if (!fs::is_directory(it->symlink_status(kind))) continue;
        // A temporary folder (a program folder being seeded) goes whole with its name's owner.
        if (it->path().filename().string().starts_with(kAtomicTempPrefix)) {
            it.disable_recursion_pending();
            continue;
        }
        folders.push_back(it->path());
    }
    for (const fs::path& folder : folders) removeStaleTemporaries(folder);
}

}  // namespace platform::core
