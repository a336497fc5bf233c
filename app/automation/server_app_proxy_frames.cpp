// The kernel callback object: frames, crash flags, drag and drop, commands and menus, tool bars,
// pane windows, clipart and PDM panes, profiles, state, message bars, settings, backstage and the
// rest.
#include <functional>
#include <memory>

#include "app/commands/command_registration.h"
#include "app/image_documents/image_documents.h"
#include "app/kvw32_app.h"
#include "app/documents/recent_file_list.h"
#include "app/automation/server_app_proxy.h"
#include "auxiliary/sketch_settings_dialog.h"
#include "auxiliary/varnel_frame.h"
#include "app/automation/document_file_dialog.h"
#include "commandbars/backstage/backstage_pages.h"
#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/search/find_command_form.h"
#include "commandbars/tab_tool_bar.h"
#include "documentsmenu/library_drag_drop.h"
#include "mainframe/clipart/clipart_view.h"
#include "mainframe/toolsengine/frame_tools_engine.h"
#include "mainframe/main_frame.h"
#include "mainframe/panes/document_pane_windows.h"
#include "platform/win32/icons.h"
#include "mainframe/statusline/status_line.h"
#include "techrequirements/tech_requirements_window.h"

namespace {

constexpr BYTE kCrashFlag = 0x1;
constexpr BYTE kRestartFlag = 0x2;
constexpr UINT kAnalysisPaneCommand = 790;
constexpr UINT kPane826Command = 826;
constexpr UINT kTitleBlockNotesCommand = 823;
constexpr UINT kNoBackstageTab = 0xFFFFFFFF;
constexpr int kPrintBackstageTab = 1027;

// The constant object the kernel asks the shell for.
constexpr int kStaticObject = 0;

CXTPDockingPane* PaneOfCommand(CMainFrame* frame, UINT command) {
    return frame ? frame->FindPaneByCommand(command) : nullptr;
}

bool IsPaneOpen(CMainFrame* frame, UINT command) {
    CXTPDockingPane* pane = PaneOfCommand(frame, command);
    return pane && !pane->IsClosed();
}

void ShowPaneOfCommand(CMainFrame* frame, UINT command) {
    if (CXTPDockingPane* pane = PaneOfCommand(frame, command)) frame->GetPaneManager().ShowPane(pane);
}

Korvo::UI::AssemblyStructureControlSite* AssemblyStructureSite(CKvw32App& app) {
    auto* window = dynamic_cast<AssemblyStructureWindow*>(app.GetAssemblyStructureWindow(false));
    return window ? &window->GetControlSite() : nullptr;
}

}  // namespace

// ---- Frames, crash flags, drag and drop, object commands --------------------------------------------

CXTPRibbonBar* ServerAppProxy::GetRibbonBarOfFrame(CWnd* frame) {
    CMainFrame* mainFrame = DYNAMIC_DOWNCAST(CMainFrame, frame);
    return mainFrame ? mainFrame->GetRibbonBar() : nullptr;
}

void* ServerAppProxy::GetFrameToolsData(CWnd* frame) {
    CMainFrame* mainFrame = DYNAMIC_DOWNCAST(CMainFrame, frame);
    return mainFrame ? static_cast<CFrameToolsEngine*>(mainFrame) : nullptr;
}

StatusLineProxy* ServerAppProxy::GetStatusLineProxy() { return GetMainFrameStatusLine(); }

bool ServerAppProxy::IsRestartRequested() { return (app_->GetApplicationFlags() & kRestartFlag) != 0; }
bool ServerAppProxy::IsCrashFlagSet() { return (app_->GetApplicationFlags() & kCrashFlag) != 0; }
void ServerAppProxy::SetCrashFlag() { app_->SetApplicationFlag(kCrashFlag); }

void* ServerAppProxy::GetActiveMainFrameTabs() { return app_->GetActiveMainFrameTabs(); }

