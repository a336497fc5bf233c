// The kernel callback object: edition queries, documents, help, painting and text browsers, panes
// and the system panel.
#include "app/automation/server_app_proxy.h"

#include <functional>

#include "app/kvw32_app.h"
#include "auxiliary/birdseye/birds_eye_pane.h"
#include "mainframe/frame_control_walk.h"
#include "mainframe/main_frame.h"
#include "syspanel/raytracing_popups.h"
#include "mainframe/statusline/status_line.h"

namespace {

// No selection-filter set is current (0 is a real set).
constexpr UINT kNoFilterSet = 0xFFFFFFFF;

// The panel's controls know a document by its 2D container.
KVDocument* PanelDocument(CKvw32Doc* document) { return document ? document->Cont2D() : nullptr; }

}  // namespace

CMainFrame* ServerAppProxy::ActiveFrame() const { return app_->GetActiveMainFrame(); }

CMainFrame* ServerAppProxy::FrameOrActive(CWnd* window) const {
    return window ? DYNAMIC_DOWNCAST(CMainFrame, window) : ActiveFrame();
}

// ---- Edition and product queries ------------------------------------------------------------------

bool ServerAppProxy::IsShellEditionFeature() { return true; }

DWORD ServerAppProxy::GetProductFlags(DWORD& flags) {
    flags = 0x1 | 0x20000 | (GlobalContainer::IsMardel() ? 0x10000u : 0u);
    return flags;
}

bool ServerAppProxy::IsViewerEdition() { return true; }
bool ServerAppProxy::IsMardel() { return GlobalContainer::IsMardel(); }
bool ServerAppProxy::IsQuenta() { return GlobalContainer::IsQuenta(); }
bool ServerAppProxy::IsOstrel() { return GlobalContainer::IsOstrel(); }
bool ServerAppProxy::IsEditionFeatureOff() { return false; }
bool ServerAppProxy::IsEdition128() { return KV_EDITION_CODE == 128; }
bool ServerAppProxy::IsEdition256() { return KV_EDITION_CODE == 256; }
bool ServerAppProxy::IsEdition512() { return KV_EDITION_CODE == 512; }
// Work-session files go to the kernel's work-session import when opened.
bool ServerAppProxy::CanLoadWorkSessionFiles() { return true; }
// Libraries list ".grb" documents only.
bool ServerAppProxy::IsGrsDocumentsShown() { return false; }

// ---- Documents -------------------------------------------------------------------------------------

CKvw32Doc* ServerAppProxy::GetCurrentDocument() { return app_->GetCurrentDocument(); }

void ServerAppProxy::SetCurrentDocument(CKvw32Doc* document) {
    CKVCom_Is3D::OnCurrentDocumentChanged(app_->GetCurrentDocument(), document, 0);
    app_->ActivateDocument(document);
}

void ServerAppProxy::OnChangeDocumentState(CKvw32Doc* document, DWORD) { app_->OnChangeDocumentState(document); }

void ServerAppProxy::OnDocumentClosed(CKvw32Doc* document) {
    CKVCom_Is3D::OnCurrentDocumentChanged(document, document, 1);
    // No frame may go on showing what it showed of the document: its view, prompt and bars.
    app_->ForEachMainFrame([document](CMainFrame* frame) { frame->OnDocumentClosed(document); });
    // A closed document must not stay the panes' current document.
    app_->ForgetClosedDocument(document);
}

void ServerAppProxy::QueryAbsentPane() {}

// ---- Help and the error-report address --------------------------------------------------------------

UINT ServerAppProxy::GetCurrentHelpId() { return app_->GetHelpId(); }

UINT ServerAppProxy::SetHelpContext(UINT helpId, LPCWSTR helpFile) { return app_->SetHelpContext(helpId, helpFile, 0); }

void ServerAppProxy::ShowHelpFileTopic(LPCWSTR topic) { app_->ShowHelpFileTopic(topic); }

void ServerAppProxy::ShowCurrentHelpTopic() { app_->ShowHelpTopic(app_->GetHelpId()); }

void ServerAppProxy::ShowCurrentHelp() { app_->WinHelpInternal(app_->GetHelpId(), HELP_CONTEXT); }

CString ServerAppProxy::GetBugReportAddress() {
    kvio::IniFile ini;
    if (!ini.Load(GetProductIniFileName())) return {};
    return ini.GetString(L"SETTINGS", L"BugReportAddress");
}

// ---- Painting and text browsers ---------------------------------------------------------------------

void ServerAppProxy::BlockPaintAllDocuments(bool block) { app_->BlockPaintAllDocuments(block); }
void ServerAppProxy::RepaintAllDocuments() { app_->RepaintAllDocuments(); }
bool ServerAppProxy::BrowseText(int index, void* argument, LPCWSTR text) { return app_->BrowseText(index, argument, text); }
void ServerAppProxy::SetTextBrowsersEdit(void* edit) { app_->SetTextBrowsersEdit(edit); }

