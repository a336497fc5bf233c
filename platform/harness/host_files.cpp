#include "platform/harness/host_files.h"

#include <algorithm>
#include <functional>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

#include "platform/core/hostfs.h"
#include "platform/core/text.h"
#include "platform/harness/embedded_sample.h"

namespace platform::harness::detail {

namespace {

std::filesystem::path hostPathOf(std::wstring_view windowsPath) {
    auto location = platform::core::hostFs().resolve(windowsPath);
    if (location.error != 0 || location.hostPath.empty()) {
        throw std::runtime_error("harness: cannot map the Windows path \"" + platform::core::toUtf8(windowsPath) +
                                 "\" onto the host folder");
    }
    return location.hostPath;
}

}  // namespace

void writeHostFile(std::wstring_view windowsPath, std::string_view bytes) {
    const std::filesystem::path target = hostPathOf(windowsPath);
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    if (error) {
        throw std::runtime_error("harness: cannot create the folder " + target.parent_path().string() + ": " +
                                 error.message());
    }
    std::string problem;
    if (!platform::core::writeFileAtomically(target, bytes, &problem)) throw std::runtime_error("harness: " + problem);
}

std::optional<std::string> readHostFile(std::wstring_view windowsPath) {
    auto location = platform::core::hostFs().resolve(windowsPath);
    if (location.error != 0 || !location.exists) return std::nullopt;
    std::error_code error;
    if (!std::filesystem::is_regular_file(location.hostPath, error)) return std::nullopt;
    std::ifstream in(location.hostPath, std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

namespace {

// Writes the sample's files below the host folder `folder` (which exists).
void writeSample(const std::filesystem::path& folder, const std::function<void(std::size_t)>& afterEachFile) {
    std::size_t written = 0;
    for (const auto& [relative, bytes] : embeddedSampleFiles()) {
        const std::filesystem::path target = folder / std::filesystem::path(std::string(relative));
        std::error_code error;
        std::filesystem::create_directories(target.parent_path(), error);
        std::string problem;
        if (error || !platform::core::writeFileAtomically(target, bytes, &problem)) {
            throw std::runtime_error("harness: cannot seed " + target.string() + ": " +
                                     (error ? error.message() : problem));
        }
        if (afterEachFile) afterEachFile(++written);
    }
}

}  // namespace

bool seedProgramFolder(std::wstring_view programFolder, bool onlyIfMissing,
                       const std::function<void(std::size_t)>& afterEachFile) {
    const auto location = platform::core::hostFs().resolve(programFolder);
    if (location.error != 0 || location.hostPath.empty()) {
        throw std::runtime_error("harness: cannot map the program folder \"" + platform::core::toUtf8(programFolder) +
                                 "\" onto the host folder");
    }
    if (location.exists) {
        if (onlyIfMissing) return false;
        writeSample(location.hostPath, afterEachFile);
        return true;
    }
    // A missing folder appears whole or not at all: a run killed half-way through would leave a
    // program folder that every later run takes as the user's own. The sample goes into a
    // temporary folder beside it (hidden, named after this process, so the next run can tell
    // a dead run's leftover and remove it) and is renamed into place in one step.
    const std::filesystem::path target = location.hostPath;
    const std::filesystem::path parent = target.parent_path();
    std::error_code error;
    std::filesystem::create_directories(parent, error);
    if (error) throw std::runtime_error("harness: cannot create the folder " + parent.string() + ": " + error.message());
    platform::core::removeStaleTemporaries(parent);
    const std::filesystem::path temporary = parent / platform::core::spareName(target.filename().string() + ".seed");
    std::filesystem::remove_all(temporary, error);
    std::filesystem::create_directory(temporary, error);
    if (error) throw std::runtime_error("harness: cannot create the folder " + temporary.string() + ": " + error.message());
    try {
        writeSample(temporary, afterEachFile);
    } catch (...) {
        std::filesystem::remove_all(temporary, error);
        throw;
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove_all(temporary, error);
        // Another run seeded it meanwhile: that copy is as good as ours.
        if (std::filesystem::is_directory(target)) return false;
        throw std::runtime_error("harness: cannot put the seeded program folder in place at " + target.string());
    }
    return true;
}

}  // namespace platform::harness::detail
