// Whole-file reading for the maker's utility library: text files.
#include "platform/compression.h"
#include "platform/compression/text_decoding.h"
#include "platform/win32/files/file.h"

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

}  // namespace Korvo
