#include "platform/win32/text/code_pages.h"

#include <cstring>
#include <string>
#include <string_view>

#include "platform/core/journal.h"
#include "platform/win32/last_error.h"

namespace {

// One code point from the bytes at `i` (advanced past them); U+FFFD for an invalid sequence.
char32_t decodeOne(std::string_view bytes, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(bytes[i++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) extra = 1, code = lead & 0x1F, minimum = 0x80;
    else if ((lead & 0xF0) == 0xE0) extra = 2, code = lead & 0x0F, minimum = 0x800;
    else if ((lead & 0xF8) == 0xF0) extra = 3, code = lead & 0x07, minimum = 0x10000;
    else return 0xFFFD;
    for (int k = 0; k < extra; ++k) {
        if (i >= bytes.size() || (static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) return 0xFFFD;
        code = (code << 6) | (static_cast<unsigned char>(bytes[i++]) & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0xFFFD;
    return code;
}

}  // namespace

int MultiByteToWideChar(UINT CodePage, DWORD, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr,
                        int cchWideChar) {
    if (CodePage != CP_UTF8) {
        platform::core::reportFailure(L"MultiByteToWideChar: code page " + std::to_wstring(CodePage) + L" is not modelled");
        return platform::win32::failWith(ERROR_INVALID_PARAMETER, 0);
    }
    if (lpMultiByteStr == nullptr || cbMultiByte == 0 || cchWideChar < 0)
        return platform::win32::failWith(ERROR_INVALID_PARAMETER, 0);
    const std::size_t length = cbMultiByte < 0 ? std::strlen(lpMultiByteStr) + 1 : static_cast<std::size_t>(cbMultiByte);
    const std::string_view bytes(lpMultiByteStr, length);
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size();) {
        const char32_t code = decodeOne(bytes, i);
        if (sizeof(wchar_t) == 2 && code > 0xFFFF) {
            text += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
            text += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            text += static_cast<wchar_t>(code);
        }
    }
    if (cchWideChar == 0) return static_cast<int>(text.size());
    if (text.size() > static_cast<std::size_t>(cchWideChar)) return platform::win32::failWith(ERROR_INSUFFICIENT_BUFFER, 0);
    std::memcpy(lpWideCharStr, text.data(), text.size() * sizeof(wchar_t));
    SetLastError(ERROR_SUCCESS);
    return static_cast<int>(text.size());
}
