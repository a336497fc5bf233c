#include "platform/korvoui/panes.h"

#include <string>

#include "platform/core/record.h"
#include "platform/kernel/documents/document_text.h"
#include "platform/textcore.h"

namespace {

using platform::core::boolText;
using platform::core::recordCall;
using platform::kernel::documentText;

constexpr UINT kPropertiesPane = 1007;

Korvo::UI::PropertiesWindow* g_properties = nullptr;
bool g_expandedFormTheme = false;
COLORREF g_dockFormBackground = RGB(255, 255, 255);

}  // namespace

namespace Korvo::UI {

PropertiesWindow* PropertiesWindow::Instance(CWnd* parent) {
    return SharedInstance(g_properties, parent, kPropertiesPane);
}

void PropertiesWindow::OnSetActiveDoc(CKvw32Doc* oldDocument, CKvw32Doc* newDocument) {
    recordCall(L"Korvo::UI::PropertiesWindow::OnSetActiveDoc(" + documentText(oldDocument) + L", " +
               documentText(newDocument) + L")");
}

void PropertiesWindow::UpdateFloatingSize() { recordCall(L"Korvo::UI::PropertiesWindow::UpdateFloatingSize()"); }

void PropertiesWindow::OnIdleUpdate() { platform::core::recordIdleCall(L"Korvo::UI::PropertiesWindow::OnIdleUpdate()"); }

void PropertiesWindow::OnFinalRelease() {
    if (g_properties == this) g_properties = nullptr;
    KVCountedPaneWnd::OnFinalRelease();
}

void CommandBarsSiteBase::UpdateCommandBarsOptions(CXTPCommandBars* bars) {
    ++optionsUpdates_;
    if (!bars) return;
    const KVOptions& options = GetKVOptions();
    bars->GetCommandBarsOptions()->bToolBarScreenTips = !options.screenTipsSet || options.screenTips ? TRUE : FALSE;
}

BOOL HostedPaneControl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!parent || !parent->GetSafeHwnd()) return FALSE;
    return CreateEx(0, L"STATIC", L"", style | WS_CHILD, rect, parent, id);
}

void HostedPaneControl::SetTheme(const Theme& theme) { themeName_ = theme.name; }

BOOL HostedPaneControl::DoPropExchange(CXTPPropExchange* px) {
    return PX_String(px, L"ColumnWidths", columnWidths_, L"");
}

void AssemblyStructureControlSite::OnShow(bool shown) {
    recordCall(std::wstring(L"Korvo::UI::AssemblyStructureControlSite::OnShow(") + boolText(shown) + L")");
}

void AssemblyStructureControlSite::SetActiveDocument(CKvw32Doc* document) {
    recordCall(L"Korvo::UI::AssemblyStructureControlSite::SetActiveDocument(" + documentText(document) + L")");
    shown_ = documentText(document);
}

void AssemblyStructureControlSite::OnDocumentClosed(CKvw32Doc* document) {
    recordCall(L"Korvo::UI::AssemblyStructureControlSite::OnDocumentClosed(" + documentText(document) + L")");
    if (document && documentText(document) == shown_) shown_ = L"null";
}

void AssemblyStructureControlSite::UpdateIfDirty() {
    platform::core::recordIdleCall(L"Korvo::UI::AssemblyStructureControlSite::UpdateIfDirty()");
}

void AssemblyStructureControlSite::OnChangeVarnelRepositoryItemStates() {
    recordCall(L"Korvo::UI::AssemblyStructureControlSite::OnChangeVarnelRepositoryItemStates()");
}

void AssemblyStructureControlSite::OnChangeVarnelConnectionState(bool connected) {
    recordCall(std::wstring(L"Korvo::UI::AssemblyStructureControlSite::OnChangeVarnelConnectionState(") +
               (connected ? L"true" : L"false") + L")");
}

void AssemblyStructureControlSite::OnChangeVisualItemStates() {
    recordCall(L"Korvo::UI::AssemblyStructureControlSite::OnChangeVisualItemStates()");
}

void AssemblyStructureControlSite::ShowSelection(CKvw32Doc* document) {
    recordCall(L"Korvo::UI::AssemblyStructureControlSite::ShowSelection(" + documentText(document) + L")");
}

void ExpandedFormView::EnableTheme(bool dark) {
    recordCall(std::wstring(L"Korvo::UI::ExpandedFormView::EnableTheme(") + boolText(dark) + L")");
    g_expandedFormTheme = dark;
}

bool ExpandedFormView::IsThemeEnabled() { return g_expandedFormTheme; }

void ExpandedFormView::ResetFloatingUniquelyDlg(UINT classId) {
    recordCall(L"Korvo::UI::ExpandedFormView::ResetFloatingUniquelyDlg(" + std::to_wstring(classId) + L")");
    floating_.erase(classId);
}

}  // namespace Korvo::UI

void CModelElementsList::OnShow(bool shown) {
    recordCall(std::wstring(L"CModelElementsList::OnShow(") + boolText(shown) + L")");
}

void CModelElementsList::SetActiveDocument(CKvw32Doc* document) {
    recordCall(L"CModelElementsList::SetActiveDocument(" + documentText(document) + L")");
    shown_ = documentText(document);
}

void CModelElementsList::OnDocumentClosed(CKvw32Doc* document) {
    recordCall(L"CModelElementsList::OnDocumentClosed(" + documentText(document) + L")");
    if (document && documentText(document) == shown_) shown_ = L"null";
}

void CModelElementsList::Refresh() { recordCall(L"CModelElementsList::Refresh()"); }

void CModelElementsList::UpdateIfDirty() { platform::core::recordIdleCall(L"CModelElementsList::UpdateIfDirty()"); }

namespace kvpf {

void CmdDockFormView::SetDefaultBgColor(COLORREF colour) {
    recordCall(L"kvpf::CmdDockFormView::SetDefaultBgColor(RGB(" + std::to_wstring(GetRValue(colour)) + L", " +
               std::to_wstring(GetGValue(colour)) + L", " + std::to_wstring(GetBValue(colour)) + L"))");
    g_dockFormBackground = colour;
}

COLORREF CmdDockFormView::GetDefaultBgColor() { return g_dockFormBackground; }

}  // namespace kvpf
