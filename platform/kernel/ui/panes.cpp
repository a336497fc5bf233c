#include "platform/kernel/ui/panes.h"

#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"
#include "platform/kernel/services/serverapp.h"

namespace {

using platform::kernel::documentText;
using platform::kernel::recordCall;

constexpr UINT kAnnotationsPane = 1029;
constexpr UINT kConfigurationsPane = 1030;
constexpr UINT kLayersPane = 1031;
constexpr UINT kFormFactorPane = 1035;

CConfigurationsWnd* g_configurations = nullptr;

void recordActivation(const wchar_t* window, CKvw32Doc* document) {
    recordCall(std::wstring(window) + L"::ActivateDocument(" + documentText(document) + L")");
}

}  // namespace

void KVCountedPaneWnd::OnFinalRelease() {
    if (GetSafeHwnd()) DestroyWindow();
    delete this;
}

bool KVCountedPaneWnd::CreatePaneWindow(CWnd* parent, UINT paneId) {
    if (!parent || !parent->GetSafeHwnd()) return false;
    return Create(L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, RECT{0, 0, 0, 0}, parent,
                  paneId, nullptr) != FALSE;
}

CAnnotationsWnd* CAnnotationsWnd::Create(CWnd* parent) { return NewPane<CAnnotationsWnd>(parent, kAnnotationsPane); }

void CAnnotationsWnd::ActivateDocument(CKvw32Doc* document) { recordActivation(L"CAnnotationsWnd", document); }

CFormFactorWnd* CFormFactorWnd::Create(CWnd* parent) { return NewPane<CFormFactorWnd>(parent, kFormFactorPane); }

void CFormFactorWnd::ActivateDocument(CKvw32Doc* document) { recordActivation(L"CFormFactorWnd", document); }

CLayersWnd* CLayersWnd::Create(CWnd* parent) { return NewPane<CLayersWnd>(parent, kLayersPane); }

void CLayersWnd::ActivateDocument(CKvw32Doc* document) { recordActivation(L"CLayersWnd", document); }
void CLayersWnd::UpdateIfDirty() { platform::core::recordIdleCall(L"CLayersWnd::UpdateIfDirty()"); }
void CConfigurationsWnd::OnIdleUpdate() { platform::core::recordIdleCall(L"CConfigurationsWnd::OnIdleUpdate()"); }

CConfigurationsWnd* CConfigurationsWnd::Instance(CWnd* parent) {
    return SharedInstance(g_configurations, parent, kConfigurationsPane);
}

void CConfigurationsWnd::ActivateDocument(CKvw32Doc* document) { recordActivation(L"CConfigurationsWnd", document); }

void CConfigurationsWnd::OnFinalRelease() {
    if (g_configurations == this) g_configurations = nullptr;
    KVCountedPaneWnd::OnFinalRelease();
}

void CVarnelAssemblyWnd::CreateContents() { hasContents_ = true; }

void CVarnelAssemblyWnd::SelectWorkmixPosition(const KVWorkmixPosition& position) {
    recordCall(L"CVarnelAssemblyWnd::SelectWorkmixPosition(" + platform::kernel::quoted(position.path.view()) + L", " +
               platform::kernel::quoted(position.configuration.view()) + L", " + std::to_wstring(position.index) + L")");
    hasContents_ = true;
}

// Without contents there is nothing to connect or destroy.
void CVarnelAssemblyWnd::ConnectContents() {
    if (hasContents_) recordCall(L"CVarnelAssemblyWnd::ConnectContents()");
    connected_ = hasContents_;
}

void CVarnelAssemblyWnd::DestroyContents() {
    if (hasContents_) recordCall(L"CVarnelAssemblyWnd::DestroyContents()");
    hasContents_ = false;
    connected_ = false;
}

CString CVarnelAssemblyWnd::GetCaption() const {
    CString caption;
    if (GetSafeHwnd()) GetWindowText(caption);
    return caption;
}

void CVarnelAssemblyWnd::OnSetActiveDoc(CKvw32Doc* document) {
    recordCall(L"CVarnelAssemblyWnd::OnSetActiveDoc(" + documentText(document) + L")");
}

CString CVarnelAssemblyWnd::GetKey(CKvw32Doc* document) const {
    recordCall(L"CVarnelAssemblyWnd::GetKey(" + documentText(document) + L")");
    return document && hasContents_ ? CString(L"{" + std::wstring(document->GetPathName().view()) + L"}") : CString();
}

void CVarnelAssemblyWnd::DestroyControl(const CString& key) {
    recordCall(L"CVarnelAssemblyWnd::DestroyControl(" + platform::kernel::quoted(key.view()) + L")");
}

void CVarnelAssemblyWnd::OnDocumentClosed(CKvw32Doc* assemblyDocument) {
    recordCall(L"CVarnelAssemblyWnd::OnDocumentClosed(" + documentText(assemblyDocument) + L")");
}
