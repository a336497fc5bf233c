// The application registers itself as the services the main frame and the subsystems reach it
// through: the frames find the same application, the same frames in the same order, and the
// crash context the same flags, as the application object itself answers.
#include <memory>
#include <stdexcept>
#include <string>

#include "app/kvw32_app.h"
#include "auxiliary/varnel_frame.h"
#include "auxiliary/varnel_pane_titles.h"
#include "mainframe/generate_dump_file_app_context.h"
#include "mainframe/main_frame.h"
#include "services/application.h"
#include "services/auxiliary.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;

class ApplicationServicesRegistration : public SessionTest {
protected:
    void Start() {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
    }

    Session s;
};

TEST_F(ApplicationServicesRegistration, TheFramesFindTheApplicationAndItsFramesThroughItsServices) {
    Start();
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.runUntilIdle();
    CKvw32App* app = CKvw32App::Instance();
    ASSERT_NE(app, nullptr);
    ApplicationServices* services = ApplicationServices::Instance();
    EXPECT_EQ(services, static_cast<ApplicationServices*>(app));
    EXPECT_EQ(&services::Registry<ApplicationServices>::Get(), services);

    const std::vector<CMainFrame*> frames = app->GetMainFrames();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_EQ(CMainFrame::GetAll(), frames);
    std::vector<CMainFrame*> walked;
    services->ForEachMainFrame([&](MainFrameServices* frame) { walked.push_back(CMainFrame::From(frame)); });
    EXPECT_EQ(walked, frames);
    EXPECT_EQ(services->NumMainFrames(), 3);

    ASSERT_NE(app->GetActiveMainFrame(), nullptr);
    EXPECT_EQ(CMainFrame::GetActive(), app->GetActiveMainFrame());
    EXPECT_EQ(CMainFrame::From(services->GetActiveMainFrame()), app->GetActiveMainFrame());
    EXPECT_EQ(CMainFrame::From(nullptr), nullptr);
}

TEST_F(ApplicationServicesRegistration, TheCrashContextKeepsItsFlagsInTheApplication) {
    Start();
    CKvw32App* app = CKvw32App::Instance();
    ASSERT_NE(app, nullptr);
    GenerateDumpFileAppContext context;
    EXPECT_FALSE(context.IsErrorHandled());
    context.SetErrorHandled();
    EXPECT_TRUE(context.IsErrorHandled());
    EXPECT_NE(app->GetApplicationFlags() & GenerateDumpFileAppContext::kFlagErrorHandled, 0);
    context.DisableDocumentSaving();
    EXPECT_NE(app->GetApplicationFlags() & GenerateDumpFileAppContext::kFlagDocumentsNotSaved, 0);
    EXPECT_EQ(app->GetApplicationFlags() & GenerateDumpFileAppContext::kFlagRestartRequested, 0);
    EXPECT_EQ(context.GetWindowTitle(), KVLoadString(app->GetTitleStringId()));
    // Without a restart asked for, the restart changes nothing.
    const std::size_t entries = s.journal().entries().size();
    context.Restart();
    EXPECT_EQ(s.journal().entries().size(), entries);
}

TEST_F(ApplicationServicesRegistration, AFrameRunsTheInitialShowObserverOnlyTheFirstTime) {
    Start();
    int shown = 0;
    CMainFrame::SetInitialShowObserver([&shown] { ++shown; });
    CMainFrame* frame = CMainFrame::From(ApplicationServices::Instance()->GetActiveMainFrame());
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->IsShown());
    frame->InitialShow();
    EXPECT_EQ(shown, 0);
    HWND second = s.kernel().newMainFrame();
    ASSERT_NE(second, nullptr);
    s.runUntilIdle();
    EXPECT_EQ(shown, 1);
    CMainFrame::SetInitialShowObserver(nullptr);
}

