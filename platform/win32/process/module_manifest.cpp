#include "platform/win32/process/module_manifest.h"

#include <vector>

#include "platform/core/hostfs.h"
#include "platform/core/malformed_lines.h"
#include "platform/core/text.h"
#include "platform/win32/files/file.h"

namespace platform::modules {

namespace {

// A load longer than a minute is a typo, not a slow disk.
constexpr DWORD kLongestLoad = 60000;

std::wstring_view trim(std::wstring_view text) {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t' || text.back() == L'\r')) text.remove_suffix(1);
    return text;
}

std::optional<DWORD> parseNumber(std::wstring_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t c : text) {
        int digit = -1;
        if (c >= L'0' && c <= L'9') digit = c - L'0';
        if (base == 16 && c >= L'a' && c <= L'f') digit = c - L'a' + 10;
        if (base == 16 && c >= L'A' && c <= L'F') digit = c - L'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<DWORD>(value);
}

std::string formatManifest(const ModuleManifest& manifest) {
    std::string text = "; module manifest\n";
    if (manifest.version) text += "version=" + platform::core::toUtf8(*manifest.version) + "\n";
    if (!manifest.exports.empty()) text += "exports=" + platform::core::toUtf8(manifest.exports) + "\n";
    if (manifest.loadFails) text += "load=fail\nerror=" + std::to_string(manifest.loadError) + "\n";
    if (manifest.loadMilliseconds != 0) text += "load_ms=" + std::to_string(manifest.loadMilliseconds) + "\n";
    return text;
}

}  // namespace

std::optional<std::uint64_t> parseVersion(std::wstring_view text) {
    std::uint64_t version = 0;
    int parts = 0;
    while (true) {
        const std::size_t dot = text.find(L'.');
        const std::wstring_view part = text.substr(0, dot);
        if (part.empty() || part.size() > 5) return std::nullopt;
        std::uint32_t number = 0;
        for (wchar_t c : part) {
            if (c < L'0' || c > L'9') return std::nullopt;
            number = number * 10 + static_cast<std::uint32_t>(c - L'0');
        }
        if (number > 0xFFFF) return std::nullopt;
        version = (version << 16) | number;
        ++parts;
        if (dot == std::wstring_view::npos) break;
        text.remove_prefix(dot + 1);
    }
    if (parts != 4) return std::nullopt;
    return version;
}

ParsedManifest parseManifest(std::string_view bytes, platform::core::MalformedLines* problems) {
    using platform::core::quotedInput;
    ParsedManifest result;
    bytes = platform::core::withoutUtf8Bom(bytes);
    const std::wstring text = platform::core::fromUtf8(bytes);
    std::wstring_view rest = text;
    int number = 0;
    // Every bad line is reported; the first one is the manifest's error.
    auto fail = [&](std::wstring message) {
        if (result.error.empty()) {
            result.line = number;
            result.error = message;
        }
        if (problems) problems->report(static_cast<std::size_t>(number), L"malformed module manifest: " + message);
    };
    while (!rest.empty()) {
        ++number;
        const std::size_t end = rest.find(L'\n');
        const std::wstring_view line = trim(rest.substr(0, end));
        rest.remove_prefix(end == std::wstring_view::npos ? rest.size() : end + 1);
        if (line.empty() || line.front() == L';') continue;
        const std::size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            fail(L"expected \"key=value\", found " + quotedInput(line));
            continue;
        }
        const std::wstring key = platform::core::foldCase(trim(line.substr(0, equals)));
        const std::wstring_view value = trim(line.substr(equals + 1));
        if (key == L"version") {
            if (parseVersion(value)) result.manifest.version = std::wstring(value);
            else fail(L"version " + quotedInput(value) + L" is not four numbers 0-65535 (\"18.0.21.0\")");
        } else if (key == L"exports") {
            result.manifest.exports = std::wstring(value);
        } else if (key == L"load") {
            if (platform::core::equalsNoCase(value, L"fail")) result.manifest.loadFails = true;
            else if (platform::core::equalsNoCase(value, L"ok")) result.manifest.loadFails = false;
            else fail(L"load must be \"fail\" or \"ok\", found " + quotedInput(value));
        } else if (key == L"load_ms") {
            const auto millis = parseNumber(value);
            if (millis && *millis <= kLongestLoad) result.manifest.loadMilliseconds = *millis;
            else fail(L"load_ms " + quotedInput(value) + L" is not a number of milliseconds from 0 to 60000");
        } else if (key == L"error") {
            if (auto code = parseNumber(value)) result.manifest.loadError = *code;
            else fail(L"error " + quotedInput(value) + L" is not a number");
        } else {
            fail(L"unknown key " + quotedInput(trim(line.substr(0, equals))));
        }
    }
    return result;
}

DWORD writeManifest(std::wstring_view windowsPath, const ModuleManifest& manifest) {
    auto full = platform::core::hostFs().fullPath(windowsPath);
    if (!full) return ERROR_INVALID_NAME;
    if (DWORD error = platform::files::createDirectories(platform::core::winpath::parent(*full)); error != 0) return error;
    return platform::files::writeAllAtomic(*full, formatManifest(manifest));
}

DWORD setVersion(std::wstring_view windowsPath, std::wstring_view version) {
    if (!parseVersion(version)) return ERROR_INVALID_PARAMETER;
    std::string bytes;
    if (DWORD error = platform::files::readAll(windowsPath, bytes); error != 0) return error;
    // Replace the version line in place; keep every other line (comments, exports, faults).
    std::string out;
    bool replaced = false;
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end == std::string_view::npos ? rest.size() : end + 1);
        rest.remove_prefix(line.size());
        const std::wstring trimmed = platform::core::foldCase(trim(platform::core::fromUtf8(line.substr(0, line.find('\n')))));
        const bool isVersion = trimmed.starts_with(L"version") && trim(std::wstring_view(trimmed).substr(7)).starts_with(L"=");
        if (isVersion && !replaced) {
            out += "version=" + platform::core::toUtf8(version) + "\n";
            replaced = true;
        } else if (!isVersion) {
            out += line;
            if (line.back() != '\n') out.push_back('\n');
        }
    }
    if (!replaced) out += "version=" + platform::core::toUtf8(version) + "\n";
    return platform::files::writeAllAtomic(windowsPath, out);
}

}  // namespace platform::modules
