#include "platform/kernel/services/modules.h"
#include "platform/core/api_text.h"
#include "platform/core/record.h"
#include "platform/core/winpath.h"
#include "platform/kernel/ui/control.h"

#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"
#include "platform/kernel/ui/ui_control.h"
#include "platform/core/useragent.h"
#include "platform/core/text.h"

using platform::kernel::boolText;
using platform::kernel::documentText;
using platform::kernel::handleText;
using platform::kernel::quoted;
using platform::kernel::recordCall;

CKVCom_Is3D& CKVCom_Is3D::Instance() {
    static CKVCom_Is3D instance;
    return instance;
}

void CKVCom_Is3D::OnStartup() { recordCall(L"CKVCom_Is3D::OnStartup()"); }

void CKVCom_Is3D::OnStartupCompleted() { recordCall(L"CKVCom_Is3D::OnStartupCompleted()"); }

CString CKVCom_Is3D::RefreshSettings() {
    recordCall(L"CKVCom_Is3D::RefreshSettings()");
    return CString(platform::kernel::control().settingsRefreshMessage.c_str());
}

CKvw32Doc* CKVCom_Is3D::ImportFile(LPCWSTR path, int mode) {
    recordCall(platform::format(L"CKVCom_Is3D::ImportFile(%s, %d)", platform::kernel::quoted(path), mode));
    using Result = platform::kernel::Control::Import3DResult;
    const Result result = platform::kernel::control().import3DResult;
    if (result == Result::Nothing) return nullptr;
    const auto templates = CKVDocTemplate::GetTemplates();
    if (templates.empty()) return nullptr;
    CKvw32Doc* document = result == Result::DocumentWithView ? templates.back()->OpenNewDocument(TRUE) : nullptr;
    if (result == Result::DocumentWithoutView) {
        document = dynamic_cast<CKvw32Doc*>(templates.back()->CreateNewDocument());
        if (document) document->OnNewDocument();
    }
    if (document) document->SetTitle(std::wstring(platform::core::winpath::namePart(platform::core::viewOf(path))).c_str());
    return document;
}

AnnotateModuleProxy& AnnotateModuleProxy::Instance() {
    static AnnotateModuleProxy instance;
    return instance;
}

CDocument* AnnotateModuleProxy::OpenDocument(LPCWSTR path, int mode, int page, int flags) {
    recordCall(L"AnnotateModuleProxy::OpenDocument(" + quoted(path) + L", " + std::to_wstring(mode) + L", " +
               std::to_wstring(page) + L", " + std::to_wstring(flags) + L")");
    // The module prepares its page and view settings, then opens the file through the
    // application, whose opener reports a file that cannot be opened.
    CWinApp* app = AfxGetApp();
    return app ? app->OpenDocumentFile(path) : nullptr;
}

void CKVCom_Is3D::OnCurrentDocumentChanged(CKvw32Doc* previous, CKvw32Doc* next, int reason) {
    recordCall(L"CKVCom_Is3D::OnCurrentDocumentChanged(" + documentText(previous) + L", " + documentText(next) + L", " +
               std::to_wstring(reason) + L")");
}

void CKVCom_Is3D::SetActiveDocument(CKvw32Doc* document) {
    recordCall(L"CKVCom_Is3D::SetActiveDocument(" + documentText(document) + L")");
}

bool CKVCom_Is3D::IsIn3DState() { return platform::kernel::uiControl().in3DState; }

bool CKVCom_Is3D::HasActiveOperation() { return platform::kernel::uiControl().operation3DActive; }

bool CKVCom_Is3D::IsSyspanelResetNeeded(CKvw32Doc*) { return platform::kernel::uiControl().syspanelDefaultsWanted; }

void CKVCom_Is3D::OnDocumentActivated(CKvw32Doc* document) {
    recordCall(L"CKVCom_Is3D::OnDocumentActivated(" + documentText(document) + L")");
}

void CKVCom_Is3D::OnMainFrameClosing(HWND frame) {
    recordCall(L"CKVCom_Is3D::OnMainFrameClosing(" + platform::core::handleText(frame) + L")");
}

LRESULT CKVCom_Is3D::OnModuleMessage(WPARAM wParam, LPARAM lParam) {
    recordCall(L"CKVCom_Is3D::OnModuleMessage(" + std::to_wstring(wParam) + L", " + std::to_wstring(lParam) + L")");
    return 0;
}

void CKVCom_Is3D::OnMainFrameNotice(HWND frame, WPARAM wParam, LPARAM lParam) {
    recordCall(L"CKVCom_Is3D::OnMainFrameNotice(" + platform::core::handleText(frame) + L", " + std::to_wstring(wParam) +
               L", " + std::to_wstring(lParam) + L")");
}

