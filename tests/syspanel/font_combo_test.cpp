// The font combo box as the panel shows it: its list's order and kinds, what leaving its edit
// does, when the list is filled again, and the font the frame reports to the kernel.
#include <gtest/gtest.h>

#include "platform/kernel.h"
#include "syspanel/parameter_controls.h"
#include "tests/support/session_test.h"
#include "tests/syspanel/sys_panel_test_support.h"

namespace {

class FontCombo : public syspaneltest::FrameTest {
protected:
    void SetUp() override {
        s.kernel().writeDocumentFile(L"C:\\Work\\a.grb");
        FrameTest::SetUp();
        document = openDocument(window, L"C:\\Work\\a.grb");
        ASSERT_NE(document, nullptr);
        s.kernel().callback([](KorvoServerAppProxy& kernel) {
            kernel.SetSyspanelControls({{914, 0, 0}});
            kernel.EnableSyspanelControl(914, true);
        });
        s.runUntilIdle();
        combo = dynamic_cast<CFontComboBox*>(onBar(914));
        ASSERT_NE(combo, nullptr);
    }

    std::vector<std::wstring> items() const {
        std::vector<std::wstring> texts;
        for (int i = 0; i < combo->GetCount(); ++i) texts.emplace_back(combo->GetLBText(i).view());
        return texts;
    }
    void choose(const wchar_t* text) {
        for (int i = 0; i < combo->GetCount(); ++i)
            if (combo->GetLBText(i).view() == text) combo->SetCurSel(i);
        combo->OnSelChanged();
    }

    CKvw32Doc* document = nullptr;
    CFontComboBox* combo = nullptr;
};

TEST_F(FontCombo, OwnFontsThenVectorFilesThenTheRestWithTheirKinds) {
    // Courier is also a raster font and Small Fonts only one: neither is offered; Arial, reported
    // twice, is offered once.
    EXPECT_EQ(items(), (std::vector<std::wstring>{L"Default", L"Korvo GOST", L"Korvo ISO", L"engineering-lettering-condensed",
                                                  L"romans.shx", L"simplex.shx", L"gothic.fnt", L"Arial", L"Line Printer",
                                                  L"Times New Roman"}));
    EXPECT_EQ(combo->GetList().GetEntryCount(), combo->GetCount());
    EXPECT_EQ(combo->GetSelectedFontKind(), 32);
    EXPECT_TRUE(combo->GetSelectedFontName().IsEmpty());
    choose(L"simplex.shx");
    EXPECT_EQ(combo->GetSelectedFontKind(), 0);
    EXPECT_EQ(CFontComboBoxList::BitmapOf(*combo->GetList().GetEntry(combo->GetCurSel())), 4101u);
    EXPECT_EQ(*static_cast<const CString*>(combo->GetValue()), CString(L"simplex.shx"));
    choose(L"Korvo ISO");
    EXPECT_EQ(combo->GetSelectedFontKind(), 1);
    combo->SetCurSel(0);
    EXPECT_EQ(combo->GetSelectedFontKind(), 16);
    EXPECT_EQ(CFontComboBoxList::BitmapOf(*combo->GetList().GetEntry(0)), 0u);  // indented, no bitmap

    // The kernel asks the frame for the font: the selected entry's face name in the combo the
    // frame shows (the ribbon's).
    auto* shown = dynamic_cast<CFontComboBox*>(inRibbon(914));
    ASSERT_NE(shown, nullptr);
    shown->RefreshFontList();
    shown->SelectFont(L"Times New Roman");
    CString asked;
    s.kernel().callback([&](KorvoServerAppProxy& kernel) { kernel.GetFontComboText(asked, 0xFFFFFFFFu); });
    EXPECT_EQ(asked, CString(L"Times New Roman"));

    // A name no item has selects nothing; an empty one the default entry.
    combo->SelectFont(L"Wingdings");
    EXPECT_EQ(combo->GetCurSel(), -1);
    combo->SelectFont(L"");
    EXPECT_EQ(combo->GetCurSel(), 0);
}

TEST_F(FontCombo, LeavingTheEditMakesATextVariableOrRestoresTheFont) {
    combo->OnSetFocus();
    EXPECT_TRUE(combo->GetEditText().IsEmpty());  // nothing remembered
    combo->SetEditText(L"$title");
    EXPECT_TRUE(combo->OnEditKey(VK_RETURN));
    ASSERT_EQ(document->Cont2D()->GetTextVariables().size(), 1u);
    EXPECT_EQ(document->Cont2D()->GetTextVariables()[0].name, CString(L"$title"));
    EXPECT_TRUE(document->Cont2D()->GetTextVariables()[0].value.IsEmpty());
    EXPECT_EQ(combo->GetEditText(), CString(L"$title"));

    combo->SetEditText(L"No such font");
    combo->OnKillFocus();
    EXPECT_EQ(combo->GetCurSel(), 0);  // the default entry
    EXPECT_EQ(combo->GetEditText(), combo->GetLBText(0));

    choose(L"Arial");
    combo->SetEditText(L"Arial Black");
    EXPECT_FALSE(combo->OnEditKey(L'A'));
    combo->OnKillFocus();
    EXPECT_EQ(combo->GetEditText(), CString(L"Arial"));
    EXPECT_EQ(combo->GetSelectedFontName(), CString(L"Arial"));
}

TEST_F(FontCombo, TheListIsFilledAgainOnlyForAnotherFontFolder) {
    combo->RefreshFontList();
    const std::size_t filled = items().size();
    GetSettings().fontFolder = L"C:\\Empty fonts\\";
    combo->RefreshFontList();
    EXPECT_EQ(items().size(), filled - 4);  // no vector fonts there
    platform::win32::setInstalledFonts({{L"Korvo ISO", TRUETYPE_FONTTYPE}});
    combo->RefreshFontList();
    EXPECT_EQ(items().size(), filled - 4);  // the same folder: as it was

    // Extensions match whatever their case; a folder, or a name that only contains one, does not.
    for (const wchar_t* name : {L"C:\\Shop fonts\\b.FNT", L"C:\\Shop fonts\\Z.shx", L"C:\\Shop fonts\\a.SHX",
                                L"C:\\Shop fonts\\a.shx.bak", L"C:\\Shop fonts\\sub.shx\\c.fnt"}) {
        s.files().write(name, "font");
    }
    GetSettings().fontFolder = L"C:\\Shop fonts";
    combo->RefreshFontList();
    EXPECT_EQ(items(), (std::vector<std::wstring>{L"Default", L"Korvo ISO", L"a.SHX", L"Z.shx", L"b.FNT"}));

    EXPECT_EQ(CFontComboBoxList::ItemHeightFor(std::nullopt), 20);
    LOGFONTW font;
    font.lfHeight = -12;  // a character height
    EXPECT_EQ(CFontComboBoxList::ItemHeightFor(font), 60);
    font.lfHeight = -100;
    EXPECT_EQ(CFontComboBoxList::ItemHeightFor(font), 255);
}

}  // namespace
