#include "app/server_app_proxy.h"

#include "app/command_registration.h"

#include <optional>

#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "mainframe/status_line.h"

bool ServerAppProxy::IsShellEditionFeature() {
    return true;
}

DWORD ServerAppProxy::GetProductFlags(DWORD& flags) {
    flags = 0x1 | 0x20000 | (GlobalContainer::IsMardel() ? 0x10000u : 0u);
    return flags;
}

bool ServerAppProxy::IsViewerEdition() {
    return true;
}

bool ServerAppProxy::IsMardel() {
    return GlobalContainer::IsMardel();
}

bool ServerAppProxy::IsQuenta() {
    return GlobalContainer::IsQuenta();
}

bool ServerAppProxy::IsOstrel() {
    return GlobalContainer::IsOstrel();
}

bool ServerAppProxy::IsEditionFeatureOff() {
    return false;
}

bool ServerAppProxy::IsEdition128() {
    return KV_EDITION_CODE == 128;
}

bool ServerAppProxy::IsEdition256() {
    return KV_EDITION_CODE == 256;
}

bool ServerAppProxy::IsEdition512() {
    return KV_EDITION_CODE == 512;
}

bool ServerAppProxy::CanLoadWorkSessionFiles() {
    return false;
}

CKvw32Doc* ServerAppProxy::GetCurrentDocument() {
    return app_->GetCurrentDocument();
}

void ServerAppProxy::SetCurrentDocument(CKvw32Doc* document) {
    CKVCom_Is3D::OnCurrentDocumentChanged(app_->GetCurrentDocument(), document, 0);
    app_->ActivateDocument(document);
}

void ServerAppProxy::OnChangeDocumentState(CKvw32Doc*, DWORD) {}

void ServerAppProxy::OnDocumentClosed(CKvw32Doc* document) {
    CKVCom_Is3D::OnCurrentDocumentChanged(document, document, 1);
    // A closed document must not stay the panes' current document.
    app_->ForgetClosedDocument(document);
}

void ServerAppProxy::QueryAbsentPane() {}

UINT ServerAppProxy::GetCurrentHelpId() {
    return 0;
}

UINT ServerAppProxy::SetHelpContext(UINT, LPCWSTR) {
    return 0;
}

void ServerAppProxy::ShowHelpFileTopic(LPCWSTR) {}

void ServerAppProxy::ShowCurrentHelpTopic() {}

void ServerAppProxy::ShowCurrentHelp() {}

CString ServerAppProxy::GetBugReportAddress() {
    return {};
}

void ServerAppProxy::BlockPaintAllDocuments(bool block) {
    app_->BlockPaintAllDocuments(block);
}

void ServerAppProxy::RepaintAllDocuments() {
    app_->RepaintAllDocuments();
}

int ServerAppProxy::BrowseText(int index, LPCWSTR text, bool edit) {
    return app_->BrowseText(index, text, edit);
}

void ServerAppProxy::SetTextBrowsersEdit(bool edit) {
    app_->SetTextBrowsersEdit(edit);
}

int ServerAppProxy::BrowseTextByKey(UINT key, UINT modifiers, bool edit) {
    return app_->BrowseTextByKey(key, modifiers, edit);
}

void ServerAppProxy::GetTextBrowserMenuTexts(CStringArray& texts, bool limit) {
    constexpr INT_PTR kMenuLimit = 10;
    app_->GetTextBrowserMenuTexts(texts);
    if (limit && texts.GetSize() > kMenuLimit) texts.SetSize(kMenuLimit);
}

CKVView* ServerAppProxy::GetBirdsEyeView() {
    return nullptr;
}

void ServerAppProxy::SetBirdsEyeViewView(CKVView*) {}

void ServerAppProxy::RedrawBirdsEyeView() {}

void ServerAppProxy::InvalidateBirdsEyeView() {}

CWnd* ServerAppProxy::GetConfigurationsControl() {
    return nullptr;
}

CWnd* ServerAppProxy::GetWeldTreeWindow() {
    return nullptr;
}

