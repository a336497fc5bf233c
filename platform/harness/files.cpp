#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "platform/core/config.h"
#include "platform/core/hostfs.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/harness/host_files.h"
#include "platform/win32/files/store_control.h"

namespace platform::harness {

namespace {

std::string lineFree(std::string_view manifest, std::string_view key) {
    // Drops every "key=..." line of a manifest, keeping the others as they are.
    std::string kept;
    while (!manifest.empty()) {
        const std::size_t end = manifest.find('\n');
        std::string_view line = manifest.substr(0, end == std::string_view::npos ? manifest.size() : end + 1);
        manifest.remove_prefix(line.size());
        std::string_view trimmed = line;
        while (!trimmed.empty() && (trimmed.front() == ' ' || trimmed.front() == '\t')) trimmed.remove_prefix(1);
        const bool matches = trimmed.size() > key.size() && trimmed.substr(0, key.size()) == key &&
                             (trimmed[key.size()] == '=' || trimmed[key.size()] == ' ');
        if (!matches) kept += line;
    }
    if (!kept.empty() && kept.back() != '\n') kept.push_back('\n');
    return kept;
}

}  // namespace

void Files::write(std::wstring_view windowsPath, std::string_view bytes) { detail::writeHostFile(windowsPath, bytes); }

std::optional<std::string> Files::read(std::wstring_view windowsPath) const { return detail::readHostFile(windowsPath); }

bool Files::exists(std::wstring_view windowsPath) const {
    return platform::core::hostFs().resolve(windowsPath).exists;
}

void Files::remove(std::wstring_view windowsPath) {
    auto location = platform::core::hostFs().resolve(windowsPath);
    if (!location.exists) return;
    std::error_code error;
    std::filesystem::remove_all(location.hostPath, error);
    if (error) throw std::runtime_error("harness: cannot remove " + location.hostPath.string());
}

std::wstring Files::programFolder() const { return platform::core::config().programFolder; }

std::wstring Files::programFile(std::wstring_view name) const { return programFolder() + L"\\" + std::wstring(name); }

void Files::setModuleVersion(std::wstring_view moduleFile, std::wstring_view version) {
    const std::wstring path = programFile(moduleFile);
    if (DWORD error = platform::modules::setVersion(path, version); error != 0) {
        throw std::runtime_error("harness: cannot set the version of " + platform::core::toUtf8(path) +
                                 " (error " + std::to_string(error) + ")");
    }
}

void Files::setModuleLoadFailure(std::wstring_view moduleFile, unsigned errorCode) {
    const std::wstring path = programFile(moduleFile);
    auto manifest = read(path);
    if (!manifest) throw std::runtime_error("harness: no module file " + platform::core::toUtf8(path));
    std::string text = lineFree(lineFree(*manifest, "load"), "error");
    text += "load=fail\nerror=" + std::to_string(errorCode) + "\n";
    write(path, text);
}

void Files::writeIni(std::wstring_view name, std::wstring_view text) {
    write(programFile(name), platform::core::toUtf8(text));
}

std::string Files::hostPath(std::wstring_view windowsPath) const {
    return platform::core::hostFs().resolve(windowsPath).hostPath.string();
}

}  // namespace platform::harness

namespace platform::harness {

std::optional<std::wstring> Files::dump(std::wstring_view windowsPath) const {
    auto& fs = platform::core::hostFs();
    const auto full = fs.fullPath(windowsPath);
    if (!full) return std::nullopt;
    const auto location = fs.resolve(*full);
    if (!location.exists || location.error != 0) return std::nullopt;
    const std::wstring quotedPath = platform::core::quoted(location.spelledPath);
    std::error_code error;
    if (location.directory) {
        std::vector<std::pair<std::wstring, std::wstring>> entries;  // name, what follows it
        for (const auto& entry : std::filesystem::directory_iterator(location.hostPath, error)) {
            const std::wstring name = entry.path().filename().wstring();
            if (entry.is_directory(error)) entries.emplace_back(name + L"\\", L"");
            else entries.emplace_back(name, L" " + std::to_wstring(entry.file_size(error)) + L" bytes");
        }
        std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
            return platform::core::NoCaseLess{}(a.first, b.first);
        });
        std::wstring text = L"folder " + quotedPath + L": " + std::to_wstring(entries.size()) + L" entries";
        for (const auto& [name, size] : entries) text += L"\n  " + name + size;
        return text;
    }
    const auto bytes = read(*full);
    if (!bytes) return std::nullopt;
    std::wstring text = L"file " + quotedPath + L": " + std::to_wstring(bytes->size()) + L" bytes";
    if (bytes->find('\0') != std::string::npos) return text + L", binary";
    std::string_view rest = *bytes;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        text += L"\n  " + platform::core::fromUtf8(line);
    }
    return text;
}

}  // namespace platform::harness