// Libraries dragged onto a drawing are taken as they are on the main window.
bool ServerAppProxy::OnDropOnWindow(CWnd* window, COleDataObject* data, DROPEFFECT effect, POINT point) {
    return DocumentsMenu::LibraryDragDrop::Instance().OnDropOnWindow(data, effect, point, window);
}

DROPEFFECT ServerAppProxy::OnDragOverWindow(CWnd* window, COleDataObject* data, DWORD keyState, POINT point) {
    return DocumentsMenu::LibraryDragDrop::Instance().OnDragOverWindow(data, keyState, point, window);
}

// The kernel hands the application commands it meets to their handlers: TRUE when the id is one.
BOOL ServerAppProxy::OnObjectCommand(UINT id) {
    if (!app_->GetApplicationCommands().GetById(id)) return FALSE;
    app_->OnObjectCommand(id);
    return TRUE;
}

BOOL ServerAppProxy::OnUpdateObjectCommand(CCmdUI* cmdUI) {
    if (!cmdUI || !app_->GetApplicationCommands().GetById(cmdUI->m_nID)) return FALSE;
    app_->OnUpdateObjectCommand(cmdUI);
    return TRUE;
}

// ---- Command registration, icons, menus ---------------------------------------------------------------

bool ServerAppProxy::IsApplicationCommandId(UINT id) {
    return id >= ApplicationCommands::kFirstId && id <= ApplicationCommands::kLastId;
}


bool ServerAppProxy::IsRegisteredName(LPCWSTR name) { return app_->IsRegisteredName(name); }
void ServerAppProxy::AddRegisteredName(LPCWSTR name) { app_->AddRegisteredName(name); }

bool ServerAppProxy::InsertUserPopupMenu(LPCWSTR caption, HMENU menu, int referenceId, BYTE mode, DWORD flags,
                                         LPCWSTR key, int index) {
    if (!GlobalContainer::InAppCreateToolsMode()) return false;
    const UserMenuPlacement placement{mode, flags, key ? key : L"", index};
    bool inserted = true;
    app_->ForEachMainFrame([&](CMainFrame* frame) {
        if (inserted) inserted = frame->InsertUserPopupMenu(caption ? caption : L"", menu, referenceId, placement);
    });
    return inserted;
}

bool ServerAppProxy::RemoveUserPopupMenu(LPCWSTR key) {
    if (!GlobalContainer::InAppCreateToolsMode()) return false;
    app_->ForEachMainFrame([&](CMainFrame* frame) { frame->RemoveUserPopupMenu(key ? key : L""); });
    return true;
}

bool ServerAppProxy::InsertUserMenuItem(LPCWSTR caption, UINT command, int referenceId, BYTE mode, DWORD flags,
                                        int index) {
    if (!GlobalContainer::InAppCreateToolsMode()) return false;
    const UserMenuPlacement placement{mode, flags, {}, index};
    bool inserted = true;
    app_->ForEachMainFrame([&](CMainFrame* frame) {
        if (inserted) inserted = frame->InsertUserMenuItem(caption ? caption : L"", command, referenceId, placement);
    });
    return inserted;
}

void ServerAppProxy::UpdateInstalledConfigurationsMenu() {
    app_->ForEachMainFrame([](CMainFrame* frame) { frame->UpdateInstalledConfigurationsMenu(); });
}

HICON ServerAppProxy::LoadMainIcon() { return LoadIconW(AfxGetResourceHandle(), app_->GetMainResourceId()); }

// ---- Tool bars, pane windows, images, main-bar tabs, application ids ---------------------------------

bool ServerAppProxy::IsToolBarVisible(UINT barId) {
    CMainFrame* frame = ActiveFrame();
    CXTPCommandBars* bars = frame ? frame->GetCommandBars() : nullptr;
    CXTPToolBar* bar = bars ? bars->GetToolBar(barId) : nullptr;
    return bar && bar->IsVisible();
}

