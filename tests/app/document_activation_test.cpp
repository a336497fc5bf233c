// The current document of the document-bound panes: which activations count, the order in which
// the panes and the kernel's modules hear of a new document, and what an in-place edit changes.
#include <algorithm>
#include <optional>
#include <utility>

#include "app/kvw32_app.h"
#include "app/automation/server_app_proxy.h"
#include "mainframe/panes/document_pane_windows.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;
using apptest::Contains;
using apptest::ExpectInOrder;

// Counts event 258 and keeps the document it carried; may activate another document from inside.
class ActiveDocumentEvents : public TypedApplicationEventListener<kEventActiveDocumentChanged> {
public:
    void OnApplicationEvent(UINT, const ApplicationEventArgs& args) override {
        ++count;
        last = static_cast<const DocumentEventArgs&>(args).GetDocument();
        if (reenter) CKvw32App::Instance()->ActivateDocument(reenter);
    }
    int count = 0;
    CKvw32Doc* last = nullptr;
    CKvw32Doc* reenter = nullptr;
};

// The application's kernel callback object, keeping the system-panel values set through it as
// "<id> <value> [<variable>] <document>".
class SyspanelValues : public ServerAppProxy {
public:
    explicit SyspanelValues(CKvw32App* app) : ServerAppProxy(app) {}
    bool set_syspanel_int(CKvw32Doc* document, UINT id, int value) override {
        values.push_back(std::to_wstring(id) + L" " + std::to_wstring(value) + L" " + Name(document));
        return true;
    }
    bool set_syspanel_intvar(CKvw32Doc* document, UINT id, int value, short variable) override {
        values.push_back(std::to_wstring(id) + L" " + std::to_wstring(value) + L" " + std::to_wstring(variable) + L" " +
                         Name(document));
        return true;
    }
    std::vector<std::wstring> Take() { return std::exchange(values, {}); }

private:
    static std::wstring Name(CKvw32Doc* document) {
        return document ? std::wstring(document->GetTitle().GetString()) : L"null";
    }
    std::vector<std::wstring> values;
};

template <class Window>
Window* CreatedChild(Window* window, CWnd* parent, UINT id) {
    window->Create(L"STATIC", nullptr, WS_CHILD, RECT{0, 0, 0, 0}, parent, id);
    return window;
}

// A running program with two open documents, a.grb and b.grb, and every document-bound pane.
class DocumentActivation : public SessionTest {
protected:
    void SetUp() override {
        s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
        s.kernel().writeDocumentFile(L"C:\\Work\\b.grb");
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        app = CKvw32App::Instance();
        a = Open(L"C:\\Work\\a.grb");
        b = Open(L"C:\\Work\\b.grb");
        ASSERT_TRUE(a && b);
        // Opening made each current in turn; the tests start from no current document.
        EXPECT_EQ(app->GetCurrentDocument(), b);
        EXPECT_EQ(events.count, 2);
        app->ActivateDocument(nullptr);
        events.count = 0;
        events.last = nullptr;

        CWnd* host = app->m_pMainWnd;
        PaneWindows& panes = app->GetPaneWindows();
        panes.properties.Reset(Korvo::UI::PropertiesWindow::Instance(host));
        panes.annotations.Reset(CAnnotationsWnd::Create(host));
        panes.formFactor.Reset(CFormFactorWnd::Create(host));
        panes.configurations.Reset(CConfigurationsWnd::Instance(host));
        panes.layers.Reset(CLayersWnd::Create(host));
        panes.weldTree.Reset(CreatedChild(new CWnd, host, 1011));
        panes.modelElements.Reset(CreatedChild(new CModelElementsListWnd, host, 1022));
        panes.assemblyStructure.Reset(CreatedChild(new AssemblyStructureWindow, host, 1023));
        auto* varnelAssembly = CreatedChild(new CVarnelAssemblyWnd, host, 1019);
        varnelAssembly->CreateContents();
        panes.varnelAssembly.Reset(varnelAssembly);
        errorWindow = CreatedChild(new Korvo::UI::ErrorWindowBase, host, 1005);
        panes.error.Reset(errorWindow);
    }

