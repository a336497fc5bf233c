// Start-up services of the application: the settings profile an installation imposes once, and
// the PDM link (app/startup/pdm_connection.cpp).
#include <cstring>
#include <vector>

#include "app/kvw32_app.h"
#include "app/startup/machine_registry.h"

namespace {


constexpr UINT kHashSize = 64;
constexpr const wchar_t* kSettings = L"Settings";
constexpr const wchar_t* kStartupProfileName = L"StartupProfileName";
constexpr const wchar_t* kStartupProfileFileHash = L"StartupProfileFileHash";

}  // namespace

void CKvw32App::ApplyStartupProfile() {
    if (GetProfileInt(L"Debug", L"IgnoreStartupProfile", 0) != 0) return;
    const CString file = ReadMachineString(L"SOFTWARE\\" + m_company + L"\\" + m_registryName, L"StartupProfileFileName");
    if (file.IsEmpty()) return;
    std::vector<BYTE> hash;
    const bool hashed = Korvo::FileHash(file, hash) && hash.size() == kHashSize;

    const CString name = KorvoProfileManager::GetProfileName(file);
    if (hashed && KorvoProfileManager::ProfileExists(name) &&
        GetProfileString(kSettings, kStartupProfileName, L"") == name) {
        LPBYTE stored = nullptr;
        UINT size = 0;
        const bool read = GetProfileBinary(kSettings, kStartupProfileFileHash, &stored, &size);
        const bool same = read && size == kHashSize && std::memcmp(stored, hash.data(), kHashSize) == 0;
        delete[] stored;
        if (same) {
            KVLog_WriteF(5, L"The startup profile \"%s\" already exists and its file \"%s\" matches the most recently used one",
                         name.GetString(), file.GetString());
            return;
        }
    }
    if (const int result = KorvoProfileManager::Import(file, true); result < 0) {
        KVLog_WriteF(7, L"Failed to import the startup profile file \"%s\": 0x%08x", file.GetString(),
                     static_cast<unsigned>(result));
        return;
    }
    if (!KorvoProfileManager::Copy(name)) {
        KVLog_WriteF(7, L"Failed to copy the startup profile \"%s\"", name.GetString());
        return;
    }
    WriteProfileString(kSettings, kStartupProfileName, name);
    if (hashed) {
        WriteProfileBinary(kSettings, kStartupProfileFileHash, hash.data(), kHashSize);
    } else {
        // A stale hash would let a changed file pass as the one already imported.
        WriteProfileString(kSettings, kStartupProfileFileHash, nullptr);
        KVLog_WriteF(6, L"Failed to calculate the hash of the startup profile file \"%s\"", file.GetString());
    }
}