LPCWSTR ServerAppProxy::GetRegistryCompanyName() { return app_->GetCompany(); }
LPCWSTR ServerAppProxy::GetRegistryProductName() { return app_->GetRegistryName(); }
bool ServerAppProxy::IsIdleProcessDone() { return app_->IsIdleProcessDone(); }
CWnd* ServerAppProxy::GetModelTreeWindow() { return app_->GetModelTreeWindow(true); }
CWnd* ServerAppProxy::GetTaskWindow() { return app_->GetTaskWindow(true); }
CWnd* ServerAppProxy::GetAbsentPaneD() { return nullptr; }
CWnd* ServerAppProxy::GetNCWindow() { return app_->GetNCWindow(true); }
CWnd* ServerAppProxy::GetAbsentPaneE() { return nullptr; }
CWnd* ServerAppProxy::GetAbsentPaneF() { return nullptr; }
CDocument* ServerAppProxy::OpenImageDocument(LPCWSTR path) { return ::OpenImageDocument(path); }
// The kernel passes no title: the frame takes the document's (its path).
bool ServerAppProxy::CreateImageFrame(CDocument* document, SIZE, int flag) {
    return document && ::CreateImageFrame(document, document->GetTitle(), nullptr, flag != 0);
}
// The panes the shell makes for the kernel host its objects in clipart views.
void* ServerAppProxy::GetWindowPaneObject(CWnd* window) {
    const auto* view = dynamic_cast<const CClipartView*>(window);
    return view ? view->GetHostedObject() : nullptr;
}
// The main bar of this edition has no tabbed tool bar.
// The main bar's modes are the active frame's tabbed bar's command sets.
int ServerAppProxy::GetMainBarTabCount() {
    CMainFrame* frame = ActiveFrame();
    const CKVTabToolBar* bar = frame ? frame->GetTabToolBar() : nullptr;
    return bar ? bar->GetItemCount() : 0;
}

bool ServerAppProxy::GetMainBarTab(int index, GUID& tab, bool& customizable) {
    CMainFrame* frame = ActiveFrame();
    const CKVTabToolBar* bar = frame ? frame->GetTabToolBar() : nullptr;
    if (!bar || index < 0 || index >= bar->GetItemCount()) return false;
    tab = bar->GetTabIdentifier(index);
    customizable = bar->IsCustomizeVisible(index);
    return true;
}

void ServerAppProxy::RedrawCommandBars() {
    CMainFrame* frame = ActiveFrame();
    CXTPCommandBars* bars = frame ? frame->GetCommandBars() : nullptr;
    if (!bars) return;
    for (int i = 0; i < bars->GetCount(); ++i) {
        if (CXTPCommandBar* bar = bars->GetAt(i); bar && bar->GetSafeHwnd()) bar->Invalidate();
    }
}

bool ServerAppProxy::RunModalDialog(KorvoDialog* dialog) { return RunKernelDialog(dialog); }

void ServerAppProxy::SetProfileName(LPCWSTR name) { app_->SetProfileName(name); }
UINT ServerAppProxy::GetMainResourceId() { return app_->GetMainResourceId(); }
UINT ServerAppProxy::SetMainResourceId(UINT id) { return app_->SetMainResourceId(id); }
UINT ServerAppProxy::GetTitleStringId() { return app_->GetTitleStringId(); }
UINT ServerAppProxy::SetTitleStringId(UINT id) { return app_->SetTitleStringId(id); }

// ---- Clipart panes and PDM panes ----------------------------------------------------------------------

// The clipart panes' operations are in server_app_proxy_clipart.cpp.

void ServerAppProxy::ShowVarnelWindows(bool show) {
    app_->ForEachMainFrame([&](CMainFrame* frame) { frame->ShowVarnelWindows(show); });
}

