// String rules of Windows paths, independent of any file system.
#include "platform/core/winpath.h"

#include "platform/core/text.h"

namespace platform::core::winpath {

// Literal views: their length is known without counting (paths are normalised on every access).
using namespace std::string_view_literals;

namespace {

bool isDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

std::wstring withBackslashes(std::wstring_view path) {
    std::wstring out(path);
    for (auto& c : out) {
        if (c == L'/') c = L'\\';
    }
    return out;
}

// Removes the "\\?\" and "\\?\UNC\" prefixes that only switch off the Win32 path parsing.
std::wstring withoutLongPrefix(std::wstring path) {
    if (path.starts_with(L"\\\\?\\UNC\\"sv)) return L"\\\\" + path.substr(8);
    if (path.starts_with(L"\\\\?\\"sv)) return path.substr(4);
    return path;
}

// Win32 drops trailing dots and spaces of a component ("name." is "name"), except for the
// relative markers themselves.
std::wstring_view trimmed(std::wstring_view component) {
    if (component == L"."sv || component == L".."sv) return component;
    while (!component.empty() && (component.back() == L'.' || component.back() == L' ')) component.remove_suffix(1);
    return component;
}

}  // namespace

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool hasInvalidNameCharacter(std::wstring_view name) {
    for (wchar_t c : name) {
        if (c < 0x20) return true;
        switch (c) {
            case L'<': case L'>': case L':': case L'"': case L'|': case L'?': case L'*':
                return true;
            default:
                break;
        }
    }
    return false;
}

bool isRelativeMarker(std::wstring_view name) { return name == L"."sv || name == L".."sv; }

bool hasDrive(std::wstring_view path) { return path.size() >= 2 && isDriveLetter(path[0]) && path[1] == L':'; }

std::vector<std::wstring_view> components(std::wstring_view path) {
    std::vector<std::wstring_view> parts;
    std::size_t start = 0;
    while (start < path.size()) {
        const std::size_t end = path.find(L'\\', start);
        const std::size_t stop = end == std::wstring_view::npos ? path.size() : end;
        if (stop > start) parts.emplace_back(path.substr(start, stop - start));
        if (end == std::wstring_view::npos) break;
        start = end + 1;
    }
    return parts;
}

std::wstring_view namePart(std::wstring_view path) {
    const std::size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring_view::npos ? path : path.substr(cut + 1);
}

std::wstring_view folderPart(std::wstring_view path) {
    const std::size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring_view::npos ? std::wstring_view() : path.substr(0, cut);
}

bool isUnc(std::wstring_view path) {
    return path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
}

bool isRelative(std::wstring_view path) {
    if (isUnc(path)) return false;
    return !(hasDrive(path) && path.size() >= 3 && isSeparator(path[2]));
}

std::optional<std::wstring> normalize(std::wstring_view absolutePath) {
    const std::wstring path = withoutLongPrefix(withBackslashes(absolutePath));
    std::wstring rootText;
    std::wstring_view rest;
    if (path.starts_with(L"\\\\"sv)) {
        const std::wstring_view afterPrefix = std::wstring_view(path).substr(2);
        const std::size_t serverEnd = afterPrefix.find(L'\\');
        if (serverEnd == 0 || serverEnd == std::wstring_view::npos) return std::nullopt;
        const std::wstring_view server = afterPrefix.substr(0, serverEnd);
        std::wstring_view afterServer = afterPrefix.substr(serverEnd + 1);
        const std::size_t shareEnd = afterServer.find(L'\\');
        const std::wstring_view share = afterServer.substr(0, shareEnd);
        // "\\?\\\?\C:\x" would otherwise lose its second prefix only when normalised again.
        if (share.empty() || hasInvalidNameCharacter(server) || hasInvalidNameCharacter(share)) return std::nullopt;
        rootText = L"\\\\" + std::wstring(server) + L"\\" + std::wstring(share);
        rest = shareEnd == std::wstring_view::npos ? std::wstring_view() : afterServer.substr(shareEnd + 1);
    } else if (hasDrive(path) && path.size() >= 3 && path[2] == L'\\') {
        rootText = std::wstring{toUpperInvariant(path[0]), L':', L'\\'};
        rest = std::wstring_view(path).substr(3);
    } else {
        return std::nullopt;
    }

    // The components are kept in `out` itself: a ".." cuts the last one off again. Paths are
    // normalised on every file access, so this builds the result in one string.
    std::wstring out = std::move(rootText);
    const std::size_t rootSize = out.size();
    out.reserve(rootSize + rest.size() + 1);
    std::size_t start = 0;
    while (start < rest.size()) {
        const std::size_t end = rest.find(L'\\', start);
        const std::size_t stop = end == std::wstring_view::npos ? rest.size() : end;
        const std::wstring_view component = trimmed(rest.substr(start, stop - start));
        start = stop + 1;
        if (component.empty() || component == L"."sv) continue;
        if (component == L".."sv) {
            if (out.size() > rootSize) {
                const std::size_t slash = out.rfind(L'\\');
                out.resize(slash == std::wstring::npos || slash < rootSize ? rootSize : slash);
            }
            continue;
        }
        if (out.back() != L'\\') out.push_back(L'\\');
        out += component;
    }
    return out;
}

std::optional<std::wstring> combine(std::wstring_view base, std::wstring_view path) {
    const std::wstring slashed = withBackslashes(path);
    if (!isRelative(slashed)) return normalize(slashed);
    const auto normalizedBase = normalize(base);
    if (!normalizedBase) return std::nullopt;
    if (hasDrive(slashed)) {
        // "D:x": relative to the current folder when it is on D:, else to the root of D:.
        const std::wstring rest = slashed.substr(2);
        if (equalsNoCase(normalizedBase->substr(0, 2), slashed.substr(0, 2))) return normalize(*normalizedBase + L"\\" + rest);
        return normalize(slashed.substr(0, 2) + L"\\" + rest);
    }
    if (!slashed.empty() && slashed[0] == L'\\') return normalize(root(*normalizedBase) + slashed);
    return normalize(*normalizedBase + L"\\" + slashed);
}

std::wstring root(std::wstring_view normalizedPath) {
    if (normalizedPath.starts_with(L"\\\\"sv)) {
        const std::size_t serverEnd = normalizedPath.find(L'\\', 2);
        if (serverEnd == std::wstring_view::npos) return std::wstring(normalizedPath);
        const std::size_t shareEnd = normalizedPath.find(L'\\', serverEnd + 1);
        return std::wstring(normalizedPath.substr(0, shareEnd));
    }
    return std::wstring(normalizedPath.substr(0, 3));
}

std::wstring fileName(std::wstring_view normalizedPath) {
    if (normalizedPath.size() <= root(normalizedPath).size()) return {};
    const std::size_t slash = normalizedPath.rfind(L'\\');
    return std::wstring(normalizedPath.substr(slash + 1));
}

std::wstring parent(std::wstring_view normalizedPath) {
    const std::wstring rootText = root(normalizedPath);
    if (normalizedPath.size() <= rootText.size()) return {};
    const std::size_t slash = normalizedPath.rfind(L'\\');
    if (slash < rootText.size()) return rootText;
    return std::wstring(normalizedPath.substr(0, slash));
}

bool equal(std::wstring_view a, std::wstring_view b) { return equalsNoCase(a, b); }

bool isWithin(std::wstring_view path, std::wstring_view folder) {
    if (folder.empty()) return false;
    if (equalsNoCase(path, folder)) return true;
    if (!startsWithNoCase(path, folder)) return false;
    return folder.back() == L'\\' || path[folder.size()] == L'\\';
}

}  // namespace platform::core::winpath
