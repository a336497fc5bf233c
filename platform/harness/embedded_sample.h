// The bundled sample program folder, compiled in (generated from sample/program at build time).
#pragma once

#include <string_view>
#include <utility>
#include <vector>

namespace platform::harness {

// (path relative to the program folder with '/' separators, file bytes), sorted by path.
const std::vector<std::pair<std::string_view, std::string_view>>& embeddedSampleFiles();

}  // namespace platform::harness
