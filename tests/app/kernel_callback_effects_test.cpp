// What kernel callbacks that do more than pass a call on do: keeping a recent entry only while a
// recent file is being opened, panel values reaching every main frame, not only the active, and
// the windows section named only while a frame exists.
#include "app/documents/recent_file_list.h"
#include "app/kvw32_app.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;

class CallbackEffects : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        app = CKvw32App::Instance();
    }
    void KeepRecentEntry() {
        s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.KeepRecentEntry(); });
    }

    Session s;
    CKvw32App* app = nullptr;
};

TEST_F(CallbackEffects, ARecentEntryIsKeptOnlyWhileARecentFileOpens) {
    CKVRecentFileList* list = app->GetRecentFileList();
    list->Add(L"C:\\Work\\gone.grb", nullptr);
    // Outside a recent open the request is ignored: the list stays free to change.
    KeepRecentEntry();
    EXPECT_FALSE(list->GetKeepEntries());

    bool keptWhileOpening = false;
    // "File not found, remove from recent?" in the sample's language.
    s.user().expectBox(L"Файл не найден. Удалить*", [&](const BoxRequest&) {
        KeepRecentEntry();
        keptWhileOpening = list->GetKeepEntries();
        return Button::Yes;
    });
    app->OnOpenRecentFile(ID_FILE_MRU_FILE1);
    s.runUntilIdle();
    EXPECT_TRUE(keptWhileOpening);
    // The open over, the list is free again.
    EXPECT_FALSE(list->GetKeepEntries());
}

TEST_F(CallbackEffects, PanelValuesReachEveryFrame) {
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.set_syspanel_doublevar(nullptr, 907, 2.5, -1); });
    for (int frame = 0; frame < 2; ++frame) {
        SCOPED_TRACE(frame);
        double value = 0;
        s.kernel().callback([&](KorvoServerAppProxy& kernel) { EXPECT_TRUE(kernel.UnpackSyspanelDoubleVar(907, value)); });
        EXPECT_EQ(value, 2.5);
        app->ActivateNextMainFrame();
    }
}

// Without a frame the request leaves the name alone (see the kernel-callback tests); with one it
// is the profile's windows section.
TEST_F(CallbackEffects, TheWindowsProfileSectionIsNamedWhileAFrameExists) {
    CString name = L"stale";
    s.kernel().callback([&](KorvoServerAppProxy& kernel) { kernel.GetWindowsProfileCurrentSectionName(name); });
    EXPECT_EQ(name, CString(L"Windows"));
}

}  // namespace
