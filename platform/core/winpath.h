// String rules of Windows paths, independent of any file system (private to the platform).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::core::winpath {

bool isSeparator(wchar_t c);
// A control character or one of <>:"|?* (never part of a file, folder, server or share name).
bool hasInvalidNameCharacter(std::wstring_view name);
// "." or "..": as a server or share name these would climb out of the network root.
bool isRelativeMarker(std::wstring_view name);
// A drive letter and a colon at the start ("C:", "d:x").
bool hasDrive(std::wstring_view path);
// "\\\\server\\share..." (after normalising separators).
bool isUnc(std::wstring_view path);
// True unless the path starts with a drive and a separator ("C:\\"), or is a UNC path.
// "\\x" (root of the current drive) and "C:x" (drive-relative) count as relative.
bool isRelative(std::wstring_view path);
// The non-empty parts between backslashes ("a\\\\b\\" has "a" and "b"), as views into `path`, which
// must outlive them: registry key paths split the same way on every registry call, where copies
// of the names cost more than the look-up.
std::vector<std::wstring_view> components(std::wstring_view path);
// For a path as given ('\\' or '/', not normalised): the part after the last separator (the
// whole path when there is none) and the part before it (empty when there is none).
std::wstring_view namePart(std::wstring_view path);
std::wstring_view folderPart(std::wstring_view path);
// Makes an absolute path canonical: '/' becomes '\\', repeated separators collapse, "." and ".."
// are resolved (never above the root), trailing dots and spaces of components are dropped, the
// drive letter is upper-case, and no trailing separator is kept except on a drive root
// ("C:\\"). The "\\\\?\\" prefix is removed. Returns nothing for a path that is not absolute,
// names no share, or has a server or share name with a character no name may hold. Server and
// share are kept as written ("." and ".." there are names, refused when the path is used).
// Normalising a normalised path changes nothing.
std::optional<std::wstring> normalize(std::wstring_view absolutePath);
// Resolves `path` against the absolute folder `base` and normalises the result ("\\x" against
// the drive root of `base`, "D:x" against the root of D: unless `base` is on D:).
std::optional<std::wstring> combine(std::wstring_view base, std::wstring_view path);
// The last component ("" for a root) and everything before it (without a trailing separator,
// except a drive root).
std::wstring fileName(std::wstring_view normalizedPath);
std::wstring parent(std::wstring_view normalizedPath);
// The root of a normalised path: "C:\\" or "\\\\server\\share".
std::wstring root(std::wstring_view normalizedPath);
bool equal(std::wstring_view a, std::wstring_view b);
// True when `path` is `folder` or lies inside it (both normalised, case-insensitive).
bool isWithin(std::wstring_view path, std::wstring_view folder);

}  // namespace platform::core::winpath