void CKVCom_Is3D::SetMainWindowsDisabled(bool disabled) {
    recordCall(std::wstring(L"CKVCom_Is3D::SetMainWindowsDisabled(") + boolText(disabled) + L")");
}

namespace {

const wchar_t* paneWindowName(CKVCom_Is3D::PaneWindow kind) {
    switch (kind) {
        case CKVCom_Is3D::PaneWindow::ModelTree: return L"ModelTree";
        case CKVCom_Is3D::PaneWindow::Task: return L"Task";
        case CKVCom_Is3D::PaneWindow::NC: return L"NC";
        case CKVCom_Is3D::PaneWindow::GenerationQueue: return L"GenerationQueue";
    }
    return L"?";
}

}  // namespace

CWnd* CKVCom_Is3D::CreatePaneWindow(PaneWindow kind) {
    recordCall(std::wstring(L"CKVCom_Is3D::CreatePaneWindow(") + paneWindowName(kind) + L")");
    return platform::kernel::uiControl().paneWindowsOffered ? new CWnd : nullptr;
}

void CKVCom_Is3D::RegisterPaneWindow(PaneWindow kind, CWnd* window) {
    recordCall(std::wstring(L"CKVCom_Is3D::RegisterPaneWindow(") + paneWindowName(kind) + L", " +
               handleText(window ? window->GetSafeHwnd() : nullptr) + L")");
}

CWnd* EditModuleProxy::CreateWeldTreeWindow() {
    recordCall(L"EditModuleProxy::CreateWeldTreeWindow()");
    return platform::kernel::uiControl().paneWindowsOffered ? new CWnd : nullptr;
}

void AnnotateModuleProxy::Insert(UINT command, LPCWSTR path) {
    recordCall(L"AnnotateModuleProxy::Insert(" + std::to_wstring(command) + L", " + quoted(path ? path : L"") + L")");
}

void AnnotateModuleProxy::ActivateDocument(CKvw32Doc* document) {
    recordCall(L"AnnotateModuleProxy::ActivateDocument(" + documentText(document) + L")");
}

void AnnotateModuleProxy::SettingsChanged(const NativeSettings& before) {
    recordCall(L"AnnotateModuleProxy::SettingsChanged(lockPanes " + std::wstring(before.lockPanes ? L"true" : L"false") +
               L")");
}

void AnnotateModuleProxy::AutoParameterizationChanged(CView* view) {
    recordCall(L"AnnotateModuleProxy::AutoParameterizationChanged(" +
               platform::kernel::handleText(view ? view->GetSafeHwnd() : nullptr) + L")");
}

EditModuleProxy& EditModuleProxy::Instance() {
    static EditModuleProxy instance;
    return instance;
}

void EditModuleProxy::SetPaneDocument(CWnd* pane, CKvw32Doc* document) {
    recordCall(L"EditModuleProxy::SetPaneDocument(" + handleText(pane ? pane->GetSafeHwnd() : nullptr) +
               L", " + documentText(document) + L")");
}

void MacroManager::SetTheme(LPCWSTR themeName) {
    recordCall(L"MacroManager::SetTheme(" + quoted(themeName) + L")");
}

void MacroManager::OnEnableMainWindows(bool enabled) {
    recordCall(std::wstring(L"MacroManager::OnEnableMainWindows(") + boolText(enabled) + L")");
}

bool MacroManager::CanStop() {
    const bool refuses = platform::kernel::uiControl().macroManagerRefusesStop;
    recordCall(std::wstring(L"MacroManager::CanStop() = ") + boolText(!refuses));
    return !refuses;
}

bool MacroManager::RunMacro(LPCWSTR name, CKvw32Doc* document) {
    const std::wstring wanted = name ? name : L"";
    bool known = false;
    for (const std::wstring& macro : platform::kernel::uiControl().macros)
        known = known || platform::core::equalsNoCase(macro, wanted);
    recordCall(L"MacroManager::RunMacro(" + quoted(wanted) + L", " +
               (document ? documentText(document) : std::wstring(L"no document")) + L") = " + boolText(known));
    return known;
}

CString MacroManager::ChooseMacro(CWnd*) {
    recordCall(L"MacroManager::ChooseMacro()");
    platform::core::KernelDialogRequest request;
    request.kind = L"macro";
    request.choices = platform::kernel::uiControl().macros;
    const auto chosen = platform::core::userAgent().answerKernelDialog(request);
    return chosen ? CString(chosen->c_str()) : CString();
}

MacroManager* MacroManagerInstance() {
    static MacroManager instance;
    return platform::kernel::uiControl().macroManagerPresent ? &instance : nullptr;
}
