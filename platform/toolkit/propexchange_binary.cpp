// Property-exchange values beyond text and numbers: unsigned numbers, 16-byte ids and bytes.
#include <charconv>
#include <string>

#include "platform/core/hex_digits.h"
#include "platform/mfc/ole.h"
#include "platform/toolkit/propexchange.h"

using platform::core::hexDigitValue;

BOOL PX_DWord(CXTPPropExchange* px, LPCWSTR name, DWORD& value, DWORD defaultValue) {
    if (!px) return FALSE;
    if (!px->IsLoading()) {
        px->WriteValue(name, std::to_wstring(value));
        return TRUE;
    }
    value = defaultValue;
    const std::optional<std::wstring> text = px->ReadValue(name);
    if (!text) return TRUE;
    const std::string narrow(text->begin(), text->end());
    unsigned long long number = 0;
    const auto [end, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), number);
    const bool whole = error == std::errc() && end == narrow.data() + narrow.size() && !narrow.empty();
    if (!whole || number > 0xFFFFFFFFull || text->find_first_not_of(L"0123456789") != std::wstring::npos) {
        px->ReportBadValue(name, *text, L"an unsigned 32-bit number");
        return TRUE;
    }
    value = static_cast<DWORD>(number);
    return TRUE;
}

BOOL PX_Guid(CXTPPropExchange* px, LPCWSTR name, GUID& value) {
    if (!px) return FALSE;
    if (!px->IsLoading()) {
        px->WriteValue(name, platform::mfc::formatGuid(value));
        return TRUE;
    }
    value = GUID{};
    const std::optional<std::wstring> text = px->ReadValue(name);
    if (!text) return TRUE;
    const auto guid = text->size() == 38 && text->front() == L'{' ? platform::mfc::parseGuid(*text) : std::nullopt;
    if (!guid) {
        px->ReportBadValue(name, *text, L"a braced 16-byte id");
        return TRUE;
    }
    value = *guid;
    return TRUE;
}

BOOL PX_Blob(CXTPPropExchange* px, LPCWSTR name, std::vector<BYTE>& value) {
    if (!px) return FALSE;
    if (!px->IsLoading()) {
        std::wstring text;
        text.reserve(value.size() * 2);
        for (const BYTE byte : value) platform::core::appendUpperHex(text, byte, 2);
        px->WriteValue(name, text);
        return TRUE;
    }
    value.clear();
    const std::optional<std::wstring> text = px->ReadValue(name);
    if (!text) return TRUE;
    std::vector<BYTE> bytes;
    bytes.reserve(text->size() / 2);
    bool whole = text->size() % 2 == 0;
    for (std::size_t at = 0; whole && at < text->size(); at += 2) {
        const int high = hexDigitValue((*text)[at]);
        const int low = hexDigitValue((*text)[at + 1]);
        whole = high >= 0 && low >= 0;
        if (whole) bytes.push_back(static_cast<BYTE>(high * 16 + low));
    }
    if (!whole) {
        px->ReportBadValue(name, text->substr(0, 40), L"bytes as pairs of hex digits");
        return TRUE;
    }
    value = std::move(bytes);
    return TRUE;
}
