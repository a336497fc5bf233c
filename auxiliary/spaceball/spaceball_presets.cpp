// Preset files: the three page modes' mappings in one ini file, each in its own section.
#include "auxiliary/spaceball/spaceball_page.h"

#include "platform/win32.h"

namespace {

constexpr const wchar_t* kHeaderSection = L"SpaceballConfig";
constexpr const wchar_t* kVersionKey = L"version";
constexpr int kWrittenVersion = 2;
constexpr const wchar_t* kModeSections[] = {L"3D", L"Workplane", L"2D"};
constexpr UINT kCannotLoad = 40348;
constexpr UINT kCannotSave = 40347;

}  // namespace

void CKVSpaceballConfigDlgImpl::LoadPreset(const CString& path) {
    // What the user changed on the page so far is kept in its mode before the file is read, so a
    // file without that mode's section leaves the change in place.
    UpdateData(TRUE);
    kvio::IniFile file;
    bool loaded = file.Load(path);
    const int version = loaded ? file.GetInt(kHeaderSection, kVersionKey, 0) : 0;
    if (version == 1 || version == kWrittenVersion) {
        for (int mode = 0; mode < 3 && loaded; ++mode)
            if (file.HasSection(kModeSections[mode])) loaded = m_mappings[mode].Load(file, kModeSections[mode], version);
        FillFromMapping();
    } else {
        loaded = false;
    }
    if (!loaded) KVMessageBox::Show(KVLoadFormatString(kCannotLoad, path.GetString()), MB_OK | MB_ICONERROR);
}

void CKVSpaceballConfigDlgImpl::SavePreset(const CString& path) {
    m_storeMode = m_mode;
    m_storeForOtherMode = 1;
    UpdateData(TRUE);
    m_storeForOtherMode = 0;
    kvio::IniFileWriter file;
    file.SetInt(kHeaderSection, kVersionKey, kWrittenVersion);
    for (int mode = 0; mode < 3; ++mode) m_mappings[mode].Save(file, kModeSections[mode]);
    if (!file.Save(path)) KVMessageBox::Show(KVLoadFormatString(kCannotSave, path.GetString()), MB_OK | MB_ICONERROR);
}
