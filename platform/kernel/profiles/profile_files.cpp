// The profile manager's storage: profiles as registry sections under the application's key, and
// profile files that carry one section out and back in.
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/core/malformed_lines.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/kernel/profiles/profile_manager.h"
#include "platform/win32/files/file.h"

namespace {

// The program's major version, written into profile files; newer files are refused.
constexpr int kProgramVersion = 18;
// Where the live settings wait while a profile replaces them, out of the profiles section.
constexpr const wchar_t* kBackupSection = L"~ProfileBackup";

class Key {
public:
    explicit Key(HKEY key = nullptr) : key_(key) {}
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_;
};

HKEY openKey(HKEY parent, const std::wstring& path, bool create) {
    HKEY key = nullptr;
    if (!parent) return nullptr;
    const LSTATUS status = create ? RegCreateKeyExW(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                                    nullptr, &key, nullptr)
                                  : RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key);
    return status == ERROR_SUCCESS ? key : nullptr;
}

HKEY appKey() {
    CWinApp* app = AfxGetApp();
    return app ? app->GetAppRegistryKey() : nullptr;
}

std::wstring profileSection(const CString& name) {
    return std::wstring(KorvoProfileManager::GetProfilesSectionName().GetString()) + L"\\" + name.GetString();
}

std::string toHex(const BYTE* data, std::size_t size) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (std::size_t i = 0; i < size; ++i) {
        text += kDigits[data[i] >> 4];
        text += kDigits[data[i] & 0xF];
    }
    return text;
}

std::optional<std::vector<BYTE>> fromHex(std::string_view text) {
    if (text.size() % 2) return std::nullopt;
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::vector<BYTE> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = digit(text[i]), low = digit(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<BYTE>(high * 16 + low));
    }
    return bytes;
}

// A name fits a line when it has no tab and no line break.
bool fitsLine(const std::wstring& name) { return name.find_first_of(L"\t\r\n") == std::wstring::npos; }

bool writeKey(HKEY key, const std::wstring& path, std::string& out) {
    if (!path.empty()) out += "key\t" + platform::core::toUtf8(path) + "\n";
    for (DWORD index = 0;; ++index) {
        std::vector<wchar_t> name(16384);
        DWORD nameLength = 16384, type = 0, size = 0;
        LSTATUS status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, nullptr, &size);
        if (status == ERROR_NO_MORE_ITEMS) break;
        std::vector<BYTE> data(size);
        nameLength = 16384;
        if (status != ERROR_SUCCESS ||
            RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            return false;
        const std::wstring valueName(name.data(), nameLength);
        if (!fitsLine(valueName)) return false;
        out += "value\t" + std::to_string(type) + "\t" + platform::core::toUtf8(valueName) + "\t" + toHex(data.data(), size) + "\n";
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        const std::wstring child(name, length);
        if (!fitsLine(child)) return false;
        const Key sub(openKey(key, child, false));
        if (!sub || !writeKey(sub.get(), path.empty() ? child : path + L"\\" + child, out)) return false;
    }
    return true;
}

struct ProfileFile {
    std::wstring name;
    int version = 0;
    struct Value {
        std::wstring key;  // relative to the section; empty: the section itself
        std::wstring name;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    std::vector<std::wstring> keys;
    std::vector<Value> values;
};

// The file's content, or the Import failure code.
std::variant<ProfileFile, int> readProfileFile(LPCWSTR file) {
    std::string bytes;
    if (!file || platform::files::readAll(file, bytes) != 0) return KorvoProfileManager::kFileNotFound;
    ProfileFile profile;
    platform::core::TextLines lines(bytes);
    bool header = true;
    std::wstring key;
    for (std::string_view line; lines.next(line);) {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (lines.number() == 1) {
            if (!line.starts_with("name=") || line.size() == 5) return KorvoProfileManager::kInvalidProfile;
            profile.name = platform::core::fromUtf8(line.substr(5));
            continue;
        }
        if (header && !line.starts_with("key\t") && !line.starts_with("value\t")) {
            if (line.starts_with("version=")) {
                const std::string number(line.substr(8));
                if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos || number.size() > 6)
                    return KorvoProfileManager::kInvalidProfile;
                profile.version = std::stoi(number);
            }
            continue;
        }
        header = false;
        if (line.empty()) continue;
        std::vector<std::string_view> fields;
        for (std::size_t start = 0;;) {
            const std::size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
            if (tab == std::string_view::npos) break;
            start = tab + 1;
        }
        if (fields[0] == "key" && fields.size() == 2 && !fields[1].empty()) {
            key = platform::core::fromUtf8(fields[1]);
            profile.keys.push_back(key);
            continue;
        }
        if (fields[0] != "value" || fields.size() != 4 || fields[1].empty() ||
            fields[1].find_first_not_of("0123456789") != std::string_view::npos || fields[1].size() > 2)
            return KorvoProfileManager::kInvalidProfile;
        auto data = fromHex(fields[3]);
        if (!data) return KorvoProfileManager::kInvalidProfile;
        profile.values.push_back({key, platform::core::fromUtf8(fields[2]),
                                  static_cast<DWORD>(std::stoi(std::string(fields[1]))), std::move(*data)});
    }
    if (profile.name.empty()) return KorvoProfileManager::kInvalidProfile;
    if (profile.version > kProgramVersion) return KorvoProfileManager::kUnsupportedVersion;
    return profile;
}

bool writeProfile(HKEY section, const ProfileFile& profile) {
    for (const std::wstring& key : profile.keys) {
        const Key made(openKey(section, key, true));
        if (!made) return false;
    }
    for (const ProfileFile::Value& value : profile.values) {
        const Key target(value.key.empty() ? nullptr : openKey(section, value.key, true));
        if (!value.key.empty() && !target) return false;
        if (RegSetValueExW(value.key.empty() ? section : target.get(), value.name.c_str(), 0, value.type,
                           value.data.data(), static_cast<DWORD>(value.data.size())) != ERROR_SUCCESS)
            return false;
    }
    return true;
}

