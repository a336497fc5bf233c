// Icon files (".ico") as the platform reads them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform::win32 {
// The widths of the images of an icon file's bytes (a header of reserved 0 and type 1, and a
// directory of 16-byte entries that fits the bytes; a width byte of 0 stands for 256); nothing
// for bytes that are no icon file.
std::optional<std::vector<int>> iconFileWidths(const std::string& bytes);
}  // namespace platform::win32