CWnd* ServerAppProxy::GetAbsentPaneA() {
    return nullptr;
}

void ServerAppProxy::QueryAbsentPaneB() {}

CWnd* ServerAppProxy::GetAbsentPaneC() {
    return nullptr;
}

bool ServerAppProxy::GetPaneState1020(KVPaneState&) {
    return false;
}

bool ServerAppProxy::SetPaneState1020(const KVPaneState&) {
    return false;
}

bool ServerAppProxy::GetPaneState1006(KVPaneState&) {
    return false;
}

void ServerAppProxy::SelectWorkmixPosition(std::function<void(KVWorkmixPosition&)>) {}

UINT ServerAppProxy::GetSyspanelCurrentId() {
    return 0;
}

void ServerAppProxy::SetSyspanelControls(const UINT*, int) {}

void ServerAppProxy::EnableSyspanelControl(UINT, bool) {}

void ServerAppProxy::DisableSyspanelControls() {}

void ServerAppProxy::SyspanelStatusChanged() {}

void ServerAppProxy::GetFontComboText(CString&, UINT) {}

void ServerAppProxy::set_syspanel_doublevar(CKvw32Doc*, UINT, double, int) {}

void ServerAppProxy::set_syspanel_intvar(CKvw32Doc*, UINT, int, short) {}

void ServerAppProxy::set_syspanel_cstr(CKvw32Doc*, UINT, LPCWSTR) {}

void ServerAppProxy::set_syspanel_font(CKvw32Doc*, UINT, LPCWSTR) {}

void ServerAppProxy::set_syspanel_int(CKvw32Doc*, UINT, int) {}

bool ServerAppProxy::UnpackSyspanelDoubleVar(UINT, double&) {
    return false;
}

bool ServerAppProxy::UnpackSyspanelIntVar(UINT, int&) {
    return false;
}

bool ServerAppProxy::GetSyspanelControlIntValue(UINT, int&) {
    return false;
}

void ServerAppProxy::SetSyspanelButtonStatus(UINT, bool, bool) {}

bool ServerAppProxy::GetSyspanelControlState(UINT, bool&, bool&) {
    return false;
}

void* ServerAppProxy::GetSyspanelControlData(UINT) {
    return nullptr;
}

CXTPRibbonBar* ServerAppProxy::GetRibbonBarOfFrame(CWnd*) {
    return nullptr;
}

void* ServerAppProxy::GetFrameToolsData(CWnd*) {
    return nullptr;
}

StatusLineProxy* ServerAppProxy::GetStatusLineProxy() { return GetMainFrameStatusLine(); }

bool ServerAppProxy::IsRestartRequested() {
    return false;
}

bool ServerAppProxy::IsCrashFlagSet() {
    return false;
}

void ServerAppProxy::SetCrashFlag() {}

void* ServerAppProxy::GetActiveMainFrameTabs() {
    return app_->GetActiveMainFrameTabs();
}

bool ServerAppProxy::OnDropOnWindow(CWnd*, COleDataObject*, DROPEFFECT, POINT) {
    return false;
}

DROPEFFECT ServerAppProxy::OnDragOverWindow(CWnd*, COleDataObject*, DWORD, POINT) {
    return 0;
}

BOOL ServerAppProxy::OnObjectCommand(UINT) {
    return FALSE;
}

BOOL ServerAppProxy::OnUpdateObjectCommand(CCmdUI*) {
    return FALSE;
}

UINT ServerAppProxy::RegisterAppCommand(std::unique_ptr<IApplicationCommand>, UINT, HICON, HICON, const CommandTooltipInfo*) {
    return 0;
}

void ServerAppProxy::SetCommandIcon(UINT, HMODULE, LPCWSTR) {}

void ServerAppProxy::SetCommandIcon(UINT, const BYTE*, std::uint64_t) {}

void ServerAppProxy::SetCommandIcon(UINT, CXTPImageManagerIcon*) {}

void ServerAppProxy::SetCommandIcon(UINT, HICON) {}

void ServerAppProxy::SetCommandIcon(UINT, UINT, bool) {}

