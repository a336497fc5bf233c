// The application's profile in the per-user registry and the recent-file list kept there.
#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/core/api_text.h"
#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/mfc/app/app.h"
#include "platform/mfc/framework_state.h"
#include "platform/win32/files/file.h"
#include "platform/win32/files/registry.h"

namespace {

constexpr REGSAM kReadWrite = KEY_READ | KEY_WRITE;
constexpr const wchar_t* kRecentFileSection = L"Recent File List";
constexpr const wchar_t* kRecentFileEntry = L"File%d";

// Closes a key when it goes out of scope.
class KeyHolder {
public:
    explicit KeyHolder(HKEY key) : key_(key) {}
    ~KeyHolder() {
        if (key_ != nullptr) ::RegCloseKey(key_);
    }
    KeyHolder(const KeyHolder&) = delete;
    KeyHolder& operator=(const KeyHolder&) = delete;
    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_;
};

HKEY createKey(HKEY parent, LPCWSTR name) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExW(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWrite, nullptr, &key,
                          &disposition) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

DWORD stringBytes(const std::wstring& text) { return static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)); }

// Reading a string (the recent-file list reads nothing else) opens its section without making
// it: a start over an empty list leaves the user's hive as it found it, so nothing is written
// back for it. The number and binary reads still make their section, which the profile items
// count on.
HKEY openSectionForReading(const CWinApp& app, LPCWSTR section) {
    if (section == nullptr || app.m_pszRegistryKey == nullptr || app.m_pszProfileName == nullptr) return nullptr;
    const std::wstring path = std::wstring(L"Software\\") + app.m_pszRegistryKey + L"\\" + app.m_pszProfileName + L"\\" + section;
    HKEY key = nullptr;
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS ? key : nullptr;
}

// Without SetRegistryKey the framework keeps the profile in an .ini file, which this stand-in
// does not provide: the call is a failure naming it, never an answer from defaults.
bool hasRegistryProfile(const CWinApp& app, const wchar_t* call, LPCWSTR section, LPCWSTR entry) {
    if (app.m_pszRegistryKey != nullptr) return true;
    platform::core::reportFailure(std::wstring(L"CWinApp::") + call + L"(" + platform::core::quoted(section) + L", " +
                                  platform::core::quoted(entry) +
                                  L"): no registry key (SetRegistryKey was not called) and the .ini profile is "
                                  L"not provided");
    return false;
}

}  // namespace

namespace platform::mfc::detail {

bool setRegistryDefault(HKEY root, const std::wstring& path, const std::wstring& value) {
    return ::RegSetKeyValueW(root, path.c_str(), nullptr, REG_SZ, value.c_str(), stringBytes(value)) == ERROR_SUCCESS;
}

LONG deleteRegistryTree(HKEY root, const std::wstring& path) {
    HKEY raw = nullptr;
    LONG result = ::RegOpenKeyExW(root, path.c_str(), 0, kReadWrite, &raw);
    if (result != ERROR_SUCCESS) return result;
    {
        KeyHolder key(raw);
        std::vector<std::wstring> children;
        for (DWORD index = 0;; ++index) {
            wchar_t name[256];
            DWORD length = 256;
            if (::RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            children.emplace_back(name, length);
        }
        for (const std::wstring& child : children) {
            result = deleteRegistryTree(key.get(), child);
            if (result != ERROR_SUCCESS) return result;
        }
    }
    return ::RegDeleteKeyW(root, path.c_str());
}

}  // namespace platform::mfc::detail

// ---- Registry key ----------------------------------------------------------------------------

void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey) {
    std::free(const_cast<wchar_t*>(m_pszRegistryKey));
    m_pszRegistryKey = _wcsdup(lpszRegistryKey);
    std::free(const_cast<wchar_t*>(m_pszProfileName));
    m_pszProfileName = _wcsdup(m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
    const auto key = platform::loadStringResource(nIDRegistryKey);
    if (!key) {
        platform::core::reportFailure(platform::format(L"SetRegistryKey: no string resource %u", nIDRegistryKey));
        return;
    }
    SetRegistryKey(key->c_str());
}

HKEY CWinApp::GetAppRegistryKey() {
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr) return nullptr;
    // Windows always has HKEY_CURRENT_USER\Software; a fresh store may not.
    KeyHolder software(createKey(HKEY_CURRENT_USER, L"Software"));
    if (!software) return nullptr;
    KeyHolder company(createKey(software.get(), m_pszRegistryKey));
    if (!company) return nullptr;
    return createKey(company.get(), m_pszProfileName);
}