void ServerAppProxy::ShowAnalysisPane() { ShowPaneOfCommand(ActiveFrame(), kAnalysisPaneCommand); }
bool ServerAppProxy::IsAnalysisPaneOpen() { return IsPaneOpen(ActiveFrame(), kAnalysisPaneCommand); }
void ServerAppProxy::ShowPane826() { ShowPaneOfCommand(ActiveFrame(), kPane826Command); }
bool ServerAppProxy::IsPane826Open() { return IsPaneOpen(ActiveFrame(), kPane826Command); }

// ---- Profiles, help pane, ini files, form panes ----------------------------------------------------------

void ServerAppProxy::GetWindowsProfileCurrentSectionName(CString& name) {
    if (app_->NumMainFrames() > 0) KorvoServerAppProxy::GetWindowsProfileCurrentSectionName(name);
}

bool ServerAppProxy::ShowEmbeddedHelp(LPCWSTR page, int flag) {
    CMainFrame* frame = ActiveFrame();
    return frame && frame->ShowEmbeddedHelp(page, static_cast<DWORD>(flag));
}

bool ServerAppProxy::HideEmbeddedHelp() { return ShowEmbeddedHelp(nullptr, 0); }

CString ServerAppProxy::GetApplicationsIniPath() { return app_->GetApplicationsIniPath(); }

// ---- Diagnostics, frames, state file ---------------------------------------------------------------------

CWnd* ServerAppProxy::GetErrorWindow() { return app_->GetErrorWindow(); }
CWnd* ServerAppProxy::GetDiagnosticsWindow() { return Korvo::UI::DiagnosticsWindow::Instance(); }

void* ServerAppProxy::GetActiveFrameMemberA() {
    CMainFrame* frame = ActiveFrame();
    return frame ? &frame->GetPaneManager() : nullptr;
}

void* ServerAppProxy::GetActiveFrameMemberB() {
    CMainFrame* frame = ActiveFrame();
    return frame ? &frame->GetTabClient() : nullptr;
}

const void* ServerAppProxy::GetStaticObject() { return &kStaticObject; }

CFrameWnd* ServerAppProxy::CreateMainFrame() {
    CWaitCursor wait;
    CMainFrame* active = app_->GetActiveMainFrame();
    CMainFrame* frame = active ? active->Clone() : CMainFrame::CreateFromState(app_->GetDefaultMainFrameState());
    if (!frame) return nullptr;
    frame->InitialShow();
    frame->ActivateFrame();
    return frame;
}

bool ServerAppProxy::LoadState() { return app_->LoadState(nullptr, false); }
bool ServerAppProxy::SaveState() { return app_->SaveState(); }

CString ServerAppProxy::GetCommandSymbolById(UINT id) {
    const wchar_t* symbol = ::GetCommandSymbolById(static_cast<int>(id));
    return symbol ? CString(symbol) : CString();
}

// ---- Message bars ------------------------------------------------------------------------------------------

Korvo::UI::MessageBar* ServerAppProxy::ShowMessageBar(std::uint64_t id, LPCWSTR title, LPCWSTR text) {
    return ShowMessageBarEx(id, title, text, nullptr);
}

Korvo::UI::MessageBar* ServerAppProxy::ShowMessageBarEx(std::uint64_t id, LPCWSTR title, LPCWSTR text,
                                                         CObject* boundObject) {
    CMainFrame* frame = ActiveFrame();
    if (!frame) return nullptr;
    // The frame answers the bar's id, which is 0 for a bar the caller made under id 0: whether a bar
    // was made is whether the frame's newest bar changed. A live bar cannot share the new one's address.
    const Korvo::UI::MessageBar* before = frame->GetLastMessageBar();
    frame->ShowMessageBar(0, title ? title : L"", text ? text : L"", {}, {}, id, 0, boundObject);
    Korvo::UI::MessageBar* made = frame->GetLastMessageBar();
    return made != before ? made : nullptr;
}

bool ServerAppProxy::IsValidMessageBar(const Korvo::UI::MessageBar* bar) {
    bool valid = false;
    app_->ForEachMainFrame([&](CMainFrame* frame) { valid = valid || frame->IsValidMessageBar(bar); });
    return valid;
}

