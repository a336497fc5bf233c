// The current document: the one the document-bound panes (properties, layers, model elements,
// assembly structure ...) show. Activation tells every such pane, the kernel's modules and the
// system panel, in a fixed order.
#include <boost/scope_exit.hpp>

#include "app/startup/existing_window.h"
#include "app/kvw32_app.h"
#include "mainframe/clipart/model_tree_clipart.h"
#include "mainframe/panes/document_pane_windows.h"
#include "techrequirements/tech_requirements_window.h"

namespace {

constexpr UINT kPropertyFormChild = 32;
constexpr UINT kSyspanelLayer = 911;
constexpr UINT kSyspanelLevel = 907;
constexpr UINT kSyspanelPriority = 909;
constexpr short kNoVariable = -1;
constexpr int kSceneMode = 1;

// Process-wide: the panes told of a new document may ask to activate one themselves.
bool g_activatingDocument = false;

// Documents of one in-place edit (an assembly and the fragment edited inside it) share the
// panes' state: switching between them is not a change of document for the panes.
bool AreLinked(const CKvw32Doc* oldDocument, const CKvw32Doc* newDocument) {
    if (!oldDocument || !newDocument) return false;
    const KVEditInPlaceParams* oldParams = oldDocument->GetEditInPlaceParams();
    const KVEditInPlaceParams* newParams = newDocument->GetEditInPlaceParams();
    return (oldParams && oldParams->Names(newDocument)) || (newParams && newParams->Names(oldDocument));
}

}  // namespace

void CKvw32App::ActivateDocument(CKvw32Doc* document) {
    if (g_activatingDocument) return;
    g_activatingDocument = true;
    BOOST_SCOPE_EXIT_ALL(&) { g_activatingDocument = false; };

    if (document && document->IsFlagSet(KorvoDocument2::kFlagHiddenFromPanes)) document = nullptr;
    if (document == m_currentDocument) return;

    CKvw32Doc* const oldDocument = m_currentDocument;
    const bool linked = AreLinked(oldDocument, document);
    if (!linked) {
        KorvoServerAppProxy* kernelCallbacks = KorvoServerAppProxy::Instance();
        if (oldDocument && kernelCallbacks) kernelCallbacks->TerminateAllCommands(oldDocument, true);
        SwitchPanesToDocument(oldDocument, document);
    }

    m_currentDocument = document;
    CKVCom_Is3D::SetActiveDocument(document);
    ModelTreeClipart::SetDocumentOfAll(document);

    ShowDocumentErrors(document);
    if (!linked) {
        ResetSyspanelForDocument(document);
        CKVCom_Is3D::OnDocumentActivated(document);
    }

    ApplicationEventManager::Instance().Raise(kEventActiveDocumentChanged, DocumentEventArgs(m_currentDocument));
}

void CKvw32App::ForgetClosedDocument(CKvw32Doc* document) {
    if (!document) return;
    if (document == m_currentDocument) m_currentDocument = nullptr;
    if (document == m_popupToolbarDocument) m_popupToolbarDocument = nullptr;
    // Once per closed document (not once per frame), so each model tree hears it once.
    ModelTreeClipart::ForwardToKernelOfAll(document);
    if (TechRequirementsWindow* requirements = GetTechRequirementsWindow()) requirements->OnDocumentClosed(document);
    // The document-bound lists let go of it now, not only when another document activates.
    if (auto* modelElements = ExistingWindow<CModelElementsListWnd>(m_paneWindows.modelElements.Get()))
        modelElements->GetList().OnDocumentClosed(document);
    if (auto* assembly = ExistingWindow<AssemblyStructureWindow>(m_paneWindows.assemblyStructure.Get()))
        assembly->GetControlSite().OnDocumentClosed(document);
}

void CKvw32App::SwitchPanesToDocument(CKvw32Doc* oldDocument, CKvw32Doc* document) {
    PaneWindows& panes = m_paneWindows;
    if (auto* properties = ExistingWindow<Korvo::UI::PropertiesWindow>(panes.properties.Get())) {
        properties->OnSetActiveDoc(oldDocument, document);
    }
    if (auto* annotations = ExistingWindow<CAnnotationsWnd>(panes.annotations.Get())) {
        annotations->ActivateDocument(document);
    }
    if (auto* formFactor = ExistingWindow<CFormFactorWnd>(panes.formFactor.Get())) formFactor->ActivateDocument(document);
    if (auto* configurations = ExistingWindow<CConfigurationsWnd>(panes.configurations.Get())) {
        configurations->ActivateDocument(document);
    }
    if (auto* layers = ExistingWindow<CLayersWnd>(panes.layers.Get())) layers->ActivateDocument(document);
    if (CWnd* weldTree = ExistingWindow<CWnd>(panes.weldTree.Get())) EditModuleProxy::SetPaneDocument(weldTree, document);
    if (auto* modelElements = ExistingWindow<CModelElementsListWnd>(panes.modelElements.Get())) {
        modelElements->GetList().SetActiveDocument(document);
    }
    if (auto* assembly = ExistingWindow<AssemblyStructureWindow>(panes.assemblyStructure.Get())) {
        CKvw32Doc* shown = document && document->GetAssemblyDocument() ? document->GetAssemblyDocument() : document;
        assembly->GetControlSite().SetActiveDocument(shown);
    }
    if (auto* varnelAssembly = ExistingWindow<CVarnelAssemblyWnd>(panes.varnelAssembly.Get());
        varnelAssembly && varnelAssembly->HasContents()) {
        varnelAssembly->OnSetActiveDoc(document);
    }
}

void CKvw32App::ShowDocumentErrors(CKvw32Doc* document) {
    KorvoServerAppProxy* kernelCallbacks = KorvoServerAppProxy::Instance();
    auto* errorWindow =
        ExistingWindow<Korvo::UI::ErrorWindowBase>(kernelCallbacks ? kernelCallbacks->GetErrorWindow() : nullptr);
    if (!errorWindow) return;
    if (!document) {
        errorWindow->ClearErrors();
        return;
    }
    KVErrorContainer* errors = document->GetErrorContainer();
    if (!errors) return;
    if (!errors->IsBound()) errors->BindToWindow(errorWindow->GetSafeHwnd());
    errorWindow->ShowErrors(errors);
}

void CKvw32App::ResetSyspanelForDocument(CKvw32Doc* document) {
    UIModuleProxy& ui = UIModuleProxy::Instance();
    bool resetValues = false;
    if (document) {
        const KV3DContainer* scene = document->Get3DContainer();
        if (!ui.IsPropertyFormChildOpen(kPropertyFormChild) && scene && scene->GetMode() == kSceneMode &&
            !document->IsInCommand()) {
            AnnotateModuleProxy::ActivateDocument(document);
        }
        resetValues = !document->IsInCommand() && CKVCom_Is3D::IsSyspanelResetNeeded(document);
    } else {
        if (ui.IsPropertyFormChildOpen(kPropertyFormChild)) ui.ClosePropertyFormChild(kPropertyFormChild);
        resetValues = true;
    }
    KorvoServerAppProxy* kernelCallbacks = KorvoServerAppProxy::Instance();
    if (!resetValues || !kernelCallbacks) return;
    kernelCallbacks->set_syspanel_int(document, kSyspanelLayer, 0);
    kernelCallbacks->set_syspanel_intvar(document, kSyspanelLevel, 0, kNoVariable);
    kernelCallbacks->set_syspanel_intvar(document, kSyspanelPriority, 0, kNoVariable);
}
