// Drags as the shell's lists start them and its windows receive them: one drop target per living
// window, a drop on a child reaching the nearest target at that target's own point, the drag
// loop's answers when the user drops, drops where nothing takes it, or cancels, and who releases
// a data object.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/useragent.h"
#include "platform/mfc.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::MfcTest;

class Recording : public COleDropTarget {
public:
    explicit Recording(std::string name, DROPEFFECT offer = DROPEFFECT_COPY) : name_(std::move(name)), offer_(offer) {}
    std::vector<std::string> events;
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, POINT point) override {
        events.push_back(name_ + " over " + std::to_string(point.x) + "," + std::to_string(point.y));
        return offer_;
    }
    void OnDragLeave(CWnd*) override { events.push_back(name_ + " leave"); }
    BOOL OnDrop(CWnd*, COleDataObject*, DROPEFFECT effect, POINT) override {
        events.push_back(name_ + " drop " + std::to_string(effect));
        return TRUE;
    }

private:
    std::string name_;
    DROPEFFECT offer_;
};

class MfcDragDrop : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, L"Frame"));
        frame->ShowWindow(SW_SHOW);
        child = CreateWindowExW(0, L"STATIC", L"child", WS_CHILD | WS_VISIBLE, 10, 20, 50, 40, frame->GetSafeHwnd(),
                                nullptr, nullptr, nullptr);
        ASSERT_NE(child, nullptr);
    }
    void TearDown() override {
        if (IsWindow(frame->GetSafeHwnd())) frame->DestroyWindow();
        MfcTest::TearDown();
    }

    CFrameWnd* frame = nullptr;
    HWND child = nullptr;
};

TEST_F(MfcDragDrop, EachLivingWindowHasAtMostOneDropTarget) {
    Recording first("first"), second("second");
    EXPECT_EQ(RegisterDragDrop(reinterpret_cast<HWND>(0x7777), reinterpret_cast<IDropTarget*>(&first)),
              DRAGDROP_E_INVALIDHWND);
    EXPECT_EQ(RegisterDragDrop(child, nullptr), static_cast<HRESULT>(0x80070057u));
    EXPECT_EQ(RevokeDragDrop(child), DRAGDROP_E_NOTREGISTERED);

    ASSERT_TRUE(first.Register(frame));
    EXPECT_FALSE(second.Register(frame));  // the window has one already
    EXPECT_FALSE(first.Register(CWnd::FromHandle(child)));  // the target serves one window
    EXPECT_EQ(GetRegisteredDropTarget(frame->GetSafeHwnd()), reinterpret_cast<IDropTarget*>(&first));

    first.Revoke();
    EXPECT_EQ(GetRegisteredDropTarget(frame->GetSafeHwnd()), nullptr);
    ASSERT_TRUE(second.Register(frame));

    // The registration goes with its window.
    const HWND gone = child;
    Recording onChild("child");
    ASSERT_TRUE(onChild.Register(CWnd::FromHandle(child)));
    DestroyWindow(child);
    EXPECT_EQ(GetRegisteredDropTarget(gone), nullptr);
}

TEST_F(MfcDragDrop, ADropOnAChildReachesTheNearestTargetAtThatTargetsPoint) {
    Recording onFrame("frame");
    ASSERT_TRUE(onFrame.Register(frame));
    IDataObject* data = platform::mfc::makeDataObject({{CF_HDROP, {std::byte{0}}}});

    // The child has no target of its own: its parent's takes the drop, at the parent's point.
    EXPECT_EQ(platform::mfc::dropOnTarget(data, DROPEFFECT_COPY, child, POINT{1, 2}, 0), DROPEFFECT_COPY);
    EXPECT_EQ(onFrame.events, (std::vector<std::string>{"frame over 11,22", "frame over 11,22", "frame drop 1"}));

    // A target of the child's own comes first.
    Recording onChild("child", DROPEFFECT_MOVE);
    ASSERT_TRUE(onChild.Register(CWnd::FromHandle(child)));
    onFrame.events.clear();
    EXPECT_EQ(platform::mfc::dropOnTarget(data, DROPEFFECT_COPY | DROPEFFECT_MOVE, child, POINT{1, 2}, 0),
              DROPEFFECT_MOVE);
    EXPECT_TRUE(onFrame.events.empty());
    EXPECT_EQ(onChild.events.back(), "child drop 2");

    // A window that is gone takes nothing and is no target.
    DestroyWindow(child);
    EXPECT_EQ(platform::mfc::dropOnTarget(data, DROPEFFECT_COPY, child, POINT{1, 2}, 0), std::nullopt);
    data->Release();
}