bool ServerAppProxy::IsApplicationCommandId(UINT) {
    return false;
}

int ServerAppProxy::GetApplicationCommandCount() {
    return 0;
}

IApplicationCommand* ServerAppProxy::GetApplicationCommand(int) {
    return nullptr;
}

IApplicationCommand* ServerAppProxy::GetApplicationCommandById(UINT) {
    return nullptr;
}

IApplicationCommand* ServerAppProxy::FindApplicationCommand(LPCWSTR) {
    return nullptr;
}

IApplicationCommand* ServerAppProxy::FindApplicationCommandById(UINT) {
    return nullptr;
}

bool ServerAppProxy::IsRegisteredName(LPCWSTR name) {
    return app_->IsRegisteredName(name);
}

void ServerAppProxy::AddRegisteredName(LPCWSTR name) {
    app_->AddRegisteredName(name);
}

bool ServerAppProxy::InsertUserPopupMenu(LPCWSTR, LPCWSTR, int) {
    return false;
}

bool ServerAppProxy::RemoveUserPopupMenu(LPCWSTR) {
    return false;
}

bool ServerAppProxy::InsertUserMenuItem(LPCWSTR, UINT, LPCWSTR, int) {
    return false;
}

void ServerAppProxy::InsertRibbonSystemMenuItem(UINT, LPCWSTR, UINT, bool) {}

void ServerAppProxy::UpdateInstalledConfigurationsMenu() {}

HICON ServerAppProxy::LoadMainIcon() {
    return nullptr;
}

bool ServerAppProxy::IsToolBarVisible(UINT) {
    return false;
}

LPCWSTR ServerAppProxy::GetRegistryCompanyName() {
    return app_->GetCompany();
}

LPCWSTR ServerAppProxy::GetRegistryProductName() {
    return app_->GetRegistryName();
}

bool ServerAppProxy::IsIdleProcessDone() {
    return app_->IsIdleProcessDone();
}

CWnd* ServerAppProxy::GetModelTreeWindow() {
    return nullptr;
}

CWnd* ServerAppProxy::GetTaskWindow() {
    return nullptr;
}

CWnd* ServerAppProxy::GetAbsentPaneD() {
    return nullptr;
}

CWnd* ServerAppProxy::GetNCWindow() {
    return nullptr;
}

CWnd* ServerAppProxy::GetAbsentPaneE() {
    return nullptr;
}

CWnd* ServerAppProxy::GetAbsentPaneF() {
    return nullptr;
}

CDocument* ServerAppProxy::OpenImageDocument(LPCWSTR) {
    return nullptr;
}

bool ServerAppProxy::CreateImageFrame(CDocument*, SIZE, int) {
    return false;
}

void* ServerAppProxy::GetWindowPaneObject(CWnd*) {
    return nullptr;
}

int ServerAppProxy::GetMainBarTabCount() {
    return 0;
}

bool ServerAppProxy::GetMainBarTab(int, GUID&, bool&) {
    return false;
}

void ServerAppProxy::RedrawCommandBars() {}

bool ServerAppProxy::RunModalDialog(KorvoDialog*) {
    return false;
}

void ServerAppProxy::SetProfileName(LPCWSTR name) {
    app_->SetProfileName(name);
}

UINT ServerAppProxy::GetMainResourceId() {
    return app_->GetMainResourceId();
}

UINT ServerAppProxy::SetMainResourceId(UINT id) {
    return app_->SetMainResourceId(id);
}

UINT ServerAppProxy::GetTitleStringId() {
    return app_->GetTitleStringId();
}

UINT ServerAppProxy::SetTitleStringId(UINT id) {
    return app_->SetTitleStringId(id);
}

HWND ServerAppProxy::ShowApplicationClipart(LPCWSTR, UINT, LPCWSTR) {
    return nullptr;
}

bool ServerAppProxy::ShowModelTreeClipart(CKvw32Doc*, UINT) {
    return false;
}

bool ServerAppProxy::IsClipartWindowVisible(LPCWSTR, UINT) {
    return false;
}

