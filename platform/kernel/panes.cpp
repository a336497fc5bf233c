#include "platform/kernel/panes.h"

#include "platform/kernel/document_text.h"
#include "platform/kernel/documents.h"
#include "platform/kernel/record.h"

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

CAnnotationsWnd* CAnnotationsWnd::Create(CWnd* parent) {
    auto* window = new CAnnotationsWnd;
    window->CreatePaneWindow(parent, kAnnotationsPane);
    return window;
}

void CAnnotationsWnd::ActivateDocument(CKvw32Doc* document) { recordActivation(L"CAnnotationsWnd", document); }

CFormFactorWnd* CFormFactorWnd::Create(CWnd* parent) {
    auto* window = new CFormFactorWnd;
    window->CreatePaneWindow(parent, kFormFactorPane);
    return window;
}

void CFormFactorWnd::ActivateDocument(CKvw32Doc* document) { recordActivation(L"CFormFactorWnd", document); }

CLayersWnd* CLayersWnd::Create(CWnd* parent) {
    auto* window = new CLayersWnd;
    window->CreatePaneWindow(parent, kLayersPane);
    return window;
}

void CLayersWnd::ActivateDocument(CKvw32Doc* document) { recordActivation(L"CLayersWnd", document); }

CConfigurationsWnd* CConfigurationsWnd::Instance(CWnd* parent) {
    if (g_configurations) {
        g_configurations->InternalAddRef();
        return g_configurations;
    }
    g_configurations = new CConfigurationsWnd;
    g_configurations->CreatePaneWindow(parent, kConfigurationsPane);
    return g_configurations;
}

void CConfigurationsWnd::ActivateDocument(CKvw32Doc* document) { recordActivation(L"CConfigurationsWnd", document); }

void CConfigurationsWnd::OnFinalRelease() {
    if (g_configurations == this) g_configurations = nullptr;
    KVCountedPaneWnd::OnFinalRelease();
}

void CVarnelAssemblyWnd::CreateContents() { hasContents_ = true; }

void CVarnelAssemblyWnd::OnSetActiveDoc(CKvw32Doc* document) {
    recordCall(L"CVarnelAssemblyWnd::OnSetActiveDoc(" + documentText(document) + L")");
}
