// The library chooser: only the libraries a configuration holds itself, told apart by the
// configuration's name; OK with an entry, with none, a double click, and an empty model.
#include <gtest/gtest.h>

#include "documentsmenu/window/choose_lib_dlg.h"
#include "tests/documentsmenu/window_test_support.h"

namespace documentsmenutest {
namespace {

using Action = platform::core::DialogAction;
using Kind = Action::Kind;

class ChooseLibDlgTest : public DocumentsMenuWindowTest {
protected:
    DocumentsMenu::IConfiguration* other = model.addConfiguration(kLibraries + L"Other.tws", L"Other");
    DocumentsMenu::ILibrary* otherNuts = model.addLibrary(other, L"Nuts", L"OtherNuts");

    static std::vector<std::wstring> entries(HWND dialog) {
        const HWND list = GetDlgItem(dialog, CChooseLibDlg::kList);
        std::vector<std::wstring> texts;
        for (int index = 0; index < SendMessageW(list, LB_GETCOUNT, 0, 0); ++index) {
            std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, L'\0');
            SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
            texts.push_back(text.c_str());
        }
        return texts;
    }
};

TEST_F(ChooseLibDlgTest, OffersTheLibrariesEachConfigurationHoldsItselfAndReturnsTheChosenOne) {
    bool seen = false;
    session.user().expectDialog(CChooseLibDlg::kTemplate, [&](HWND dialog) {
        seen = true;
        EXPECT_EQ(entries(dialog), (std::vector<std::wstring>{L"Nuts (Standard)", L"Nuts (Other)"}))
            << "M6 lies in a group and is not offered";
        const HWND list = GetDlgItem(dialog, CChooseLibDlg::kList);
        EXPECT_GT(SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0), 2 * GetSystemMetrics(SM_CXEDGE));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        wchar_t title[64] = {};
        GetWindowTextW(dialog, title, 64);
        EXPECT_EQ(CString(title), KVLoadString(CChooseLibDlg::kTitle));
        EXPECT_EQ(session.user().act(dialog, Action{Kind::Select, CChooseLibDlg::kList, L"#1", {}}), std::nullopt);
        EXPECT_EQ(session.user().act(dialog, Action{Kind::Ok, 0, {}, {}}), std::nullopt);
    });
    CChooseLibDlg chooser;
    EXPECT_EQ(chooser.DoModal(), IDOK);
    EXPECT_TRUE(seen);
    EXPECT_EQ(chooser.GetLibrary(), otherNuts);

    // OK without a selection closes all the same, with no library.
    session.user().expectDialog(CChooseLibDlg::kTemplate, {Action{Kind::Ok, 0, {}, {}}});
    CChooseLibDlg unselected;
    EXPECT_EQ(unselected.DoModal(), IDOK);
    EXPECT_EQ(unselected.GetLibrary(), nullptr);

    // A double click on an entry chooses it at once.
    session.user().expectDialog(CChooseLibDlg::kTemplate, [&](HWND dialog) {
        const HWND list = GetDlgItem(dialog, CChooseLibDlg::kList);
        SendMessageW(list, LB_SETCURSEL, 0, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(CChooseLibDlg::kList, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    });
    CChooseLibDlg doubleClicked;
    EXPECT_EQ(doubleClicked.DoModal(), IDOK);
    EXPECT_EQ(doubleClicked.GetLibrary(), nuts);
    EXPECT_TRUE(session.takeFailures().empty());
}

TEST_F(ChooseLibDlgTest, WithoutLibrariesOkStaysDisabledAndCancelChoosesNothing) {
    DocumentsMenu::CloseAllConfigurations(DocumentsMenu::GlobalCfgGroup());
    session.user().expectDialog(CChooseLibDlg::kTemplate, [&](HWND dialog) {
        EXPECT_TRUE(entries(dialog).empty());
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDOK)));
        EXPECT_EQ(session.user().act(dialog, Action{Kind::Cancel, 0, {}, {}}), std::nullopt);
    });
    CChooseLibDlg chooser;
    EXPECT_EQ(chooser.DoModal(), IDCANCEL);
    EXPECT_EQ(chooser.GetLibrary(), nullptr);
}

}  // namespace
}  // namespace documentsmenutest
