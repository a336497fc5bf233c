// Steps of the inner start-up phase that carry logic of their own.
#include "app/kvw32_app.h"
#include "app/startup/product_settings.h"
#include "app/documents/recent_file_list.h"
#include "mainframe/main_frame.h"

namespace {

constexpr const wchar_t* kRecentFileSection = L"Recent File List";
constexpr int kRecentFileDisplayLength = 30;
constexpr const wchar_t* kEditionName = L"Viewer";
constexpr int kEditionKind = 6;
// The document template's class id as an OLE document server.
const CLSID kDocumentServerClassId{0xF5CBECA0, 0x3A0A, 0x11CF, {0xA3, 0xA7, 0x00, 0x4F, 0x56, 0x00, 0x9C, 0x20}};
constexpr UINT kSecondaryFileTypes[] = {996, 999};

BOOL RememberPrimaryMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MONITORINFO info{};
    if (!GetMonitorInfoW(monitor, &info) || (info.dwFlags & MONITORINFOF_PRIMARY) == 0) return TRUE;
    *reinterpret_cast<HMONITOR*>(data) = monitor;
    return FALSE;
}

bool IsFile(const CString& path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The shell's policy "no recent documents history", per user or per machine.
bool IsRecentDocumentsHistoryForbidden() {
    constexpr const wchar_t* kPolicyKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        DWORD value = 0;
        DWORD size = sizeof(value);
        if (RegGetValueW(hive, kPolicyKey, L"NoRecentDocsHistory", RRF_RT_DWORD, nullptr, &value, &size) ==
                ERROR_SUCCESS &&
            value != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

void CKvw32App::FindPrimaryMonitor() {
    m_primaryMonitor = nullptr;
    EnumDisplayMonitors(nullptr, nullptr, &RememberPrimaryMonitor, reinterpret_cast<LPARAM>(&m_primaryMonitor));
}

void CKvw32App::LoadAddOnApplications() {
    kvio::IniFile applications;
    if (applications.Load(GetApplicationsIniPath())) {
        CKVApplicationManager::LoadInstalledApplications(applications);
        ApplicationManager::LoadInstalledApplications(applications);
    }
    LoadInstalledApplicationsFromRegistry(m_language, m_company, kEditionName, kEditionKind, true);
}

void CKvw32App::LoadApplicationCommandsFile() {
    CXTPPropExchangeXMLNode settings(TRUE, L"Settings");
    if (!settings.LoadFromFile(KVAppendProgramPath(L"application.xml"))) return;
    if (CXTPPropExchangeEnumeratorPtr commands = settings.GetEnumerator(L"ApplicationCommand")) {
        LoadApplicationCommands(*commands);
    }
}

bool CKvw32App::ApplyStartupTheme() {
    if (SetTheme(GetProfileString(L"Settings", L"UIStyle", L""))) return true;
    return SetTheme(UIModuleProxy::Instance().GetDefaultThemeName());
}

void CKvw32App::RegisterOle() {
    m_server.ConnectTemplate(kDocumentServerClassId, GetDocTemplate(), FALSE);
    m_serverFactory.UpdateRegistry(L"KVW32.SERVER");
    COleObjectFactory::RegisterAll();
    KVRegisterShellFileTypes(m_mainResourceId, true, true);
    for (UINT resourceId : kSecondaryFileTypes) KVRegisterShellFileTypes(resourceId, true, false);
}

void CKvw32App::LoadLanguageSpecificRibbon() {
    const CString path = KVAppendProgramPath(L"language-specific-ribbon.xml");
    if (!IsFile(path)) return;
    const std::vector<CMainFrame*> frames = GetMainFrames();
    UIModuleProxy& ui = UIModuleProxy::Instance();
    const Korvo::UI::XML::ApplicationParameters* previous =
        ui.SetRibbonApplicationParameters(frames.empty() ? nullptr : frames.front()->GetRibbonApplicationParameters());
    ui.LoadRibbonTabParameters(path);
    ui.SetRibbonApplicationParameters(previous);
}

void CKvw32App::SetApplicationName() {
    CString name = m_appTitle;
    if (name.IsEmpty()) {
        const CString title = GetProductTitle();
        if (title.IsEmpty()) return;
        name = title + GetVersionText();
    }
    free(const_cast<LPWSTR>(m_pszAppName));
    m_pszAppName = _wcsdup(name);
    AfxGetModuleState()->m_lpszCurrentAppName = m_pszAppName;
}

void CKvw32App::CreateRecentFileList() {
    LoadStdProfileSettings(0);
    if (IsRecentDocumentsHistoryForbidden()) return;
    const int count = GetSettings().files.recentFileCount;
    if (count <= 0) return;
    auto* list = new CKVRecentFileList(0, kRecentFileSection, L"File%d", count, kRecentFileDisplayLength);
    delete m_pRecentFileList;
    m_pRecentFileList = list;
    list->ReadList();
}