std::uint64_t ServerAppProxy::GetMessageBarId(const Korvo::UI::MessageBar* bar) { return bar ? bar->GetId() : 0; }

INT_PTR ServerAppProxy::GetMessageBarTag(const Korvo::UI::MessageBar* bar) {
    return IsValidMessageBar(bar) ? bar->GetTag() : 0;
}

void ServerAppProxy::CloseMessageBar(std::uint64_t id) {
    app_->ForEachMainFrame([&](CMainFrame* frame) { frame->CloseMessageBar(id); });
}

void ServerAppProxy::CloseMessageBarObject(Korvo::UI::MessageBar* bar) {
    if (IsValidMessageBar(bar)) bar->Close();
}

// ---- PDM, settings, product strings ------------------------------------------------------------------------

void ServerAppProxy::OnChangeVarnelItemStates() {
    if (auto* site = AssemblyStructureSite(*app_)) site->OnChangeVarnelRepositoryItemStates();
}

void ServerAppProxy::OnChangeVisualItemStates() {
    if (auto* site = AssemblyStructureSite(*app_)) site->OnChangeVisualItemStates();
    if (auto* window = dynamic_cast<CModelElementsListWnd*>(app_->GetModelElementsWindow(false))) window->GetList().Refresh();
}

void ServerAppProxy::GetProductName(CString& name) { name = Korvo::UI::XML::GetProductName(); }
CString ServerAppProxy::GetMainWindowTitle() { return app_->GetMainWindowTitle(); }
CString ServerAppProxy::GetApplicationStringA() { return {}; }
CString ServerAppProxy::GetApplicationStringB() { return {}; }
CString ServerAppProxy::GetApplicationStringC() { return {}; }

DWORD ServerAppProxy::GetProcessesUsingFile(std::vector<std::pair<CString, CString>>& programs, LPCWSTR path) {
    return processesUsingFile_.Query(programs, path);
}

CXTPCommandBars* ServerAppProxy::GetFrameCommandBars(CWnd* frame) {
    CMainFrame* mainFrame = DYNAMIC_DOWNCAST(CMainFrame, frame);
    return mainFrame ? mainFrame->GetCommandBars() : nullptr;
}

// ---- Backstage: only a main frame in ribbon mode has one ----------------------------------------------------

namespace {

KVRibbonBar* BackstageRibbonOf(CWnd* frame) {
    CMainFrame* mainFrame = DYNAMIC_DOWNCAST(CMainFrame, frame);
    return mainFrame && mainFrame->IsRibbonMode() ? mainFrame->GetRibbonBar() : nullptr;
}

// The print page takes what it shows from `hand`, then the backstage opens on it.
bool ShowPrintPage(CWnd* frame, const std::function<void(KVRibbonBackstagePrintPage&)>& hand) {
    KVRibbonBar* ribbon = BackstageRibbonOf(frame);
    KVRibbonBackstagePrintPage* page = ribbon ? ribbon->GetPrintBackstagePage(false) : nullptr;
    if (!page) return false;
    hand(*page);
    return ribbon->ActivateBackstageTab(kPrintBackstageTab, page);
}

}  // namespace

UINT ServerAppProxy::GetActiveBackstageTabId(CWnd* frame) {
    KVRibbonBar* ribbon = BackstageRibbonOf(frame);
    const CXTPRibbonBackstageView::Tab* tab = ribbon ? ribbon->GetActiveBackstageTab() : nullptr;
    return tab ? static_cast<UINT>(tab->id) : kNoBackstageTab;
}

bool ServerAppProxy::ActivateBackstageTab(CWnd* frame, UINT id) {
    KVRibbonBar* ribbon = BackstageRibbonOf(frame);
    return ribbon && ribbon->ActivateBackstageTab(static_cast<int>(id));
}

void ServerAppProxy::RefreshBackstage(CWnd* frame) {
    if (KVRibbonBar* ribbon = BackstageRibbonOf(frame)) ribbon->RefreshBackstage();
}

