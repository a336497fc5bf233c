// What user commands put in front of the user: their icons in every main frame (icon files and
// document icons, a missing file leaving the old icon), their controls, the customise sheet's
// category and a library's fragment tool bar; and the order and strings their storage rests on.
#include <gtest/gtest.h>

#include <string>

#include "app/kvw32_app.h"
#include "commandbars/usercommands/byte_streams.h"
#include "commandbars/usercommands/user_command_kinds.h"
#include "mainframe/main_frame.h"
#include "platform/korvoui.h"
#include "tests/commandbars/user_command_test_support.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

const std::wstring kSamples = L"C:\\Users\\user\\Documents\\Samples\\";

std::string IconFile(std::initializer_list<int> widths) {
    std::string bytes{0, 0, 1, 0, static_cast<char>(widths.size()), 0};
    for (int width : widths) {
        std::string entry(16, '\0');
        entry[0] = static_cast<char>(width == 256 ? 0 : width);
        bytes += entry;
    }
    return bytes;
}

std::vector<int> Widths(CMainFrame* frame, UINT id) {
    std::vector<int> widths;
    const CXTPImageManagerIconSet* set = frame->GetCommandBars()->GetImageManager()->GetIconSet(id);
    if (set)
        for (const auto& [width, icon] : set->GetIcons()) widths.push_back(width);
    return widths;
}

class UserCommandIcons : public StartedWithSampleLibraries {
protected:
    void SetUp() override {
        StartedWithSampleLibraries::SetUp();
        if (HasFatalFailure()) return;
        first = CKvw32App::Instance()->GetActiveMainFrame();
        ASSERT_TRUE(s.kernel().newMainFrame());
        s.runUntilIdle();
        second = CKvw32App::Instance()->GetActiveMainFrame();
        ASSERT_TRUE(first && second && first != second);
    }

    UINT Add(UINT type, const std::wstring& icon) {
        std::unique_ptr<CKVUserCommand> command = CKVUserCommand::Create(type);
        command->Prompt = L"Tool";
        command->Icon = icon.c_str();
        return CKvw32App::Instance()->GetUserCommands().AssignCommandId(command);
    }

    CMainFrame* first = nullptr;
    CMainFrame* second = nullptr;
};

TEST_F(UserCommandIcons, IconFilesAndDocumentIconsReachEveryFrame) {
    s.files().write(s.files().programFile(L"UserIcons\\gear.ico"), IconFile({16, 32, 256}));
    const UINT fromFile = Add(2, L"gear.ico");
    EXPECT_EQ(Widths(first, fromFile), (std::vector<int>{16, 32, 256}));
    EXPECT_EQ(Widths(second, fromFile), (std::vector<int>{16, 32, 256}));

    // A document's own icon, here through a library reference.
    const UINT fromDocument = Add(6, L"<Samples>Cover plate.grb");
    EXPECT_EQ(Widths(second, fromDocument), (std::vector<int>{16, 32}));

    // A missing icon file leaves the icon the id had; a file that is no icon file clears it.
    CKVUserCommand* command = CKvw32App::Instance()->GetUserCommands().Lookup(fromFile);
    command->Icon = L"C:\\Nowhere\\gone.ico";
    command->LoadIcon();
    EXPECT_EQ(Widths(first, fromFile), (std::vector<int>{16, 32, 256}));
    s.files().write(L"C:\\Icons\\broken.ico", "not an icon");
    command->Icon = L"C:\\Icons\\broken.ico";
    command->LoadIcon();
    EXPECT_TRUE(Widths(first, fromFile).empty());
}

