// Command routing through views, documents, templates, frames and the application, the
// command-UI update on idle (with the framework's auto-disable), and delayed frame titles.
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using namespace mfctest;

constexpr UINT kTemplateCommand = 40010;
constexpr UINT kDisabledCommand = 40011;
constexpr UINT kTitleResource = 0;  // no string resource: frames take the title they are given

std::vector<std::string>& trail() { return app().trail; }

// Every target records the commands it sees; for kRouteCommand it records and declines.
#define KORVO_TEST_ROUTE_TARGET(name)                                        \
    afx_msg void OnOwn() { trail().push_back(name); }                       \
    afx_msg BOOL OnRoute(UINT) {                                             \
        trail().push_back(name);                                             \
        return FALSE;                                                        \
    }

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
public:
    KORVO_TEST_ROUTE_TARGET("doc")
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND(kDocCommand, &CTestDoc::OnOwn)
    ON_COMMAND(kSharedCommand, &CTestDoc::OnOwn)
    ON_COMMAND_EX(kRouteCommand, &CTestDoc::OnRoute)
END_MESSAGE_MAP()

class CTestView : public CView {
    DECLARE_DYNCREATE(CTestView)
public:
    void OnDraw(CDC*) override {}
    KORVO_TEST_ROUTE_TARGET("view")
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestView, CView)
BEGIN_MESSAGE_MAP(CTestView, CView)
    ON_COMMAND(kViewCommand, &CTestView::OnOwn)
    ON_COMMAND(kSharedCommand, &CTestView::OnOwn)
    ON_COMMAND_EX(kRouteCommand, &CTestView::OnRoute)
END_MESSAGE_MAP()

class CTestTemplate : public CMultiDocTemplate {
public:
    CTestTemplate(CRuntimeClass* frameClass)
        : CMultiDocTemplate(kTitleResource, RUNTIME_CLASS(CTestDoc), frameClass, RUNTIME_CLASS(CTestView)) {}
    KORVO_TEST_ROUTE_TARGET("template")
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestTemplate, CMultiDocTemplate)
    ON_COMMAND(kTemplateCommand, &CTestTemplate::OnOwn)
    ON_COMMAND_EX(kRouteCommand, &CTestTemplate::OnRoute)
END_MESSAGE_MAP()

class CTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)
public:
    KORVO_TEST_ROUTE_TARGET("frame")
    afx_msg void OnUpdateDisabled(CCmdUI* cmdUI) {
        cmdUI->Enable(FALSE);
        cmdUI->SetCheck(1);
    }
    afx_msg void OnDisabled() { trail().push_back("disabled ran"); }
    BOOL OnUnroutedCmdMsg(UINT nID, int nCode, void*, AFX_CMDHANDLERINFO*) override {
        if (nCode == CN_COMMAND) trail().push_back("unrouted " + std::to_string(nID));
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_COMMAND(kFrameCommand, &CTestFrame::OnOwn)
    ON_COMMAND(kSharedCommand, &CTestFrame::OnOwn)
    ON_COMMAND(kAppCommand, &CTestFrame::OnOwn)
    ON_COMMAND_EX(kRouteCommand, &CTestFrame::OnRoute)
    ON_COMMAND(kDisabledCommand, &CTestFrame::OnDisabled)
    ON_UPDATE_COMMAND_UI(kDisabledCommand, &CTestFrame::OnUpdateDisabled)
END_MESSAGE_MAP()

class CTestChildFrame : public CMDIChildWnd {
    DECLARE_DYNCREATE(CTestChildFrame)
public:
    KORVO_TEST_ROUTE_TARGET("child frame")
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestChildFrame, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CTestChildFrame, CMDIChildWnd)
    ON_COMMAND(kChildFrameCommand, &CTestChildFrame::OnOwn)
    ON_COMMAND_EX(kRouteCommand, &CTestChildFrame::OnRoute)
END_MESSAGE_MAP()

class CTestMainFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CTestMainFrame)
public:
    KORVO_TEST_ROUTE_TARGET("main frame")
    BOOL OnUnroutedCmdMsg(UINT nID, int nCode, void*, AFX_CMDHANDLERINFO*) override {
        if (nCode == CN_COMMAND) trail().push_back("unrouted " + std::to_string(nID));
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CTestMainFrame, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(CTestMainFrame, CMDIFrameWnd)
    ON_COMMAND(kFrameCommand, &CTestMainFrame::OnOwn)
    ON_COMMAND(kAppCommand, &CTestMainFrame::OnOwn)
    ON_COMMAND_EX(kRouteCommand, &CTestMainFrame::OnRoute)
END_MESSAGE_MAP()

// Stands in for the MDI client's bookkeeping of the active child.
class CFakeMdiClient : public CWnd {
public:
    HWND active = nullptr;
    afx_msg LRESULT OnGetActive(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(active); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CFakeMdiClient, CWnd)
    ON_MESSAGE(WM_MDIGETACTIVE, &CFakeMdiClient::OnGetActive)
END_MESSAGE_MAP()

// A tool bar as a user-interface library would build it: on WM_IDLEUPDATECMDUI it updates its
// buttons through the frame's route.
class CTestBar : public CWnd {
public:
    std::vector<UINT> ids;
    std::map<UINT, CCmdUI> states;
    afx_msg LRESULT OnIdleUpdate(WPARAM disableIfNoHandler, LPARAM) {
        for (UINT id : ids) {
            CCmdUI state;
            state.m_nID = id;
            state.DoUpdate(GetTopLevelFrame(), static_cast<BOOL>(disableIfNoHandler));
            states[id] = state;
        }
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTestBar, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CTestBar::OnIdleUpdate)
END_MESSAGE_MAP()

std::vector<std::string> command(CWnd* target, UINT id) {
    trail().clear();
    target->SendMessage(WM_COMMAND, id);
    return std::exchange(trail(), {});
}

class MfcRoutingTest : public MfcTest {
protected:
    // The document of a new frame made by the template, with its view active.
    CTestDoc* openInNewFrame(CTestTemplate& docTemplate) {
        auto* document = static_cast<CTestDoc*>(docTemplate.CreateNewDocument());
        CFrameWnd* frame = docTemplate.CreateNewFrame(document, nullptr);
        if (frame == nullptr) return nullptr;
        docTemplate.InitialUpdateFrame(frame, document, TRUE);
        return document;
    }
};

TEST_F(MfcRoutingTest, FrameRoutesThroughViewDocumentTemplateFrameAndApplicationThenTheUnroutedHook) {
    auto* docTemplate = new CTestTemplate(RUNTIME_CLASS(CTestFrame));
    app().AddDocTemplate(docTemplate);
    CTestDoc* document = openInNewFrame(*docTemplate);
    ASSERT_NE(document, nullptr);
    ASSERT_EQ(document->GetViews().size(), 1u);
    CView* view = document->GetViews().front();
    CFrameWnd* frame = view->GetParentFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetActiveView(), view) << "the first pane became the active view";
    EXPECT_TRUE(frame->IsWindowVisible());

    EXPECT_EQ(command(frame, kRouteCommand),
              (std::vector<std::string>{"view", "doc", "template", "frame", "app", "unrouted 40008"}));
    EXPECT_EQ(command(frame, kSharedCommand), std::vector<std::string>{"view"}) << "the first handler wins";
    EXPECT_EQ(command(frame, kDocCommand), std::vector<std::string>{"doc"});
    EXPECT_EQ(command(frame, kTemplateCommand), std::vector<std::string>{"template"});
    EXPECT_EQ(command(frame, kAppCommand), (std::vector<std::string>{"app-update", "frame"}))
        << "the update check runs first; the frame's map comes before the application's";
    EXPECT_EQ(command(frame, kNobodysCommand), std::vector<std::string>{"unrouted 40007"});

    frame->DestroyWindow();
    EXPECT_EQ(app().GetOpenDocumentCount(), 0) << "the document closed with its last view";
}

TEST_F(MfcRoutingTest, MdiFrameRoutesThroughTheActiveChildBeforeItsOwnMap) {
    auto* mainFrame = new CTestMainFrame;
    ASSERT_TRUE(mainFrame->Create(nullptr, L"Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    app().m_pMainWnd = mainFrame;
    ASSERT_NE(mainFrame->m_hWndMDIClient, nullptr) << "the MDI client is created with the frame";
    EXPECT_EQ(::GetDlgCtrlID(mainFrame->m_hWndMDIClient), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(mainFrame->MDIGetActive(), nullptr);
    EXPECT_EQ(mainFrame->GetActiveFrame(), mainFrame);

    CFakeMdiClient client;
    ASSERT_TRUE(client.SubclassWindow(mainFrame->m_hWndMDIClient));
    auto* docTemplate = new CTestTemplate(RUNTIME_CLASS(CTestChildFrame));
    app().AddDocTemplate(docTemplate);
    auto* document = static_cast<CTestDoc*>(docTemplate->CreateNewDocument());
    CCreateContext context;
    context.m_pCurrentDoc = document;
    context.m_pNewViewClass = RUNTIME_CLASS(CTestView);
    context.m_pNewDocTemplate = docTemplate;
    auto* child = new CTestChildFrame;
    ASSERT_TRUE(child->Create(nullptr, L"Child", WS_CHILD | WS_VISIBLE | FWS_ADDTOTITLE, RECT{0, 0, 200, 100}, &client,
                              nullptr, 0, &context));
    child->InitialUpdateFrame(document, FALSE);
    client.active = child->m_hWnd;
    EXPECT_EQ(mainFrame->MDIGetActive(), child);
    EXPECT_EQ(mainFrame->GetActiveFrame(), child);
    EXPECT_EQ(child->GetMDIFrame(), mainFrame);

    EXPECT_EQ(command(mainFrame, kRouteCommand),
              (std::vector<std::string>{"view", "doc", "template", "child frame", "app", "main frame", "app",
                                        "unrouted 40008"}))
        << "the child's route ends in the application, then the main frame's own route follows";
    EXPECT_EQ(command(mainFrame, kAppCommand), (std::vector<std::string>{"app-update", "app"}))
        << "with an active child the application answers before the main frame's map";
    EXPECT_EQ(command(mainFrame, kFrameCommand), std::vector<std::string>{"main frame"});
    EXPECT_EQ(command(mainFrame, kChildFrameCommand), std::vector<std::string>{"child frame"});

    client.active = nullptr;
    child->DestroyWindow();
    client.UnsubclassWindow();
    mainFrame->DestroyWindow();
}

TEST_F(MfcRoutingTest, IdleUpdateDisablesCommandsWithoutHandlerAndRefusesDisabledCommands) {
    auto* frame = new CTestFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    app().m_pMainWnd = frame;
    CTestBar bar;
    ASSERT_TRUE(bar.Create(nullptr, nullptr, WS_VISIBLE, RECT{0, 0, 100, 20}, frame, 59392));
    bar.ids = {kFrameCommand, kNobodysCommand, kAppCommand, kDisabledCommand};

    runUntilIdle();
    ASSERT_EQ(bar.states.size(), 4u) << "the idle pass reached the bar";
    EXPECT_TRUE(bar.states[kFrameCommand].m_stateEnabled) << "a command handler keeps it enabled";
    EXPECT_FALSE(bar.states[kNobodysCommand].m_stateEnabled) << "no handler anywhere: disabled";
    EXPECT_TRUE(bar.states[kAppCommand].m_stateEnabled);
    EXPECT_FALSE(bar.states[kDisabledCommand].m_stateEnabled) << "the update handler decides";
    EXPECT_EQ(bar.states[kDisabledCommand].m_stateCheck, 1);

    trail().clear();
    frame->PostMessage(WM_COMMAND, kDisabledCommand);
    runUntilIdle();
    EXPECT_EQ(std::count(trail().begin(), trail().end(), "disabled ran"), 0) << "a disabled command does not run";
    EXPECT_GE(platform::core::journal().find("warning", L"disabled command 40011"), 0);

    bar.DestroyWindow();
    frame->DestroyWindow();
}

TEST_F(MfcRoutingTest, ModalStateNestsAndRestoresOnlyWhatItDisabled) {
    auto* frame = new CTestFrame;
    ASSERT_TRUE(frame->Create(nullptr, L"Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    auto* tool = new CFrameWnd;  // a floating window the frame owns
    ASSERT_TRUE(tool->Create(nullptr, L"Tool", WS_POPUP | WS_VISIBLE, CFrameWnd::rectDefault, frame));
    auto* stranger = new CFrameWnd;  // not the frame's
    ASSERT_TRUE(stranger->Create(nullptr, L"Other", WS_POPUP | WS_VISIBLE));
    auto* alreadyOff = new CFrameWnd;
    ASSERT_TRUE(alreadyOff->Create(nullptr, L"Off", WS_POPUP | WS_DISABLED, CFrameWnd::rectDefault, frame));

    frame->BeginModalState();
    frame->BeginModalState();
    EXPECT_EQ(frame->GetModalDepth(), 2);
    EXPECT_FALSE(frame->IsWindowEnabled());
    EXPECT_FALSE(tool->IsWindowEnabled());
    EXPECT_TRUE(stranger->IsWindowEnabled());
    frame->EndModalState();
    EXPECT_FALSE(frame->IsWindowEnabled()) << "still one level deep";
    frame->EndModalState();
    EXPECT_FALSE(frame->InModalState());
    EXPECT_TRUE(frame->IsWindowEnabled());
    EXPECT_TRUE(tool->IsWindowEnabled());
    EXPECT_FALSE(alreadyOff->IsWindowEnabled()) << "what was disabled before stays disabled";
    frame->EndModalState();
    EXPECT_EQ(frame->GetModalDepth(), 0) << "an extra end does nothing";

    stranger->DestroyWindow();
    frame->DestroyWindow();  // takes the windows it owns along
}

TEST_F(MfcRoutingTest, DelayedTitleIsComposedAtTheNextIdlePass) {
    auto* docTemplate = new CTestTemplate(RUNTIME_CLASS(CTestFrame));
    app().AddDocTemplate(docTemplate);
    CTestDoc* document = openInNewFrame(*docTemplate);
    ASSERT_NE(document, nullptr);
    CFrameWnd* frame = document->GetViews().front()->GetParentFrame();
    app().m_pMainWnd = frame;
    frame->SetTitle(L"Korvo");
    document->m_strTitle = L"Part.grb";
    frame->DelayUpdateFrameTitle();
    CString text;
    frame->GetWindowText(text);
    EXPECT_NE(text, L"Part.grb - Korvo") << "not before the idle pass";

    runUntilIdle();
    frame->GetWindowText(text);
    EXPECT_EQ(text, L"Part.grb - Korvo") << "frames with FWS_ADDTOTITLE put the document first";
    frame->DestroyWindow();
}

}  // namespace
