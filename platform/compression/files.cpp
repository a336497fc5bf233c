// Whole-file reading for the maker's utility library: text files and picture headers.
#include "platform/compression.h"
#include "platform/compression/text_decoding.h"
#include "platform/win32/file.h"

namespace Korvo {

CString ChangeFileExtension(const wchar_t* path, const wchar_t* extension) {
    std::wstring all(path ? path : L"");
    const std::wstring_view current = kvio::ExtensionPart(all);
    all.erase(all.size() - current.size());
    all += extension ? extension : L"";
    return CString(all.c_str());
}

TextFileResult ReadTextFile(const wchar_t* path, CString& text) {
    std::string bytes;
    const DWORD error = platform::files::readAll(path ? path : L"", bytes);
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return TextFileResult::NotOpened;
    if (error != 0) return TextFileResult::ReadFailed;
    text = CString(platform::compression::decodeText(bytes).c_str());
    return TextFileResult::Read;
}

std::optional<ImageBitmap> CreateImageBitmap(const wchar_t* path, COLORREF background) {
    std::string bytes;
    if (platform::files::readAll(path ? path : L"", bytes) != 0) return std::nullopt;
    static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() < 24 || bytes.compare(0, 8, reinterpret_cast<const char*>(kSignature), 8) != 0 ||
        bytes.compare(12, 4, "IHDR") != 0)
        return std::nullopt;
    const auto big = [&](std::size_t at) {
        return static_cast<int>((static_cast<unsigned char>(bytes[at]) << 24) |
                                (static_cast<unsigned char>(bytes[at + 1]) << 16) |
                                (static_cast<unsigned char>(bytes[at + 2]) << 8) |
                                static_cast<unsigned char>(bytes[at + 3]));
    };
    ImageBitmap image{big(16), big(20), background};
    if (image.width <= 0 || image.height <= 0) return std::nullopt;
    return image;
}

}  // namespace Korvo