bool makeFolders(const CString& folder) { return platform::files::createDirectories(folder.GetString()) == 0; }

// Moves the section `from` of the application key to `to` (copied, then deleted).
bool moveSection(HKEY app, const std::wstring& from, const std::wstring& to) {
    SHDeleteKeyW(app, to.c_str());
    const Key target(openKey(app, to, true));
    return target && SHCopyKeyW(app, from.c_str(), target.get(), 0) == ERROR_SUCCESS &&
           SHDeleteKeyW(app, from.c_str()) == ERROR_SUCCESS;
}

}  // namespace

std::vector<CString> KorvoProfileManager::GetProfiles() const {
    std::vector<CString> names;
    const Key app(appKey());
    const Key profiles(openKey(app.get(), GetProfilesSectionName().GetString(), false));
    if (!profiles) return names;
    const CString defaultName = GetDefaultProfileName();
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumKeyExW(profiles.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (defaultName.CompareNoCase(name) != 0) names.emplace_back(name);
    }
    return names;
}

CString KorvoProfileManager::GetProfileName(LPCWSTR file) {
    const auto read = readProfileFile(file);
    const auto* profile = std::get_if<ProfileFile>(&read);
    return profile ? CString(profile->name.c_str()) : CString();
}

bool KorvoProfileManager::ProfileExists(LPCWSTR name) {
    if (!name || !*name) return false;
    const Key app(appKey());
    if (Key(openKey(app.get(), profileSection(name), false))) return true;
    const CString folder = GetProfileSectionAppDataPath(name, nullptr);
    return !folder.IsEmpty() && platform::files::isDirectory(folder.GetString());
}

int KorvoProfileManager::Import(LPCWSTR file, bool replace, LPCWSTR name) {
    platform::core::recordCall(std::wstring(L"KorvoProfileManager::Import(\"") + (file ? file : L"") + L"\", " +
                               (replace ? L"true" : L"false") + L")");
    auto read = readProfileFile(file);
    if (const int* failure = std::get_if<int>(&read)) return *failure;
    const ProfileFile& profile = std::get<ProfileFile>(read);
    const CString target = name && *name ? CString(name) : CString(profile.name.c_str());
    const bool exists = ProfileExists(target);
    if (exists && !replace) return kProfileExists;
    const Key app(appKey());
    const CString folder = GetProfileSectionAppDataPath(target, nullptr);
    if (!app || folder.IsEmpty()) return kCannotWrite;
    const std::wstring section = profileSection(target);
    const std::wstring backup = std::wstring(kBackupSection) + L"\\Import";
    // The profile replaced comes back when the new one cannot be written whole.
    const bool backedUp = exists && Key(openKey(app.get(), section, false)) && moveSection(app.get(), section, backup);
    if (exists && !backedUp && Key(openKey(app.get(), section, false))) return kCannotWrite;
    const Key written(openKey(app.get(), section, true));
    if (written && writeProfile(written.get(), profile) && makeFolders(folder)) {
        SHDeleteKeyW(app.get(), kBackupSection);
        return 0;
    }
    SHDeleteKeyW(app.get(), section.c_str());
    if (backedUp) moveSection(app.get(), backup, section);
    SHDeleteKeyW(app.get(), kBackupSection);
    return kCannotWrite;
}

bool KorvoProfileManager::Copy(LPCWSTR name) {
    platform::core::recordCall(std::wstring(L"KorvoProfileManager::Copy(\"") + (name ? name : L"") + L"\")");
    if (!name || !*name) return false;
    const Key app(appKey());
    const Key source(openKey(app.get(), profileSection(name), false));
    if (!source) return ProfileExists(name);
    const std::wstring live = profileSection(GetDefaultProfileName());
    const std::wstring backup = std::wstring(kBackupSection) + L"\\Copy";
    SHDeleteKeyW(app.get(), kBackupSection);
    const bool hadLive = Key(openKey(app.get(), live, false)) ? true : false;
    {
        const Key kept(openKey(app.get(), backup, true));
        if (!kept || (hadLive && SHCopyKeyW(app.get(), live.c_str(), kept.get(), 0) != ERROR_SUCCESS)) {
            SHDeleteKeyW(app.get(), kBackupSection);
            return false;
        }
    }
    // Each item of the profile replaces the live one of that name.
    bool copied = true;
    for (DWORD index = 0; copied; ++index) {
        wchar_t item[256];
        DWORD length = 256;
        if (RegEnumKeyExW(source.get(), index, item, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        const std::wstring target = live + L"\\" + item;
        SHDeleteKeyW(app.get(), target.c_str());
        const Key made(openKey(app.get(), target, true));
        copied = made && SHCopyKeyW(source.get(), item, made.get(), 0) == ERROR_SUCCESS;
    }
    if (!copied) {
        SHDeleteKeyW(app.get(), live.c_str());
        if (hadLive) moveSection(app.get(), backup, live);
    }
    SHDeleteKeyW(app.get(), kBackupSection);
    return copied;
}

bool SaveRegistryKey(HKEY key, LPCWSTR name, LPCWSTR file) {
    if (!key || !name || !*name || !file || !fitsLine(name)) return false;
    std::string out = "name=" + platform::core::toUtf8(name) + "\nversion=" + std::to_string(kProgramVersion) + "\n";
    if (!writeKey(key, std::wstring(), out)) return false;
    return platform::files::writeAllAtomic(file, out) == 0;
}
