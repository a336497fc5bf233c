// The host folder changed by another program: straight on the host, so the program hears of it
// only as any program would, through its folder watches.
#include <filesystem>
#include <fstream>

#include "platform/core/hostfs.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/harness.h"

namespace platform::harness {

namespace {

std::wstring named(std::wstring_view path) { return platform::core::quoted(std::wstring(path)); }

struct Place {
    std::filesystem::path host;
    bool exists = false;
    bool parentExists = false;
};

std::optional<Place> placeOf(std::wstring_view windowsPath, std::wstring& refusal) {
    auto& fs = platform::core::hostFs();
    const auto full = fs.fullPath(windowsPath);
    if (!full) {
        refusal = named(windowsPath) + L" is no Windows path";
        return std::nullopt;
    }
    const auto location = fs.resolve(*full);
    if (location.error != 0 || location.hostPath.empty()) {
        refusal = named(windowsPath) + L" cannot be reached";
        return std::nullopt;
    }
    return Place{location.hostPath, location.exists, location.parentExists};
}

}  // namespace

std::optional<std::wstring> Files::writeOutside(std::wstring_view windowsPath) {
    std::wstring refusal;
    const auto place = placeOf(windowsPath, refusal);
    if (!place) return refusal;
    if (!place->parentExists) return L"there is no folder to hold " + named(windowsPath);
    if (place->exists && std::filesystem::is_directory(place->host)) return named(windowsPath) + L" is a folder";
    std::ofstream out(place->host, std::ios::binary | std::ios::trunc);
    if (!out) return L"cannot write " + named(windowsPath);
    return std::nullopt;
}

std::optional<std::wstring> Files::makeFolderOutside(std::wstring_view windowsPath) {
    std::wstring refusal;
    const auto place = placeOf(windowsPath, refusal);
    if (!place) return refusal;
    if (place->exists) return named(windowsPath) + L" is there already";
    if (!place->parentExists) return L"there is no folder to hold " + named(windowsPath);
    std::error_code error;
    if (!std::filesystem::create_directory(place->host, error)) return L"cannot make " + named(windowsPath);
    return std::nullopt;
}

std::optional<std::wstring> Files::removeOutside(std::wstring_view windowsPath) {
    std::wstring refusal;
    const auto place = placeOf(windowsPath, refusal);
    if (!place) return refusal;
    if (!place->exists) return L"no file or folder " + named(windowsPath);
    std::error_code error;
    std::filesystem::remove_all(place->host, error);
    if (error) return L"cannot delete " + named(windowsPath);
    return std::nullopt;
}

std::optional<std::wstring> Files::renameOutside(std::wstring_view from, std::wstring_view to) {
    std::wstring refusal;
    const auto source = placeOf(from, refusal);
    if (!source) return refusal;
    if (!source->exists) return L"no file or folder " + named(from);
    const auto target = placeOf(to, refusal);
    if (!target) return refusal;
    if (!target->parentExists) return L"there is no folder to hold " + named(to);
    // Only the same entry in another spelling may be renamed onto itself.
    std::error_code error;
    if (target->exists && !std::filesystem::equivalent(source->host, target->host, error))
        return named(to) + L" is there already";
    // The new name as written (a change of case only keeps the entry but spells it anew).
    std::wstring leaf(to);
    leaf = leaf.substr(leaf.find_last_of(L"\\/") == std::wstring::npos ? 0 : leaf.find_last_of(L"\\/") + 1);
    std::filesystem::rename(source->host, target->host.parent_path() / platform::core::toUtf8(leaf), error);
    if (error) return L"cannot rename " + named(from) + L" to " + named(to);
    return std::nullopt;
}

}  // namespace platform::harness
