// The program's end: what must be asked before documents close, the list of documents for the
// next start, and the shutdown in its fixed order. The shutdown runs once, from the message
// loop's exit, so no frame is destroyed under its own command handler and the kernel session is
// never destroyed twice.
#include "app/kvw32_app.h"
#include "mainframe/clipart/clipart_view.h"
#include "mainframe/generate_dump_file_app_context.h"
#include "mainframe/main_frame.h"

namespace {

constexpr const wchar_t* kSettings = L"Settings";
constexpr const wchar_t* kOpenDocuments = L"OpenDocuments";

// Every slot that owns its window outright, in the order the slots are declared.
constexpr PaneWindowSlot PaneWindows::*kOwnedPaneSlots[] = {
    &PaneWindows::birdsEyeView,     &PaneWindows::modelTree,
    &PaneWindows::materials,        &PaneWindows::weldTree,
    &PaneWindows::productStructure, &PaneWindows::modelElements,
    &PaneWindows::assemblyStructure, &PaneWindows::tasks,
    &PaneWindows::varnelDesktop,    &PaneWindows::varnelArchives,
    &PaneWindows::varnelFavorites,  &PaneWindows::varnelFind,
    &PaneWindows::varnelAssembly,   &PaneWindows::varnelMail,
    &PaneWindows::varnelConfigurationSettings, &PaneWindows::varnelLibraryElements,
    &PaneWindows::libraries,        &PaneWindows::legacyCam,
    &PaneWindows::structureElements, &PaneWindows::cam,
    &PaneWindows::techRequirements, &PaneWindows::error,
    &PaneWindows::findCommand,      &PaneWindows::generationQueue,
};

}  // namespace

BOOL CKvw32App::SaveAllModified() {
    // A crash report forbade saving: nothing is asked, everything may close.
    if ((m_applicationFlags & GenerateDumpFileAppContext::kFlagDocumentsNotSaved) != 0) return TRUE;
    if (MacroManager* macros = MacroManagerInstance(); macros && !macros->CanStop()) return FALSE;
    if (!kvaux::MfcApplication::SaveAllModified()) return FALSE;
    return DocumentsMenu::SaveAllConfigurations(DocumentsMenu::GlobalCfgGroup(), true) ? TRUE : FALSE;
}

void CKvw32App::SaveOpenDocumentsList() {
    if (!GetSettings().files.reopenDocuments) {
        WriteProfileInt(kOpenDocuments, L"Count", 0);
        return;
    }
    std::vector<CString> paths;
    for (CKvw32Doc* document : Korvo::DocumentManager::Instance().GetDocuments()) {
        if (!document->GetPathName().IsEmpty()) paths.push_back(document->GetPathName());
    }
    WriteProfileInt(kOpenDocuments, L"Count", static_cast<int>(paths.size()));
    for (std::size_t i = 0; i < paths.size(); ++i) {
        CString name;
        name.Format(L"Document%d", static_cast<int>(i));
        WriteProfileString(kOpenDocuments, name, paths[i]);
    }
}

void CKvw32App::RequestExit() { AfxPostQuitMessage(0); }

void CKvw32App::WriteExitSettings() {
    WriteProfileInt(kSettings, L"ToolBarIconSize", static_cast<int>(m_toolBarIconSize.cx));
    WriteProfileInt(kSettings, L"RibbonMode", m_ribbonMode ? 1 : 0);
    WriteProfileString(kSettings, L"UIStyle", m_themeName);
    WriteProfileString(kSettings, L"VarnelProfileFileName", m_varnelProfileFileName);
    m_textBrowsers.WriteProfile();
}

int CKvw32App::ExitInstanceBody() {
    if (std::exchange(m_shutDown, true)) return m_exitCode;
    kvpf::OnIdle(true);
    if (auto* documents = dynamic_cast<CWSDocManager*>(m_pDocManager)) documents->ClearRunningFlag();
    if (m_startupComplete == 1 && Korvo::UI::GetFirstMainFrame() != nullptr) {
        // The profile state holds none of these values: they are written here, as closing the
        // last frame writes them, or a Quit by command would lose them.
        WriteExitSettings();
        KorvoProfileManager::Instance().SaveState();
        m_startupComplete = 0;
    }
    m_exiting = true;
    CloseAllMainFrames();
    ApplicationManager::OnExitInstance();
    CClipartView::DestroyAll();
    DestroyPaneWindows();
    CXTPPaintManager::ReleaseInstance();
    GetGlobalData()->CleanUp();
    GlobalContainer::DestroySession(false);
    m_exitCode = CKvw32App::ExitInstance();
    return m_exitCode;
}

int CKvw32App::ExitInstance() {
    kvpf::OnIdle(true);
    if (m_startupComplete == 1) WriteExitSettings();
    {
        const ApplicationCommands commands = std::exchange(m_applicationCommands, ApplicationCommands{});
        for (int i = 0; i < commands.GetCount(); ++i) {
            GlobalContainer::UnregisterCmd(static_cast<int>(commands.Get(i)->GetCommandId()));
        }
    }
    CKVApplicationManager::UnloadApplications();
    if (m_watchedHandle) {
        CloseHandle(m_watchedHandle);
        m_watchedHandle = nullptr;
        m_watchedCallback = nullptr;
    }
    KorvoManagedUIProxy::WpfAccessor::ShutdownDispatcher();
    Korvo::Module::shutdownAll();
    const int result = kvaux::MfcApplication::ExitInstance();
    PostQuitMessage(0);
    // The mutex tells other processes that settings may be in use; it goes last.
    if (m_settingsMutex) {
        CloseHandle(m_settingsMutex);
        m_settingsMutex = nullptr;
    }
    return result != 0 ? 1 : 0;
}

void CKvw32App::CloseAllMainFrames() {
    while (CFrameWnd* frame = Korvo::UI::GetFirstMainFrame()) {
        if (!frame->DestroyWindow()) break;  // a frame that stays would hold the loop forever
    }
}

void CKvw32App::DestroyPaneWindows() {
    m_paneWindows.properties.Reset(nullptr);
    m_paneWindows.annotations.Reset(nullptr);
    m_paneWindows.formFactor.Reset(nullptr);
    m_paneWindows.configurations.Reset(nullptr);
    m_paneWindows.layers.Reset(nullptr);
    for (PaneWindowSlot PaneWindows::*slot : kOwnedPaneSlots) (m_paneWindows.*slot).Reset(nullptr);
    // The host goes after every window made under it.
    m_paneWindows.dummyHost.Reset(nullptr);
}