TEST_F(ApplicationServicesRegistration, TheSubsystemsReachWhatTheOwnersAnswerThroughTheServices) {
    Start();
    CKvw32App* app = CKvw32App::Instance();
    ASSERT_NE(app, nullptr);
    ApplicationServices& services = services::Registry<ApplicationServices>::Get();

    // The PDM pane captions the tool-bars menu shows, for every kind and for none.
    const AuxiliaryServices& panes = services::Registry<AuxiliaryServices>::Get();
    for (int kind : {0, 1, 2, 3, 4, 5, 6, 99})
        for (bool accelerator : {false, true})
            EXPECT_EQ(panes.BuildPaneTitle(kind, accelerator), CVarnelFrame::BuildPaneTitle(kind, accelerator)) << kind;

    EXPECT_EQ(services.GetRecentFileList(), app->GetRecentFileList());
    EXPECT_EQ(services.GetMainResourceId(), app->GetMainResourceId());

    // A crash context made for a caller's stack is the innermost one exactly while it lives.
    GenerateDumpFileContextBase* outer = GenerateDumpFileContextBase::Current();
    {
        const std::unique_ptr<GenerateDumpFileContextBase> context = services.CreateCrashDumpContext();
        ASSERT_NE(context, nullptr);
        EXPECT_EQ(GenerateDumpFileContextBase::Current(), context.get());
        EXPECT_EQ(context->GetWindowTitle(), KVLoadString(app->GetTitleStringId()));
    }
    EXPECT_EQ(GenerateDumpFileContextBase::Current(), outer);

    // A frame's services are the frame itself, its own pane manager and only its own panes.
    CMainFrame* frame = app->GetActiveMainFrame();
    ASSERT_NE(frame, nullptr);
    MainFrameServices& frameServices = *frame;
    EXPECT_EQ(&frameServices.AsMdiMainFrame(), static_cast<Korvo::UI::MdiMainFrame*>(frame));
    EXPECT_EQ(frameServices.IsShown(), frame->IsShown());
    EXPECT_EQ(&frameServices.GetPaneManager(), &frame->GetPaneManager());
    int found = 0;
    for (int id = 1000; id < 1100; ++id) {
        CXTPDockingPane* pane = frame->GetPaneManager().FindPane(id);
        EXPECT_EQ(frameServices.FindPane(id), dynamic_cast<CKVDockingPane*>(pane)) << id;
        if (frameServices.FindPane(id)) ++found;
    }
    EXPECT_GT(found, 0);
}

// The auxiliary services are there only while their object lives: the application made its own
// with itself; a newer one takes the slot and leaves it empty when it goes.
TEST(AuxiliaryServicesRegistration, TheCaptionsAreRegisteredForTheLifeOfTheirObjectOnly) {
    AuxiliaryServices* application = AuxiliaryServices::Instance();
    ASSERT_NE(application, nullptr);
    {
        const VarnelPaneTitles titles;
        EXPECT_EQ(AuxiliaryServices::Instance(), &titles);
    }
    EXPECT_EQ(AuxiliaryServices::Instance(), nullptr);
    services::Registry<AuxiliaryServices>::Register(application);
}

// The registry itself: a slot per interface, which only its holder empties.
struct Probe {
    static constexpr const char* kServicesName = "probe services";
};

TEST(ServicesRegistry, OnlyTheRegisteredObjectWithdrawsItAndAnEmptySlotFailsByName) {
    using ProbeRegistry = services::Registry<Probe>;
    EXPECT_EQ(ProbeRegistry::Find(), nullptr);
    try {
        ProbeRegistry::Get();
        ADD_FAILURE() << "an empty slot answered";
    } catch (const std::logic_error& error) {
        EXPECT_EQ(std::string(error.what()), "no probe services are registered");
    }
    Probe first;
    Probe second;
    ProbeRegistry::Register(&first);
    ProbeRegistry::Register(&second);
    // The one replaced goes late: it leaves the newer one in place.
    ProbeRegistry::Withdraw(&first);
    EXPECT_EQ(ProbeRegistry::Find(), &second);
    EXPECT_EQ(&ProbeRegistry::Get(), &second);
    ProbeRegistry::Withdraw(&second);
    EXPECT_EQ(ProbeRegistry::Find(), nullptr);
}

}  // namespace
