#include "app/kvw32_app.h"

#include "app/documents/document_opener.h"
#include "app/startup/product_settings.h"
#include "app/startup/splash_wnd.h"
#include "app/documents/recent_file_list.h"
#include "app/profiles/korvo_profile_page.h"
#include "app/toolbars/tool_bar_property_page.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/ribbon_page_frame.h"
#include "mainframe/toolsengine/customize_sheet.h"
#include "mainframe/main_frame.h"

namespace {

CKvw32App* g_application = nullptr;

}  // namespace

CKvw32App::CKvw32App() {
    g_application = this;
    services::Registry<ApplicationServices>::Register(this);
    // The framework owns and deletes the document manager.
    m_pDocManager = new CWSDocManager;
    CustomizeSheet::SetProfilesPageFactory([] { return std::make_unique<KorvoProfilePage>(); });
    CustomizeSheet::SetOptionsPageFactory([](CXTPCommandBars* bars) { return std::make_unique<ToolBarPropertyPage>(bars); });
    UseRibbonPageInCustomizeSheet();
    // The first main frame to show ends the start-up banner.
    CMainFrame::SetInitialShowObserver([] { CSplashWnd::SignalClose(); });
}

CKvw32App::~CKvw32App() {
    if (m_settingsMutex) {
        CloseHandle(m_settingsMutex);
        m_settingsMutex = nullptr;
    }
    m_criticalError.reset();
    if (m_pdmConnection) {
        m_pdmConnection->Release();
        m_pdmConnection = nullptr;
    }
    // The log window is a top-level window of its own; it goes before its object.
    if (m_logWindow && m_logWindow->GetSafeHwnd()) m_logWindow->DestroyWindow();
    m_logWindow.reset();
    services::Registry<ApplicationServices>::Withdraw(this);
    if (g_application == this) g_application = nullptr;
}

CKvw32App* CKvw32App::Instance() { return g_application; }

CDocument* CKvw32App::OpenDocumentFile(LPCWSTR path) { return ::OpenDocumentFile(path); }

Korvo::DocInitParams CKvw32App::GetDocumentOpenParameters() const {
    return ::GetDocumentOpenParameters(Korvo::DocumentManager::Instance());
}

CString CKvw32App::GetIniPath(const kvio::IniFile& ini, LPCWSTR section, LPCWSTR key, LPCWSTR defaultValue) {
    return app::ReadIniPath(ini, section, key, defaultValue);
}

CString CKvw32App::GetApplicationsIniPath() const {
    if (!m_applicationsFile.IsEmpty()) return m_applicationsFile;
    return CString(kvio::JoinPath(KVGetProgramPath().view(), L"Applications.ini"));
}

UINT CKvw32App::SetMainResourceId(UINT id) { return std::exchange(m_mainResourceId, id); }

UINT CKvw32App::SetTitleStringId(UINT id) { return std::exchange(m_titleStringId, id); }

CString CKvw32App::GetProductTitle() const { return KVLoadString(m_titleStringId); }

int CKvw32App::GetProductImageIndex() const {
    switch (KV_EDITION_CODE) {
        case 128: return 9;
        case 256: return 10;
        case 512: return 11;
        default: break;
    }
    return GlobalContainer::IsMardel() ? 12 : 1;
}

void CKvw32App::AddRegisteredName(LPCWSTR name) {
    if (!name || !*name) return;
    m_registeredNames.emplace(name);
}

bool CKvw32App::IsRegisteredName(LPCWSTR name) const {
    if (!name || !*name) return false;
    return m_registeredNames.contains(CString(name));
}

CDocTemplate* CKvw32App::AddDocTemplateSafe(CDocTemplate* docTemplate) {
    if (docTemplate) AddDocTemplate(docTemplate);
    return docTemplate;
}

void CKvw32App::AddToRecentFileList(LPCWSTR path) {
    if (CKVRecentFileList* list = GetRecentFileList()) list->Add(path, m_pszAppName);
}

BOOL CKvw32App::OnOpenRecentFile(UINT id) {
    // Whatever way the open ends, the list is not left frozen.
    struct RecentOpenScope {
        bool& opening;
        CKVRecentFileList* list;
        ~RecentOpenScope() {
            opening = false;
            if (list) list->SetKeepEntries(false);
        }
    } scope{m_openingRecentFile = true, GetRecentFileList()};
    return kvaux::MfcApplication::OnOpenRecentFile(id);
}

void CKvw32App::AnswerRecentEntryRemoval(LPCWSTR path, bool remove) {
    CKVRecentFileList* list = GetRecentFileList();
    if (!list) return;
    if (m_openingRecentFile) {
        if (!remove) list->SetKeepEntries(true);
        return;
    }
    if (!remove) return;
    for (int i = 0; i < list->GetSize(); ++i) {
        const CString& entry = (*list)[i];
        if (entry.GetLength() == CString(path).GetLength() && entry.CompareNoCase(path) == 0) {
            list->Remove(i);
            return;
        }
    }
}

CKVRecentFileList* CKvw32App::GetRecentFileList() const {
    return dynamic_cast<CKVRecentFileList*>(m_pRecentFileList);
}

void CKvw32App::SetAlphaAllowed(bool) {}

CString CKvw32App::GetVersionText() const { return {}; }


void CKvw32App::CreateNewDocumentFromPrototype(LPCWSTR path) {
    // The prototypes page asked from the backstage: it shows again before the new document comes.
    if (CMainFrame* frame = GetActiveMainFrame())
        if (KVRibbonBar* ribbon = frame->GetRibbonBar()) ribbon->RefreshBackstage();
    Korvo::DocumentManager::Instance().CreateAndSaveNewDocumentFromPrototype(path);
}

CKVDocTemplate* CKvw32App::GetDocTemplate() const {
    if (!m_pDocManager) return nullptr;
    for (CDocTemplate* docTemplate : m_pDocManager->GetTemplates()) {
        if (auto* kernelTemplate = dynamic_cast<CKVDocTemplate*>(docTemplate)) return kernelTemplate;
    }
    return nullptr;
}

void CKvw32App::SetProfileName(LPCWSTR name) {
    free(const_cast<LPWSTR>(m_pszProfileName));
    m_pszProfileName = _wcsdup(name);
}