HKEY CWinApp::GetSectionKey(LPCWSTR lpszSection) {
    if (lpszSection == nullptr) return nullptr;
    KeyHolder app(GetAppRegistryKey());
    if (!app) return nullptr;
    return createKey(app.get(), lpszSection);
}

// ---- Values ----------------------------------------------------------------------------------

UINT CWinApp::GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault) {
    if (!hasRegistryProfile(*this, L"GetProfileInt", lpszSection, lpszEntry)) return static_cast<UINT>(nDefault);
    KeyHolder section(GetSectionKey(lpszSection));
    if (!section) return static_cast<UINT>(nDefault);
    DWORD value = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof(value);
    // Four bytes of any type read as the number, as the framework reads them.
    if (::RegQueryValueExW(section.get(), lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size) !=
            ERROR_SUCCESS ||
        size != sizeof(value)) {
        return static_cast<UINT>(nDefault);
    }
    return value;
}

CString CWinApp::GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault) {
    if (!hasRegistryProfile(*this, L"GetProfileString", lpszSection, lpszEntry)) return CString(lpszDefault);
    KeyHolder section(openSectionForReading(*this, lpszSection));
    if (!section) return CString(lpszDefault);
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (::RegQueryValueExW(section.get(), lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return CString(lpszDefault);
    }
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(section.get(), lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(buffer.data()), &size) !=
        ERROR_SUCCESS) {
        return CString(lpszDefault);
    }
    buffer.resize(std::wcslen(buffer.c_str()));
    return CString(buffer);
}

BOOL CWinApp::GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
    if (ppData == nullptr || pBytes == nullptr) return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    if (!hasRegistryProfile(*this, L"GetProfileBinary", lpszSection, lpszEntry)) return FALSE;
    KeyHolder section(GetSectionKey(lpszSection));
    if (!section) return FALSE;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (::RegQueryValueExW(section.get(), lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return FALSE;
    auto* data = new BYTE[size > 0 ? size : 1];
    if (::RegQueryValueExW(section.get(), lpszEntry, nullptr, &type, data, &size) != ERROR_SUCCESS) {
        delete[] data;
        return FALSE;
    }
    *ppData = data;
    *pBytes = size;
    return TRUE;
}

BOOL CWinApp::WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue) {
    if (!hasRegistryProfile(*this, L"WriteProfileInt", lpszSection, lpszEntry)) return FALSE;
    KeyHolder section(GetSectionKey(lpszSection));
    if (!section) return FALSE;
    const auto value = static_cast<DWORD>(nValue);
    return ::RegSetValueExW(section.get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof(value)) == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue) {
    if (!hasRegistryProfile(*this, L"WriteProfileString", lpszSection, lpszEntry)) return FALSE;
    if (lpszSection == nullptr) return FALSE;
    if (lpszEntry == nullptr) {
        // The whole section goes (a section with sub-keys stays, as the registry refuses it).
        KeyHolder app(GetAppRegistryKey());
        if (!app) return FALSE;
        const LONG result = ::RegDeleteKeyW(app.get(), lpszSection);
        return result == ERROR_SUCCESS || result == static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    }
    KeyHolder section(GetSectionKey(lpszSection));
    if (!section) return FALSE;
    if (lpszValue == nullptr) {
        const LONG result = ::RegDeleteValueW(section.get(), lpszEntry);
        return result == ERROR_SUCCESS || result == static_cast<LONG>(ERROR_FILE_NOT_FOUND);
    }
    const std::wstring value = lpszValue;
    return ::RegSetValueExW(section.get(), lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            stringBytes(value)) == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE pData, UINT nBytes) {
    if (!hasRegistryProfile(*this, L"WriteProfileBinary", lpszSection, lpszEntry)) return FALSE;
    KeyHolder section(GetSectionKey(lpszSection));
    if (!section) return FALSE;
    return ::RegSetValueExW(section.get(), lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU != 0) {
        m_pRecentFileList = new CRecentFileList(0, kRecentFileSection, kRecentFileEntry, static_cast<int>(nMaxMRU));
        m_pRecentFileList->ReadList();
    }
}