    CKvw32Doc* Open(const wchar_t* path) { return dynamic_cast<CKvw32Doc*>(app->OpenDocumentFile(path)); }
    // From here on the kernel's callbacks reach the application through a recording object.
    SyspanelValues& RecordSyspanel() { return syspanel.emplace(app); }
    // The calls journalled from now on.
    std::vector<std::wstring> CallsSince(std::size_t mark) {
        const auto all = calls(s);
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(mark, all.size())), all.end()};
    }

    // Outlives the session, which calls back into it while the program ends.
    std::optional<SyspanelValues> syspanel;
    Session s;
    CKvw32App* app = nullptr;
    CKvw32Doc* a = nullptr;
    CKvw32Doc* b = nullptr;
    Korvo::UI::ErrorWindowBase* errorWindow = nullptr;
    ActiveDocumentEvents events;
};

TEST_F(DocumentActivation, PanesSwitchInTheirOrderAfterTheOldDocumentsCommandsEnd) {
    app->ActivateDocument(a);
    s.kernel().setAssemblyDocument(b, a);
    const std::size_t mark = calls(s).size();
    app->ActivateDocument(b);

    ExpectInOrder(CallsSince(mark), {
        L"KorvoServerAppProxy::TerminateAllCommands(\"a.grb\", true)",
        L"Korvo::UI::PropertiesWindow::OnSetActiveDoc(\"a.grb\", \"b.grb\")",
        L"CAnnotationsWnd::ActivateDocument(\"b.grb\")",
        L"CFormFactorWnd::ActivateDocument(\"b.grb\")",
        L"CConfigurationsWnd::ActivateDocument(\"b.grb\")",
        L"CLayersWnd::ActivateDocument(\"b.grb\")",
        L"EditModuleProxy::SetPaneDocument(",
        L"CModelElementsList::SetActiveDocument(\"b.grb\")",
        // The assembly pane shows the assembly a document belongs to.
        L"Korvo::UI::AssemblyStructureControlSite::SetActiveDocument(\"a.grb\")",
        L"CVarnelAssemblyWnd::OnSetActiveDoc(\"b.grb\")",
        L"CKVCom_Is3D::SetActiveDocument(\"b.grb\")",
        L"CKVCom_Is3D::OnDocumentActivated(\"b.grb\")",
        L"ApplicationEventManager::Raise(258)",
    });
    EXPECT_EQ(app->GetCurrentDocument(), b);
    EXPECT_EQ(events.last, b);
}

TEST_F(DocumentActivation, TheCurrentDocumentAgainChangesNothing) {
    app->ActivateDocument(a);
    ASSERT_EQ(events.count, 1);
    const std::size_t mark = calls(s).size();
    app->ActivateDocument(a);
    EXPECT_EQ(events.count, 1);
    EXPECT_TRUE(CallsSince(mark).empty());
}

TEST_F(DocumentActivation, ADocumentHiddenFromThePanesCountsAsNone) {
    s.kernel().openPropertyFormChild(32);
    b->SetFlag(KorvoDocument2::kFlagHiddenFromPanes);
    app->ActivateDocument(b);  // none was current: nothing changes
    EXPECT_EQ(events.count, 0);

    app->ActivateDocument(a);
    s.kernel().openPropertyFormChild(32);
    const std::size_t mark = calls(s).size();
    app->ActivateDocument(b);
    EXPECT_EQ(app->GetCurrentDocument(), nullptr);
    EXPECT_EQ(events.last, nullptr);
    ExpectInOrder(CallsSince(mark), {L"Korvo::UI::PropertiesWindow::OnSetActiveDoc(\"a.grb\", null)",
                                     L"Korvo::UI::ErrorWindowBase::ClearErrors()",
                                     L"UIModuleProxy::ClosePropertyFormChild(32)",
                                     L"CKVCom_Is3D::OnDocumentActivated(null)"});
}

TEST_F(DocumentActivation, LinkedDocumentsOfAnInPlaceEditKeepThePanesAsTheyAre) {
    app->ActivateDocument(a);
    // Either document's in-place parameters may name the other.
    for (bool oldNamesNew : {true, false}) {
        CKvw32Doc* from = app->GetCurrentDocument();
        CKvw32Doc* to = from == a ? b : a;
        s.kernel().setEditInPlace(oldNamesNew ? from : to, a, b);
        const std::size_t mark = calls(s).size();
        const int before = events.count;
        app->ActivateDocument(to);
        const auto since = CallsSince(mark);
        EXPECT_EQ(app->GetCurrentDocument(), to);
        EXPECT_EQ(events.count, before + 1);  // the event still comes
        EXPECT_FALSE(Contains(since, L"TerminateAllCommands"));
        EXPECT_FALSE(Contains(since, L"OnSetActiveDoc"));
        EXPECT_FALSE(Contains(since, L"OnDocumentActivated"));
        EXPECT_TRUE(Contains(since, L"CKVCom_Is3D::SetActiveDocument"));
        s.kernel().setEditInPlace(a, nullptr, nullptr);
        s.kernel().setEditInPlace(b, nullptr, nullptr);
    }
}

