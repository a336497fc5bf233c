// The kernel's and Windows' services behind the panel's choosers: layers and text variables of a
// drawing, coordinate systems made from projections, the installed fonts, the colour dialog and
// the name prompt as the user agent answers them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/journal.h"
#include "platform/core/useragent.h"
#include "platform/kernel.h"
#include "platform/kernel/documents/coordinate_systems.h"
#include "platform/kernel/editing/name_prompt.h"
#include "platform/kernel/services/fonts.h"
#include "platform/mfc/dialogs/colordialog.h"
#include "platform/win32/fonts.h"

namespace {

TEST(MakerPanelServices, LayersTextVariablesAndCoordinateSystemsOfADrawing) {
    KVDocument document;
    ASSERT_EQ(document.GetLayers().size(), 2u);
    EXPECT_EQ(document.CreateLayer(L"Hatching"), 2);
    EXPECT_NE(document.FindLayer(L"Hatching"), nullptr);
    EXPECT_EQ(document.FindLayer(L"hatching"), nullptr);  // exact names
    EXPECT_EQ(document.GetLayer(7), nullptr);

    // Only "$" and a name is a text variable's name; two quotes are the empty text.
    EXPECT_EQ(document.create_text_var(L"title", -1, L"x", 255, 0), -1);
    EXPECT_EQ(document.create_text_var(L"$", -1, L"x", 255, 0), -1);
    EXPECT_EQ(document.create_text_var(L"$1a", -1, L"x", 255, 0), -1);
    EXPECT_EQ(document.create_text_var(L"$title", -1, L"\"\"", 255, 0), 0);
    EXPECT_TRUE(document.GetTextVariables()[0].value.IsEmpty());
    EXPECT_EQ(document.create_text_var(L"$title", -1, L"abcdef", 3, 0), 0);  // the same one, cut
    EXPECT_EQ(document.GetTextVariables()[0].value, CString(L"abc"));

    auto& systems = document.CoordinateSystems();
    const auto projections = systems.GetProjections(systems.GetActivePage());
    ASSERT_EQ(projections.size(), 2u);
    EXPECT_FALSE(systems.HasSystemFor(projections[0]));
    const int made = systems.Create(0, 2, projections[0], L"");
    EXPECT_EQ(made, 1);
    EXPECT_TRUE(systems.HasSystemFor(projections[0]));
    EXPECT_EQ(systems.Get(made)->GetName(), projections[0]->GetName());
    EXPECT_EQ(systems.GetOnPage(0).size(), 2u);
    EXPECT_EQ(systems.GetPageSystem(0)->GetNumber(), -1);
    EXPECT_EQ(systems.GetPageSystem(1), nullptr);
}

int collect(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
    reinterpret_cast<std::vector<std::wstring>*>(data)->push_back(std::wstring(font->lfFaceName) + L":" + std::to_wstring(type));
    return 1;
}

TEST(MakerPanelServices, FontsAreEnumeratedByFaceAndSortedWithTheKernelsOwnFirst) {
    platform::win32::setInstalledFonts({{L"Courier", RASTER_FONTTYPE}, {L"Courier", TRUETYPE_FONTTYPE}, {L"Arial", 4}});
    std::vector<std::wstring> seen;
    LOGFONTW all;
    EXPECT_EQ(EnumFontFamiliesExW(nullptr, &all, &collect, reinterpret_cast<LPARAM>(&seen), 0), 1);
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"Courier:1", L"Courier:4", L"Arial:4"}));
    seen.clear();
    LOGFONTW courier;
    std::wcscpy(courier.lfFaceName, L"Courier");
    EnumFontFamiliesExW(nullptr, &courier, &collect, reinterpret_cast<LPARAM>(&seen), 0);
    EXPECT_EQ(seen.size(), 2u);
    // A face name longer than a LOGFONT holds is cut, never written past it.
    platform::win32::setInstalledFonts({{std::wstring(40, L'x'), TRUETYPE_FONTTYPE}});
    seen.clear();
    EnumFontFamiliesExW(nullptr, &all, &collect, reinterpret_cast<LPARAM>(&seen), 0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], std::wstring(31, L'x') + L":4");

    EXPECT_LT(Korvo::CompareFontNames(L"Korvo ISO", L"Arial"), 0);
    EXPECT_LT(Korvo::CompareFontNames(L"arial", L"Times"), 0);
    EXPECT_EQ(Korvo::CompareFontNames(L"Arial", L"Arial"), 0);
    EXPECT_TRUE(Korvo::IsKorvoFont(L"Korvo GOST"));
    EXPECT_FALSE(Korvo::IsKorvoFont(L"Kor"));
}

TEST(MakerPanelServices, TheColourDialogAndTheNamePromptAnswerAsTheUserDid) {
    COLORREF custom[16] = {RGB(1, 1, 1)};
    platform::core::userAgent().expectKernelDialog(L"colour", std::wstring(L"10,20,200"));
    CColorDialog dialog(RGB(255, 0, 0), CC_RGBINIT | CC_FULLOPEN | CC_SOLIDCOLOR);
    dialog.m_cc.lpCustColors = custom;
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetColor(), RGB(10, 20, 200));
    EXPECT_EQ(custom[1], RGB(10, 20, 200));  // added once, to the first free place
    platform::core::userAgent().expectKernelDialog(L"colour", std::wstring(L"10,20,200"));
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(custom[2], 0u);

    // An answer that is no colour cancels, and is a failure.
    for (const wchar_t* bad : {L"10,20", L"1,2,256", L"1,2,3,", L"a,b,c", L""}) {
        platform::core::userAgent().expectKernelDialog(L"colour", std::wstring(bad));
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(platform::core::takeFailures().size(), 1u);
    }
    platform::core::userAgent().expectKernelDialog(L"colour", std::nullopt);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);

    CString name = L"kept";
    platform::core::userAgent().expectKernelDialog(L"prompt", std::nullopt);
    EXPECT_FALSE(KVPromptName(10123, name));
    EXPECT_EQ(name, CString(L"kept"));
    platform::core::userAgent().expectKernelDialog(L"prompt", std::wstring(L" Layer 7 "));
    EXPECT_TRUE(KVPromptName(10123, name));
    EXPECT_EQ(name, CString(L" Layer 7 "));
}

}  // namespace