void CWinApp::SaveStdProfileSettings() {
    if (m_pRecentFileList != nullptr) m_pRecentFileList->WriteList();
}

// ---- CRecentFileList -------------------------------------------------------------------------

CRecentFileList::CRecentFileList(UINT nStart, LPCWSTR lpszSection, LPCWSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 0),
      m_arrNames(static_cast<std::size_t>(nSize > 0 ? nSize : 0)),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen) {}

CString& CRecentFileList::operator[](int nIndex) {
    if (nIndex < 0 || nIndex >= m_nSize) {
        m_outOfRange.Empty();
        return m_outOfRange;
    }
    return m_arrNames[static_cast<std::size_t>(nIndex)];
}

void CRecentFileList::Add(LPCWSTR lpszPathName) {
    if (m_nSize == 0 || lpszPathName == nullptr || *lpszPathName == L'\0') return;
    wchar_t full[MAX_PATH] = {};
    const CString path = AfxFullPath(full, lpszPathName) ? CString(full) : CString(lpszPathName);
    // An entry for the same file moves up; otherwise the last one falls off.
    int index = 0;
    while (index < m_nSize - 1 && !AfxComparePath(m_arrNames[static_cast<std::size_t>(index)], path)) ++index;
    for (; index > 0; --index) {
        m_arrNames[static_cast<std::size_t>(index)] = m_arrNames[static_cast<std::size_t>(index - 1)];
    }
    m_arrNames[0] = path;
}

void CRecentFileList::Remove(int nIndex) {
    if (nIndex < 0 || nIndex >= m_nSize) return;
    for (int i = nIndex; i < m_nSize - 1; ++i) {
        m_arrNames[static_cast<std::size_t>(i)] = m_arrNames[static_cast<std::size_t>(i + 1)];
    }
    m_arrNames[static_cast<std::size_t>(m_nSize - 1)].Empty();
}

void CRecentFileList::ReadList() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return;
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        m_arrNames[static_cast<std::size_t>(i)] = app->GetProfileString(m_strSectionName, entry, L"");
    }
}

void CRecentFileList::WriteList() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return;
    app->WriteProfileString(m_strSectionName, nullptr, nullptr);
    for (int i = 0; i < m_nSize; ++i) {
        const CString& name = m_arrNames[static_cast<std::size_t>(i)];
        if (name.IsEmpty()) continue;
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        app->WriteProfileString(m_strSectionName, entry, name);
    }
}

// ---- Paths -----------------------------------------------------------------------------------

BOOL AfxFullPath(LPWSTR lpszPathOut, LPCWSTR lpszFileIn) {
    if (lpszPathOut == nullptr) return FALSE;
    lpszPathOut[0] = L'\0';
    if (lpszFileIn == nullptr) return FALSE;
    const DWORD length = ::GetFullPathNameW(lpszFileIn, MAX_PATH, lpszPathOut, nullptr);
    if (length == 0 || length >= static_cast<DWORD>(MAX_PATH)) {
        // Keep the name as given rather than lose it.
        platform::core::copyTruncated(lpszFileIn, lpszPathOut, MAX_PATH);
        return FALSE;
    }
    return TRUE;
}

BOOL AfxComparePath(LPCWSTR lpszPath1, LPCWSTR lpszPath2) {
    if (lpszPath1 == nullptr || lpszPath2 == nullptr) return FALSE;
    wchar_t full1[MAX_PATH];
    wchar_t full2[MAX_PATH];
    AfxFullPath(full1, lpszPath1);
    AfxFullPath(full2, lpszPath2);
    return platform::core::equalsNoCase(full1, full2) ? TRUE : FALSE;
}