TEST_F(MfcDragDrop, TheDragLoopAnswersADropACancelAndAPlaceThatTakesNothing) {
    Recording onFrame("frame");
    ASSERT_TRUE(onFrame.Register(frame));
    auto& user = platform::core::userAgent();

    DWORD effect = 99;
    EXPECT_EQ(DoDragDrop(nullptr, DROPEFFECT_COPY, &effect), E_FAIL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);

    COleDataSource source;
    HGLOBAL block = GlobalAlloc(GHND, 1);
    source.CacheGlobalData(CF_HDROP, block);

    user.expectDrag(std::nullopt);
    effect = 99;
    EXPECT_EQ(DoDragDrop(source.GetDataObject(), DROPEFFECT_COPY, &effect), DRAGDROP_S_CANCEL);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_TRUE(onFrame.events.empty());

    user.expectDrag(platform::core::UserAgent::DragAnswer{frame->GetSafeHwnd(), POINT{3, 4}, 0, L"frame"});
    EXPECT_EQ(source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_COPY);
    EXPECT_EQ(onFrame.events.back(), "frame drop 1");

    // Dropped where no window takes drops: a drop, with nothing done.
    onFrame.Revoke();
    user.expectDrag(platform::core::UserAgent::DragAnswer{frame->GetSafeHwnd(), POINT{3, 4}, 0, L"frame"});
    EXPECT_EQ(DoDragDrop(source.GetDataObject(), DROPEFFECT_COPY, &effect), DRAGDROP_S_DROP);
    EXPECT_EQ(effect, DROPEFFECT_NONE);

    // Nobody said what the user does: a strict failure naming the data, and the drag is cancelled.
    user.setPolicy(platform::core::ModalPolicy::Strict);
    EXPECT_EQ(source.DoDragDrop(), DROPEFFECT_NONE);
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"unexpected drag \"CF_HDROP\""), std::wstring::npos) << platform::core::toUtf8(failures[0]);
}

// Counts its references, so that a test sees who lets it go.
class Counted : public IDataObject {
public:
    ULONG references = 1;
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }
    HRESULT QueryGetData(CLIPFORMAT) override { return DV_E_FORMATETC; }
    HRESULT GetData(CLIPFORMAT, HGLOBAL* memory) override {
        if (memory) *memory = nullptr;
        return DV_E_FORMATETC;
    }
    std::vector<CLIPFORMAT> Formats() override { return {}; }
};

TEST_F(MfcDragDrop, AWrapperReleasesOnlyWhatItWasGivenToRelease) {
    Counted owned, borrowed;
    {
        COleDataObject wrapper;
        wrapper.Attach(&owned);
        EXPECT_EQ(wrapper.GetGlobalData(CF_HDROP), nullptr);
        wrapper.Attach(&borrowed, FALSE);  // lets the first one go
        EXPECT_EQ(owned.references, 0u);
    }
    EXPECT_EQ(borrowed.references, 1u);

    Counted detached;
    {
        COleDataObject wrapper;
        wrapper.Attach(&detached);
        EXPECT_EQ(wrapper.Detach(), &detached);
        EXPECT_FALSE(wrapper.IsDataAvailable(CF_HDROP));
    }
    EXPECT_EQ(detached.references, 1u);

    // The data object of a drag source answers a read with nowhere to put it as a failure.
    COleDataSource source;
    source.CacheGlobalData(CF_HDROP, GlobalAlloc(GHND, 4));
    EXPECT_EQ(source.GetDataObject()->GetData(CF_HDROP, nullptr), E_FAIL);
    HGLOBAL copy = nullptr;
    EXPECT_EQ(source.GetDataObject()->GetData(CF_TEXT, &copy), DV_E_FORMATETC);
    EXPECT_EQ(copy, nullptr);
}

}  // namespace
