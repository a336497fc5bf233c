#include "app/commands/update_check_address.h"

#include <string>
#include <utility>

namespace AppCommands {

namespace {

bool IsUnreserved(unsigned char byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
           byte == '-' || byte == '.' || byte == '_' || byte == '~';
}

// UTF-8 of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string Utf8(const CString& text) {
    std::string out;
    const std::wstring_view view = text.view();
    for (std::size_t i = 0; i < view.size(); ++i) {
        char32_t code = view[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < view.size() && view[i + 1] >= 0xDC00 && view[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (static_cast<char32_t>(view[i + 1]) - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

}  // namespace

CString PercentEncode(const CString& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::wstring out;
    for (const char c : Utf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (IsUnreserved(byte)) {
            out += static_cast<wchar_t>(byte);
        } else {
            out += L'%';
            out += static_cast<wchar_t>(kHex[byte >> 4]);
            out += static_cast<wchar_t>(kHex[byte & 0xF]);
        }
    }
    return CString(out.c_str());
}

CString UpdateCheckAddress(const CString& site, const UpdateCheckQuery& query) {
    const std::pair<const wchar_t*, CString> values[] = {
        {L"major", L"18"},          {L"minor", L"0"},           {L"build", L"21"},        {L"revision", L"0"},
        {L"lang", query.language}, {L"product", query.product}, {L"platform", L"x64"},
    };
    CString address = site + L"/check_for_updates/index.php";
    wchar_t separator = L'?';
    for (const auto& [key, value] : values) {
        address += CString(separator) + key + L"=" + PercentEncode(value);
        separator = L'&';
    }
    return address;
}

}  // namespace AppCommands