bool ServerAppProxy::ShowRibbonBackstagePrintPage(CWnd* frame, KVDrawingContext* context) {
    return ShowPrintPage(frame, [context](KVRibbonBackstagePrintPage& page) {
        page.SetDrawingContext(context ? std::make_shared<Korvo::Print::PrintDrawingContext>(context, page.GetDocument()) : nullptr);
    });
}

bool ServerAppProxy::ShowRibbonBackstagePrintPage(CWnd* frame, CKvw32Doc* document) {
    return ShowPrintPage(frame, [document](KVRibbonBackstagePrintPage& page) { page.SetDocument(document); });
}

// ---- Errors and the rest -------------------------------------------------------------------------------------

void ServerAppProxy::OnCriticalError(LPCWSTR message) { app_->OnCriticalError(message); }

bool ServerAppProxy::SetAnalysisMode(CWnd* frame, UINT ribbonId) {
    CMainFrame* mainFrame = FrameOrActive(frame);
    return mainFrame && mainFrame->SetAnalysisMode(ribbonId, false);
}

void* ServerAppProxy::GetFrameTabsState(CWnd* frame) {
    CMainFrame* mainFrame = FrameOrActive(frame);
    return mainFrame ? mainFrame->GetFrameTabs() : nullptr;
}

void ServerAppProxy::RefreshVarnelArchives() {
    if (auto* archives = dynamic_cast<CVarnelFrame*>(app_->GetVarnelArchivesWindow(false, true)))
        archives->RefreshExplorer();
}

void ServerAppProxy::ShowSelectionInAssemblyTree(CKvw32Doc* document) {
    if (!document || !document->Get3DContainer()) return;
    if (auto* site = AssemblyStructureSite(*app_)) site->ShowSelection(document);
}

void ServerAppProxy::GetApplicationValue(std::uint64_t& value) { value = 0; }

void ServerAppProxy::KeepRecentEntry() {
    CKVRecentFileList* recent = app_->GetRecentFileList();
    if (recent && app_->IsOpeningRecentFile()) recent->SetKeepEntries(true);
}

std::unique_ptr<IKorvoFileDialog> ServerAppProxy::CreateDocumentFileDialog(const CKVFileDialogOptions& options, CWnd* parent) {
    return std::make_unique<CDocumentFileDialog>(options, parent, app_->GetCurrentDocument());
}

void ServerAppProxy::ShowCustomizeSheet(CWnd* frame, UINT pageId, int option1, int) {
    if (CMainFrame* mainFrame = FrameOrActive(frame)) mainFrame->ShowCustomizeSheet(static_cast<int>(pageId), option1);
}

std::optional<UINT> ServerAppProxy::SelectCommandId(CWnd* parent) {
    if (!parent) parent = FrameOrActive(nullptr);
    FindCommandForm form(parent);
    form.Fill();
    if (kvpf::ModalDialog::RunForm(parent, L"FindCommand.Title", form.GetForm()) != IDOK) return std::nullopt;
    return form.GetSelectedCommand();
}

void ServerAppProxy::StartTechRequirementsLeaders() {
    // 823 shows the requirements pane; it toggles, so a pane already shown is left as it is.
    TechRequirementsWindow* requirements = app_->GetTechRequirementsWindow();
    const bool shown = requirements && requirements->GetSafeHwnd() && requirements->IsWindowVisible();
    if (CMainFrame* frame = ActiveFrame(); frame && !shown) frame->PostMessage(WM_COMMAND, kTitleBlockNotesCommand, 0);
    // This edition makes no requirements window; one an add-on put into the slot starts the command.
    if (requirements) requirements->StartLeadersCommand();
}

CDocTemplate* ServerAppProxy::GetDocTemplate() { return app_->GetDocTemplate(); }

void ServerAppProxy::AutoSaveDocuments() { app_->AutoSaveDocuments(); }