TEST_F(DocumentActivation, AnActivationFromInsideAnActivationIsIgnored) {
    events.reenter = b;
    app->ActivateDocument(a);
    EXPECT_EQ(app->GetCurrentDocument(), a);
    EXPECT_EQ(events.count, 1);
}

TEST_F(DocumentActivation, ErrorsAreBoundToTheErrorWindowOnceAndClearedWithoutADocument) {
    // A fresh list for a (its first one went to the program's own error window as it opened).
    s.kernel().setErrorContainer(a, false);
    s.kernel().setErrorContainer(a, true);
    s.kernel().setErrorContainer(b, false);
    const std::size_t mark = calls(s).size();
    app->ActivateDocument(a);
    app->ActivateDocument(b);  // no container: the window keeps what it shows
    app->ActivateDocument(a);
    const auto all = CallsSince(mark);
    EXPECT_EQ(std::count_if(all.begin(), all.end(),
                            [](const std::wstring& c) { return c.starts_with(L"KVErrorContainer::BindToWindow"); }),
              1);
    EXPECT_EQ(errorWindow->GetShownContainer(), a->GetErrorContainer());
    EXPECT_EQ(a->GetErrorContainer()->GetBoundWindow(), errorWindow->GetSafeHwnd());

    app->ActivateDocument(nullptr);
    EXPECT_EQ(errorWindow->GetShownContainer(), nullptr);
}

TEST_F(DocumentActivation, TheAnnotationModuleHearsOnlyOfIdle3DScenes) {
    struct Case {
        std::optional<int> sceneMode;
        bool inCommand;
        bool formChildOpen;
        bool annotated;
    };
    for (const Case& c : {Case{1, false, false, true}, Case{0, false, false, false}, Case{std::nullopt, false, false, false},
                          Case{1, true, false, false}, Case{1, false, true, false}}) {
        app->ActivateDocument(nullptr);
        s.kernel().set3DContainerMode(a, c.sceneMode);
        s.kernel().setInCommand(a, c.inCommand);
        if (c.formChildOpen) s.kernel().openPropertyFormChild(32);
        const std::size_t mark = calls(s).size();
        app->ActivateDocument(a);
        EXPECT_EQ(Contains(CallsSince(mark), L"AnnotateModuleProxy::ActivateDocument(\"a.grb\")"), c.annotated)
            << "mode " << c.sceneMode.value_or(-1) << " in command " << c.inCommand << " form " << c.formChildOpen;
        if (c.formChildOpen) UIModuleProxy::Instance().ClosePropertyFormChild(32);
    }
}

TEST_F(DocumentActivation, SystemPanelDefaultsAreSetWhenNoCommandRunsAndTheThreeDPartWantsThem) {
    SyspanelValues& syspanel = RecordSyspanel();
    using Values = std::vector<std::wstring>;
    app->ActivateDocument(a);
    EXPECT_EQ(syspanel.Take(), (Values{L"911 0 a.grb", L"907 0 -1 a.grb", L"909 0 -1 a.grb"}));

    s.kernel().setInCommand(b, true);
    app->ActivateDocument(b);
    EXPECT_TRUE(syspanel.Take().empty()) << "a running command keeps its values";

    s.kernel().setSyspanelResetWanted(false);
    app->ActivateDocument(a);
    EXPECT_TRUE(syspanel.Take().empty()) << "the 3D part did not ask";

    // Without a document the values are reset whatever the 3D part wants.
    app->ActivateDocument(nullptr);
    EXPECT_EQ(syspanel.Take(), (Values{L"911 0 null", L"907 0 -1 null", L"909 0 -1 null"}));

    s.kernel().setSyspanelResetWanted(true);
    app->ActivateDocument(a);
    syspanel.Take();
    s.kernel().setEditInPlace(a, a, b);
    app->ActivateDocument(b);
    EXPECT_TRUE(syspanel.Take().empty()) << "linked documents share the panel";
}

TEST_F(DocumentActivation, AClosedCurrentDocumentIsForgotten) {
    app->ActivateDocument(a);
    a->OnCloseDocument();
    EXPECT_EQ(app->GetCurrentDocument(), nullptr);
    app->ActivateDocument(b);
    EXPECT_EQ(events.last, b);
}

}  // namespace
