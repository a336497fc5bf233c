#include "platform/harness/host_files.h"

#include <algorithm>
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

bool seedProgramFolder(std::wstring_view programFolder, bool onlyIfMissing) {
    if (onlyIfMissing && platform::core::hostFs().resolve(programFolder).exists) return false;
    for (const auto& [relative, bytes] : embeddedSampleFiles()) {
        std::wstring path = std::wstring(programFolder) + L"\\" + platform::core::fromUtf8(relative);
        std::ranges::replace(path, L'/', L'\\');
        writeHostFile(path, bytes);
    }
    return true;
}

}  // namespace platform::harness::detail
