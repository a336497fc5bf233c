#include "app/about/about_texts.h"

#include <algorithm>
#include <vector>

namespace {

constexpr DWORD kValueBytes = 255;
constexpr const wchar_t* kVersionNumber = L"18.0.21.0";

}  // namespace

CString AboutOwnerText(const CString& owner, const CString& organization) {
    return organization.IsEmpty() ? owner : owner + L"\n" + organization;
}

CString ReadRegistrationValue(HKEY key, LPCWSTR name) {
    if (!key) return {};
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ) return {};
    // The whole value is read so a long one can be cut, not refused.
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
    DWORD read = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &read) != ERROR_SUCCESS)
        return {};
    const std::size_t kept = std::min<std::size_t>({read, kValueBytes, size}) / sizeof(wchar_t);
    std::size_t length = 0;
    while (length < kept && buffer[length] != L'\0') ++length;
    return CString(std::wstring(buffer.data(), length).c_str());
}

CString ReplaceAboutPlaceholders(const CString& text, const CString& product, bool all) {
    CString result = text;
    result.Replace(L"<program>", product);
    if (all) {
        result.Replace(L"<version>", L"18");
        result.Replace(L"<system>", L"Windows 7, 8, 10, 11");
        result.Replace(L"<year>", L"2025");
    }
    return result;
}

AboutVersionBlock MakeAboutVersionBlock(const CString& versionText, const CString& buildWord, const CString& buildDate,
                                        const CString& pdmInfo) {
    AboutVersionBlock block;
    block.text = versionText;
    if (!block.text.IsEmpty()) block.text += L"\r\n";
    block.versionStart = block.text.GetLength();
    block.text += kVersionNumber;
    block.versionEnd = block.text.GetLength();
    block.text += L" x64 " + buildWord + L" " + buildDate + L"\r\n";
    CString pdm = pdmInfo;
    // Lines already ending in both stay as they are.
    pdm.Replace(L"\r\n", L"\n");
    pdm.Replace(L"\n", L"\r\n");
    block.text += pdm;
    return block;
}