void ServerAppProxy::ShowClipartWindow(LPCWSTR, UINT, bool) {}

void ServerAppProxy::SetClipartTitle(LPCWSTR, UINT, LPCWSTR) {}

void ServerAppProxy::SetClipartSvgIcon(LPCWSTR, UINT, const BYTE*, std::uint64_t) {}

void ServerAppProxy::SetClipartPaneIcon(LPCWSTR, UINT, UINT, HINSTANCE) {}

void ServerAppProxy::SetClipartIcon(LPCWSTR, UINT, HICON) {}

void ServerAppProxy::MoveClipartWindow(LPCWSTR, UINT, const RECT&) {}

bool ServerAppProxy::GetClipartWindowRect(LPCWSTR, UINT, RECT&) {
    return false;
}

bool ServerAppProxy::IsClipartControlId(UINT) {
    return false;
}

void ServerAppProxy::ShowVarnelWindows(bool) {}

void ServerAppProxy::ShowAnalysisPane() {}

bool ServerAppProxy::IsAnalysisPaneOpen() {
    return false;
}

void ServerAppProxy::ShowPane826() {}

bool ServerAppProxy::IsPane826Open() {
    return false;
}

bool ServerAppProxy::ShowEmbeddedHelp(LPCWSTR, int) {
    return false;
}

bool ServerAppProxy::HideEmbeddedHelp() {
    return false;
}

CString ServerAppProxy::GetApplicationsIniPath() {
    return app_->GetApplicationsIniPath();
}

bool ServerAppProxy::AttachFormToPane1016(CWnd*) {
    return false;
}

void ServerAppProxy::DetachFormFromPane1016() {}

void ServerAppProxy::FitPane1016() {}

void ServerAppProxy::ShowExpandedForm(UINT, CWnd*, LPCWSTR) {}

CWnd* ServerAppProxy::DetachExpandedForm(UINT) {
    return nullptr;
}

void ServerAppProxy::SetCameraList(const CStringArray&) {}

void* ServerAppProxy::GetSelectedCamera(CKvw32Doc*) {
    return nullptr;
}

void ServerAppProxy::ResetCommandBarControls(UINT) {}

int ServerAppProxy::GetSyspanelValue2042() {
    return 0;
}

CWnd* ServerAppProxy::GetErrorWindow() {
    return app_->GetErrorWindow();
}

CWnd* ServerAppProxy::GetDiagnosticsWindow() {
    return nullptr;
}

void* ServerAppProxy::GetActiveFrameMemberA() {
    return nullptr;
}

void* ServerAppProxy::GetActiveFrameMemberB() {
    return nullptr;
}

const void* ServerAppProxy::GetStaticObject() {
    return nullptr;
}

CFrameWnd* ServerAppProxy::CreateMainFrame() {
    CWaitCursor wait;
    CMainFrame* active = app_->GetActiveMainFrame();
    CMainFrame* frame = active ? active->Clone() : CMainFrame::CreateFromState(app_->GetDefaultMainFrameState());
    if (!frame) return nullptr;
    frame->InitialShow();
    frame->ActivateFrame();
    return frame;
}

bool ServerAppProxy::LoadState() {
    return false;
}

bool ServerAppProxy::SaveState() {
    return false;
}

CString ServerAppProxy::GetCommandSymbolById(UINT id) {
    const wchar_t* symbol = ::GetCommandSymbolById(static_cast<int>(id));
    return symbol ? CString(symbol) : CString();
}

Korvo::UI::MessageBar* ServerAppProxy::ShowMessageBar(std::uint64_t id, LPCWSTR title, LPCWSTR text) {
    return ShowMessageBarEx(id, title, text, nullptr);
}

Korvo::UI::MessageBar* ServerAppProxy::ShowMessageBarEx(std::uint64_t id, LPCWSTR title, LPCWSTR text,
                                                         CObject* boundObject) {
    CMainFrame* frame = app_->GetActiveMainFrame();
    if (!frame) return nullptr;
    if (!frame->ShowMessageBar(0, title ? title : L"", text ? text : L"", {}, {}, id, 0, boundObject)) return nullptr;
    return frame->GetLastMessageBar();
}