bool ServerAppProxy::BrowseTextByKey(UINT key, UINT modifiers, void* argument, LPCWSTR text) {
    return app_->BrowseTextByKey(key, modifiers, argument, text);
}

void ServerAppProxy::GetTextBrowserMenuTexts(CStringArray& texts, bool limit) {
    constexpr INT_PTR kMenuLimit = 10;
    app_->GetTextBrowserMenuTexts(texts);
    if (limit && texts.GetSize() > kMenuLimit) texts.SetSize(kMenuLimit);
}

// ---- Panes -------------------------------------------------------------------------------------------

// The bird's-eye view's window is made on demand by the view notifications, never by an
// invalidation request.
CKVView* ServerAppProxy::GetBirdsEyeView() {
    app_->GetBirdsEyeViewWindow(true);
    return nullptr;
}

void ServerAppProxy::SetBirdsEyeViewView(CKVView* view) {
    if (auto* pane = dynamic_cast<KVBEV*>(app_->GetBirdsEyeViewWindow(true))) pane->GetView().SetView(view);
}

void ServerAppProxy::RedrawBirdsEyeView() {
    if (auto* pane = dynamic_cast<KVBEV*>(app_->GetBirdsEyeViewWindow(true))) pane->GetView().Redraw();
}

void ServerAppProxy::InvalidateBirdsEyeView() {
    if (auto* pane = dynamic_cast<KVBEV*>(app_->GetBirdsEyeViewWindow(false))) pane->GetView().Invalidate();
}

CWnd* ServerAppProxy::GetConfigurationsControl() { return app_->GetConfigurationsWindow(true); }

CWnd* ServerAppProxy::GetWeldTreeWindow() { return app_->GetWeldTreeWindow(true); }

CWnd* ServerAppProxy::GetAbsentPaneA() { return nullptr; }
void ServerAppProxy::QueryAbsentPaneB() {}
CWnd* ServerAppProxy::GetAbsentPaneC() { return nullptr; }


void ServerAppProxy::SelectWorkmixPosition(std::function<void(KVWorkmixPosition&)> fill) {
    auto* assembly = fill ? dynamic_cast<CVarnelAssemblyWnd*>(app_->GetVarnelAssemblyWindow(false, true)) : nullptr;
    if (!assembly) return;
    KVWorkmixPosition position;
    fill(position);
    assembly->SelectWorkmixPosition(position);
}

UINT ServerAppProxy::GetSyspanelCurrentId() {
    CMainFrame* frame = ActiveFrame();
    return frame ? static_cast<UINT>(frame->GetSyspanelCurrentId()) : kNoFilterSet;
}

// ---- System panel ------------------------------------------------------------------------------------

void ServerAppProxy::SetSyspanelControls(const stlControlsIDs& controls) {
    app_->ForEachMainFrame([&](CMainFrame* frame) { frame->SetSyspanelControls(controls); });
}

void ServerAppProxy::EnableSyspanelControl(UINT id, bool enable) {
    app_->ForEachMainFrame([&](CMainFrame* frame) { frame->EnableSyspanelControl(static_cast<int>(id), enable); });
}

void ServerAppProxy::DisableSyspanelControls() {
    app_->ForEachMainFrame([](CMainFrame* frame) { frame->DisableSyspanelControls(); });
}

void ServerAppProxy::SyspanelStatusChanged() {
    app_->ForEachMainFrame([](CMainFrame* frame) { frame->SyspanelStatusChanged(); });
}

void ServerAppProxy::GetFontComboText(CString& text, UINT id) {
    text.Empty();
    // The frame takes -1 (0xFFFFFFFF) for its font combo.
    if (CMainFrame* frame = ActiveFrame()) frame->FindCommandControl(text, static_cast<int>(id));
}

namespace {
// Every frame is given the value; the answer is whether one of them kept it. A frame keeps a
// value of a document only while it shows the document, and every frame's controls take the
// same kinds of value, so a value no frame kept was refused or is for a document none shows.
bool ForEveryFrame(CKvw32App* app, const std::function<bool(CMainFrame*)>& set) {
    bool kept = false;
    app->ForEachMainFrame([&](CMainFrame* frame) {
        if (set(frame)) kept = true;
    });
    return kept;
}
}  // namespace

bool ServerAppProxy::set_syspanel_doublevar(CKvw32Doc* document, UINT id, double value, short variable) {
    return ForEveryFrame(app_, [&](CMainFrame* frame) { return frame->set_syspanel_doublevar(PanelDocument(document), id, value, variable); });
}

