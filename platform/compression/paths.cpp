#include <atomic>

#include "platform/compression.h"
#include "platform/core/api_text.h"
#include "platform/core/text.h"
#include "platform/core/winpath.h"
#include "platform/win32/process/system.h"

namespace kvio {

namespace winpath = platform::core::winpath;

// Unlike winpath::isRelative, a drive-relative path ("C:x") and a path from the current drive's
// root ("\\x") count as absolute here: they do not go on from the program folder.
bool IsRelativePath(std::wstring_view path) {
    if (path.empty()) return true;
    return !winpath::isSeparator(path[0]) && !winpath::hasDrive(path);
}

std::wstring_view FileNamePart(std::wstring_view path) {
    const std::size_t cut = path.find_last_of(L"\\/:");
    return cut == std::wstring_view::npos ? path : path.substr(cut + 1);
}

std::wstring_view ExtensionPart(std::wstring_view path) {
    const std::wstring_view name = FileNamePart(path);
    const std::size_t dot = name.rfind(L'.');
    return dot == std::wstring_view::npos ? std::wstring_view() : name.substr(dot);
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    while (!name.empty() && winpath::isSeparator(name.front())) name.remove_prefix(1);
    std::wstring result(folder);
    if (!result.empty() && !winpath::isSeparator(result.back())) result += L'\\';
    result += name;
    return result;
}

}  // namespace kvio

CString KVGetProgramPath() {
    wchar_t buffer[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    std::wstring_view program(buffer, length);
    const std::size_t cut = program.find_last_of(L"\\/");
    if (cut == std::wstring_view::npos) return {};
    // A drive root keeps its backslash ("C:\\"), as Windows writes it.
    return CString(std::wstring(program.substr(0, cut == 2 && program[1] == L':' ? 3 : cut)));
}

CString KVAppendProgramPath(const wchar_t* path, int /*mode*/, bool /*searchAll*/) {
    std::wstring_view relative = platform::core::viewOf(path);
    if (!kvio::IsRelativePath(relative)) return CString(std::wstring(relative));
    while (relative.size() >= 2 && relative[0] == L'.' && platform::core::winpath::isSeparator(relative[1])) {
        relative.remove_prefix(2);
    }
    const CString folder = KVGetProgramPath();
    if (relative.empty()) return folder;
    return CString(kvio::JoinPath(folder.view(), relative));
}

namespace Korvo {

CString GetFileExtension(const wchar_t* path) {
    return CString(std::wstring(kvio::ExtensionPart(platform::core::viewOf(path))));
}

}  // namespace Korvo

bool operator==(const SharedPathName& a, const SharedPathName& b) {
    return platform::core::equalsNoCase(a.view(), b.view());
}

bool operator<(const SharedPathName& a, const SharedPathName& b) {
    return platform::core::compareNoCase(a.view(), b.view()) < 0;
}

std::size_t std::hash<SharedPathName>::operator()(const SharedPathName& path) const noexcept {
    return std::hash<std::wstring>{}(platform::core::foldCase(path.view()));
}

namespace {

std::atomic<int>& cacheBlockDepth() {
    static std::atomic<int> depth{0};
    return depth;
}

}  // namespace

SharedPathNameFlagsCacheBlock::SharedPathNameFlagsCacheBlock() { ++cacheBlockDepth(); }

SharedPathNameFlagsCacheBlock::~SharedPathNameFlagsCacheBlock() { --cacheBlockDepth(); }

int SharedPathNameFlagsCacheBlock::Depth() { return cacheBlockDepth().load(); }
