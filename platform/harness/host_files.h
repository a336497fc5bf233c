// Host-side file helpers of the harness: Windows paths mapped through the platform's host file
// system, written atomically, plus seeding the program folder from the embedded sample.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform::harness::detail {

// Writes `bytes` to the host file behind `windowsPath`, creating its folders; atomic (a
// temporary file renamed over the target). Throws std::runtime_error naming the path on failure.
void writeHostFile(std::wstring_view windowsPath, std::string_view bytes);
std::optional<std::string> readHostFile(std::wstring_view windowsPath);

// Writes every embedded sample file into `programFolder` (a Windows path) unless
// `onlyIfMissing` is set and the folder already exists. Returns whether it seeded. A missing
// folder is made all at once (a run killed while seeding leaves none), and the leftover of a
// killed run is removed. `afterEachFile` is told the count of files written so far (for tests).
bool seedProgramFolder(std::wstring_view programFolder, bool onlyIfMissing,
                       const std::function<void(std::size_t)>& afterEachFile = {});

}  // namespace platform::harness::detail
