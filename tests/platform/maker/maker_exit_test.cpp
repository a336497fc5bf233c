// Objects that outlive every function-local static (the global application and what it holds)
// still reach the kernel's registries from their destructors at exit. Each test leaves such an
// object behind on purpose; the sanitizers fail the process if a registry was destroyed first.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "platform/korvoui.h"

namespace {

class ExitListener : public TypedApplicationEventListener<258> {
public:
    void OnApplicationEvent(UINT, const ApplicationEventArgs&) override { ++heard; }
    int heard = 0;
};

// A main frame that never gets a window: it stays in the frame registry until it is destroyed.
class WindowlessFrame : public Korvo::UI::MainFrame {
public:
    ~WindowlessFrame() override { UIModuleProxy::Instance().UnregisterMainFrame(this); }
    CFrameWnd* AsWindow() override { return nullptr; }
    const CFrameWnd* AsWindow() const override { return nullptr; }
};

// Constructed before main, filled by a test, destroyed after the registries' first use.
std::optional<ExitListener> g_listener;
std::optional<ExitListener> g_otherListener;
std::unique_ptr<CKvw32Doc> g_document;
std::unique_ptr<CKvw32Doc> g_otherDocument;
std::optional<WindowlessFrame> g_frame;
std::optional<WindowlessFrame> g_otherFrame;

TEST(MakerExit, AListenerDestroyedAtExitLeavesTheEventManagerSafely) {
    g_listener.emplace();
    g_otherListener.emplace();
    ApplicationEventManager::Instance().Raise(258, ApplicationEventArgs{});
    EXPECT_EQ(g_listener->heard, 1);
    EXPECT_EQ(ApplicationEventManager::Instance().ListenerCount(258), 2u);
}

TEST(MakerExit, ADocumentDestroyedAtExitLeavesTheDocumentListSafely) {
    g_document = std::make_unique<CKvw32Doc>();
    g_otherDocument = std::make_unique<CKvw32Doc>();
    EXPECT_EQ(Korvo::DocumentManager::Instance().GetDocuments().size(), 2u);
}

TEST(MakerExit, AFrameDestroyedAtExitLeavesTheFrameRegistrySafely) {
    g_frame.emplace();
    g_otherFrame.emplace();
    UIModuleProxy::Instance().RegisterMainFrame(&*g_frame);
    UIModuleProxy::Instance().RegisterMainFrame(&*g_otherFrame);
    EXPECT_EQ(UIModuleProxy::Instance().GetMainFrames().size(), 2u);
}

}  // namespace
