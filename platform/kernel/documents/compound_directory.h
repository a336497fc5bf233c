// A check of a compound file's directory before the compound-file library parses it: the library
// leaks what it built for a directory whose entries link back to entries already seen, and
// such a file is damaged anyway.
#pragma once

#include <string_view>

namespace platform::kernel {

// Whether the sector allocation chains that lead to the directory, and the directory's tree of
// entries, are sound: every chain ends inside the file without a loop, and every entry is
// reached at most once from the root.
bool compoundDirectoryIsSound(std::string_view bytes);

}  // namespace platform::kernel
