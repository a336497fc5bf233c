// Data carried by drags: formats registered by name, blocks copied in and out of data objects,
// and a drop as the window's drop target sees it.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/mfc.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::MfcTest;

class MfcOleData : public MfcTest {};

HGLOBAL blockOf(const char* text) {
    HGLOBAL memory = GlobalAlloc(GHND, std::strlen(text));
    std::memcpy(GlobalLock(memory), text, std::strlen(text));
    GlobalUnlock(memory);
    return memory;
}

std::string textOf(HGLOBAL memory) {
    std::string text(static_cast<const char*>(GlobalLock(memory)), GlobalSize(memory));
    GlobalUnlock(memory);
    GlobalFree(memory);
    return text;
}

TEST_F(MfcOleData, FormatsByNameAndBlocksCopiedInAndOut) {
    const UINT format = RegisterClipboardFormatW(L"Korvo test format");
    EXPECT_GE(format, 0xC000u);
    EXPECT_EQ(RegisterClipboardFormatW(L"KORVO TEST FORMAT"), format);
    EXPECT_NE(RegisterClipboardFormatW(L"Korvo other format"), format);
    EXPECT_EQ(RegisterClipboardFormatW(L""), 0u);
    EXPECT_EQ(platform::mfc::formatName(static_cast<CLIPFORMAT>(format)), L"Korvo test format");
    EXPECT_EQ(platform::mfc::formatName(CF_HDROP), L"CF_HDROP");

    COleDataSource source;
    source.CacheGlobalData(static_cast<CLIPFORMAT>(format), blockOf("first"));
    source.CacheGlobalData(CF_HDROP, blockOf("files"));
    source.CacheGlobalData(static_cast<CLIPFORMAT>(format), blockOf("second"));  // replaces, keeps its place
    EXPECT_EQ(source.GetDataObject()->Formats(), (std::vector<CLIPFORMAT>{static_cast<CLIPFORMAT>(format), CF_HDROP}));

    COleDataObject data;
    data.Attach(source.GetDataObject(), FALSE);
    EXPECT_TRUE(data.IsDataAvailable(CF_HDROP));
    EXPECT_FALSE(data.IsDataAvailable(CF_UNICODETEXT));
    EXPECT_EQ(data.GetGlobalData(CF_UNICODETEXT), nullptr);
    // Each read is a copy of its own: the receiver frees it, the source keeps its own.
    EXPECT_EQ(textOf(data.GetGlobalData(static_cast<CLIPFORMAT>(format))), "second");
    EXPECT_EQ(textOf(data.GetGlobalData(static_cast<CLIPFORMAT>(format))), "second");
    EXPECT_EQ(data.Detach(), source.GetDataObject());
}

class RecordingTarget : public COleDropTarget {
public:
    DROPEFFECT offer = DROPEFFECT_NONE;
    std::vector<std::string> events;
    DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, POINT) override {
        events.push_back("enter");
        return offer;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD keyState, POINT point) override {
        events.push_back("over " + std::to_string(point.x) + "," + std::to_string(point.y) +
                         ((keyState & MK_CONTROL) ? " ctrl" : "") + (data->IsDataAvailable(CF_HDROP) ? " files" : ""));
        return offer;
    }
    void OnDragLeave(CWnd*) override { events.push_back("leave"); }
    BOOL OnDrop(CWnd*, COleDataObject*, DROPEFFECT effect, POINT) override {
        events.push_back("drop " + std::to_string(effect));
        return TRUE;
    }
};

TEST_F(MfcOleData, ADropEntersMovesOverAndDropsOnlyWhatTheSourceAllows) {
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, L"Frame"));
    RecordingTarget target;
    ASSERT_TRUE(target.Register(frame));
    IDataObject* data = platform::mfc::makeDataObject({{CF_HDROP, {std::byte{0}}}});

    target.offer = DROPEFFECT_MOVE;
    EXPECT_EQ(platform::mfc::dropOnTarget(data, DROPEFFECT_COPY | DROPEFFECT_MOVE, frame->GetSafeHwnd(), POINT{3, 4},
                                          MK_CONTROL),
              DROPEFFECT_MOVE);
    EXPECT_EQ(target.events, (std::vector<std::string>{"enter", "over 3,4 ctrl files", "drop 2"}));
    // A move the source does not allow is no drop.
    target.events.clear();
    EXPECT_EQ(platform::mfc::dropOnTarget(data, DROPEFFECT_COPY, frame->GetSafeHwnd(), POINT{3, 4}, 0), DROPEFFECT_NONE);
    EXPECT_EQ(target.events, (std::vector<std::string>{"enter", "over 3,4 files", "leave"}));

    target.Revoke();
    EXPECT_EQ(platform::mfc::dropOnTarget(data, DROPEFFECT_COPY, frame->GetSafeHwnd(), POINT{3, 4}, 0), std::nullopt);
    data->Release();
    frame->DestroyWindow();
}

}  // namespace