TEST_F(UserCommandIcons, ControlsCarryTheCommandAndTheCustomiseCategoryListsThem) {
    const UINT id = Add(3, L"");
    CKVUserCommand* command = CKvw32App::Instance()->GetUserCommands().Lookup(id);
    command->Tooltip = L"";
    CXTPControl* button = command->CreateControl(false, first->GetCommandBars());
    EXPECT_EQ(button->GetID(), static_cast<int>(id));
    EXPECT_EQ(button->GetCaption(), CString(L"Tool"));
    EXPECT_EQ(button->GetTooltip(), CString(L"Tool"));  // the prompt serves as tooltip
    button->InternalRelease();
    CXTPControl* split = command->CreateControl(true, first->GetCommandBars());
    EXPECT_NE(dynamic_cast<Korvo::UI::AutoPopup*>(split), nullptr);
    EXPECT_NE(split->GetCommandBar(), nullptr);
    split->InternalRelease();
}

TEST_F(UserCommandIcons, ALibrarysFragmentsBecomeOneToolBarOnce) {
    s.files().write(kSamples + L"Washer.grb", "x");
    ASSERT_TRUE(first->CreateLibraryFragmentToolBar(L"Samples", kSamples.c_str()));
    CXTPToolBar* bar = first->GetCommandBars()->FindToolBar(L"Samples");
    ASSERT_NE(bar, nullptr);
    EXPECT_GE(bar->GetBarID(), 59392u);
    std::vector<std::wstring> captions;
    for (int i = 0; i < bar->GetControls()->GetCount(); ++i) captions.emplace_back(bar->GetControls()->GetAt(i)->GetCaption().view());
    std::sort(captions.begin(), captions.end());
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Bracket", L"Cover plate", L"Washer"}));
    const INT_PTR commands = CKvw32App::Instance()->GetUserCommands().GetCount();

    // A second bar of the same title is refused; the fragments keep their commands.
    s.user().expectBox(L"A tool bar named \"Samples\" exists already.", Button::Ok);
    EXPECT_FALSE(first->CreateLibraryFragmentToolBar(L"Samples", kSamples.c_str()));
    EXPECT_EQ(CKvw32App::Instance()->GetUserCommands().GetCount(), commands);
}

TEST(FrameworkMap, IteratesBucketsInOrderNewestFirstInsideABucket) {
    CMap<UINT, UINT, int, int> map;
    map.InitHashTable(17);
    // 37000 >> 4 = 2312 (bucket 0), 37001 the same bucket, 37016 the next one.
    map[37016] = 3;
    map[37000] = 1;
    map[37001] = 2;
    std::vector<UINT> order;
    for (POSITION position = map.GetStartPosition(); position;) {
        UINT key = 0;
        int value = 0;
        map.GetNextAssoc(position, key, value);
        order.push_back(key);
    }
    EXPECT_EQ(order, (std::vector<UINT>{37001, 37000, 37016}));
    EXPECT_TRUE(map.RemoveKey(37000));
    EXPECT_FALSE(map.RemoveKey(37000));
    int value = 0;
    EXPECT_TRUE(map.Lookup(37001, value));
    EXPECT_EQ(value, 2);
    EXPECT_EQ(map.GetCount(), 2);
}

TEST(StreamStrings, ReadBackAsWrittenAndRefuseACountBeyondTheStream) {
    Korvo::UserCommands::MemoryWriteStream out;
    ASSERT_TRUE(KvwWriteString(out, L"Gear \u00e9 \U0001F527"));
    ASSERT_TRUE(KvwWriteString(out, L""));
    Korvo::UserCommands::MemoryReadStream in(out.Bytes());
    CString first, second;
    EXPECT_TRUE(KvwReadUniString(in, first));
    EXPECT_EQ(first, CString(L"Gear \u00e9 \U0001F527"));
    EXPECT_TRUE(KvwReadUniString(in, second));
    EXPECT_TRUE(second.IsEmpty());
    EXPECT_FALSE(KvwReadUniString(in, second));  // nothing left

    Korvo::UserCommands::MemoryReadStream hostile(std::string("\x05\x00\x00\x00" "a\x00", 6));
    CString text = L"old";
    EXPECT_FALSE(KvwReadUniString(hostile, text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(hostile.GetPosition(), 4u);
}

}  // namespace