bool ServerAppProxy::set_syspanel_intvar(CKvw32Doc* document, UINT id, int value, short variable) {
    return ForEveryFrame(app_, [&](CMainFrame* frame) { return frame->set_syspanel_intvar(PanelDocument(document), id, value, variable); });
}

bool ServerAppProxy::set_syspanel_cstr(CKvw32Doc* document, UINT id, const CString& text) {
    return ForEveryFrame(app_, [&](CMainFrame* frame) { return frame->set_syspanel_cstr(PanelDocument(document), id, text); });
}

bool ServerAppProxy::set_syspanel_font(CKvw32Doc* document, UINT id, const CString& name, int kind) {
    return ForEveryFrame(app_, [&](CMainFrame* frame) { return frame->set_syspanel_font(PanelDocument(document), id, name, kind); });
}

bool ServerAppProxy::set_syspanel_int(CKvw32Doc* document, UINT id, int value) {
    return ForEveryFrame(app_, [&](CMainFrame* frame) { return frame->set_syspanel_int(PanelDocument(document), id, value); });
}

bool ServerAppProxy::UnpackSyspanelDoubleVar(UINT id, double& value) {
    CMainFrame* frame = ActiveFrame();
    return frame && frame->UnpackSyspanelDoubleVar(static_cast<int>(id), value);
}

bool ServerAppProxy::UnpackSyspanelIntVar(UINT id, int& value) {
    CMainFrame* frame = ActiveFrame();
    return frame && frame->UnpackSyspanelIntVar(static_cast<int>(id), value);
}

bool ServerAppProxy::GetSyspanelControlIntValue(UINT id, int& value) {
    CMainFrame* frame = ActiveFrame();
    return frame && frame->GetSyspanelControlIntValue(static_cast<int>(id), value);
}

void ServerAppProxy::SetSyspanelButtonStatus(UINT id, bool checked, bool disabled) {
    app_->ForEachMainFrame(
        [&](CMainFrame* frame) { frame->SetSyspanelButtonStatus(id, checked, disabled); });
}

bool ServerAppProxy::GetSyspanelControlState(UINT id, bool& checked, bool& disabled) {
    CMainFrame* frame = ActiveFrame();
    return frame && frame->GetSyspanelControlState(static_cast<int>(id), checked, disabled);
}

void* ServerAppProxy::GetSyspanelControlData(UINT id) {
    CMainFrame* frame = ActiveFrame();
    return frame ? const_cast<void*>(frame->GetSyspanelControlData(static_cast<int>(id))) : nullptr;
}

// ---- Cameras and the ray-tracing quality ------------------------------------------------------------

// The kernel reaches the ray-tracing popups wherever the active main frame shows them.

void ServerAppProxy::SetCameraList(const std::vector<KVCameraObject*>& cameras, KVCameraObject* current) {
    CMainFrame* frame = ActiveFrame();
    if (!frame) return;
    std::vector<OptixCameraPopup::Camera> list;
    for (const KVCameraObject* camera : cameras)
        if (camera) list.push_back({camera->GetID(), camera->GetName()});
    const std::uint64_t currentId = current ? current->GetID() : 0;
    ForEachFrameControlOf<OptixCameraPopup>(*frame, [&](OptixCameraPopup* popup) { popup->SetCameraList(list, currentId); });
}

KVCameraObject* ServerAppProxy::GetSelectedCamera(CKvw32Doc* document) {
    CMainFrame* frame = ActiveFrame();
    if (!frame) return nullptr;
    if (!document) document = GetCurrentDocument();
    std::uint64_t id = 0;
    bool found = false;
    ForEachFrameControlOf<OptixCameraPopup>(*frame, [&](OptixCameraPopup* popup) {
        if (found) return;
        found = true;
        id = *static_cast<const std::uint64_t*>(popup->GetValue());
    });
    // All ones is no camera, as 0 is.
    if (!document || id == 0 || id == ~std::uint64_t{0}) return nullptr;
    return document->Get3DObjectByID(id);
}

void ServerAppProxy::ResetCommandBarControls(UINT value) {
    CMainFrame* frame = ActiveFrame();
    if (!frame) return;
    const auto quality = static_cast<std::int32_t>(value);
    ForEachFrameControlOf<OptixQualityPopup>(*frame, [&](OptixQualityPopup* popup) { popup->SetValue(nullptr, &quality); });
}

int ServerAppProxy::GetSyspanelValue2042() {
    // Without a quality popup there is no value to read: the kernel takes 0 for none.
    int quality = 0;
    bool found = false;
    if (CMainFrame* frame = ActiveFrame())
        ForEachFrameControlOf<OptixQualityPopup>(*frame, [&](OptixQualityPopup* popup) {
            if (found) return;
            found = true;
            quality = *static_cast<const std::int32_t*>(popup->GetValue());
        });
    return quality;
}