bool ServerAppProxy::IsValidMessageBar(const Korvo::UI::MessageBar* bar) {
    bool valid = false;
    app_->ForEachMainFrame([&](CMainFrame* frame) { valid = valid || frame->IsValidMessageBar(bar); });
    return valid;
}

std::uint64_t ServerAppProxy::GetMessageBarId(const Korvo::UI::MessageBar* bar) {
    return bar ? bar->GetId() : 0;
}

INT_PTR ServerAppProxy::GetMessageBarTag(const Korvo::UI::MessageBar* bar) {
    return IsValidMessageBar(bar) ? bar->GetTag() : 0;
}

void ServerAppProxy::CloseMessageBar(std::uint64_t id) {
    app_->ForEachMainFrame([&](CMainFrame* frame) { frame->CloseMessageBar(id); });
}

void ServerAppProxy::CloseMessageBarObject(Korvo::UI::MessageBar* bar) {
    if (IsValidMessageBar(bar)) bar->Close();
}

void ServerAppProxy::ApplyVarnelProfile() {}

void ServerAppProxy::OnChangeVarnelItemStates() {}

void ServerAppProxy::OnChangeVisualItemStates() {}

void ServerAppProxy::OnChangeSettings(const void*) {}

void ServerAppProxy::GetProductName(CString& name) {
    name = Korvo::UI::XML::GetProductName();
}

CString ServerAppProxy::GetMainWindowTitle() {
    return app_->GetMainWindowTitle();
}

CString ServerAppProxy::GetApplicationStringA() {
    return {};
}

CString ServerAppProxy::GetApplicationStringB() {
    return {};
}

CString ServerAppProxy::GetApplicationStringC() {
    return {};
}

DWORD ServerAppProxy::GetProcessesUsingFile(std::vector<std::pair<CString, CString>>&, LPCWSTR) {
    return 0;
}

CXTPCommandBars* ServerAppProxy::GetFrameCommandBars(CWnd*) {
    return nullptr;
}

UINT ServerAppProxy::GetActiveBackstageTabId(CWnd*) {
    return 0;
}

bool ServerAppProxy::ActivateBackstageTab(CWnd*, UINT) {
    return false;
}

void ServerAppProxy::RefreshBackstage(CWnd*) {}

bool ServerAppProxy::ShowRibbonBackstagePrintPage(CWnd*, KVDrawingContext*) {
    return false;
}

bool ServerAppProxy::ShowRibbonBackstagePrintPage(CWnd*, CKvw32Doc*) {
    return false;
}

void ServerAppProxy::OnCriticalError(LPCWSTR message) { app_->OnCriticalError(message); }

bool ServerAppProxy::SetAnalysisMode(CWnd*, UINT) {
    return false;
}

void* ServerAppProxy::GetFrameTabsState(CWnd*) {
    return nullptr;
}

void ServerAppProxy::RefreshVarnelArchives() {}

void ServerAppProxy::ShowSelectionInAssemblyTree(CKvw32Doc*) {}

void ServerAppProxy::GetApplicationValue(std::uint64_t&) {}

void ServerAppProxy::KeepRecentEntry() {}

std::unique_ptr<IKorvoFileDialog> ServerAppProxy::CreateDocumentFileDialog(const CKVFileDialogOptions&, CWnd*) {
    // The kernel's file dialog type is not known to the shell yet.
    AfxThrowNotSupportedException();
}

void ServerAppProxy::ShowCustomizeSheet(CWnd*, UINT, int, int) {}

std::optional<UINT> ServerAppProxy::SelectCommandId(CWnd*) {
    return std::nullopt;
}

void ServerAppProxy::StartTechRequirementsLeaders() {}

CDocTemplate* ServerAppProxy::GetDocTemplate() {
    return app_->GetDocTemplate();
}

void ServerAppProxy::AutoSaveDocuments() {}
