// The choosers of the panel's parameter controls, driven as a user clicks the control and picks:
// the colour pop-up's lists, registry state and colour dialog; new layers; coordinate systems
// from projections; the 3D part's material chooser; and the colour words they share.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/core/record.h"
#include "platform/kernel.h"
#include "platform/kernel/documents/coordinate_systems.h"
#include "syspanel/choosers/color_select_dialog.h"
#include "syspanel/choosers/colour_words.h"
#include "syspanel/choosers/layer_select_dialog.h"
#include "syspanel/choosers/lcs_select_dialog.h"
#include "syspanel/choosers/panel_chooser.h"
#include "syspanel/parameter_controls.h"
#include "tests/support/session_test.h"
#include "tests/syspanel/chooser_test_support.h"

namespace {

using platform::harness::calls;
using platform::harness::indexOf;

const CString kDialogSection = KVGetColorsCurrentSectionName() + L"\\SelectColorDialog";
const CString kCustomSection = KVGetColorsCurrentSectionName() + L"\\CustomColors";

class Choosers : public syspaneltest::ChooserTest {
protected:
    Choosers() : ChooserTest({904, 911, 912, 905}) {}

    template <class Control>
    Control* control(unsigned id) {
        return dynamic_cast<Control*>(inRibbon(id));
    }
    std::optional<std::wstring> pick(const wchar_t* item) { return PickInOpenChooser(window, item); }
    static int profile(const CString& section, const wchar_t* entry) {
        return static_cast<int>(AfxGetApp()->GetProfileInt(section, entry, -12345));
    }
};

TEST(ColourWords, ATrueColourWithBlueAbove127StaysATrueColour) {
    const std::int32_t word = TrueColourWord(RGB(10, 20, 200));
    ASSERT_LT(word, 0);  // negative as an int32
    EXPECT_FALSE(IsColourIndex(word));
    EXPECT_EQ(ColourOfWord(word), RGB(10, 20, 200));
    EXPECT_EQ(ColourWordText(word), CString(L"R10 G20 B200"));
    // True black is index 0, as stored values rely on; the last index is still an index.
    EXPECT_TRUE(IsColourIndex(TrueColourWord(RGB(0, 0, 0))));
    EXPECT_EQ(ColourWordText(0), CString(L"Black"));
    EXPECT_TRUE(IsColourIndex(255));
    EXPECT_FALSE(IsColourIndex(256));

    CColorListControl list;
    list.AddItem(1);
    list.AddItem(2);
    list.SetCurSel(1);
    list.OnKeyDown(VK_DOWN);
    EXPECT_EQ(list.GetCurSel(), 1);  // Down on the last item keeps it
    list.OnKeyDown(VK_UP);
    list.OnKeyDown(VK_UP);
    EXPECT_EQ(list.GetCurSel(), 0);
}

// The arrow keys in a colour list's window move its selection without choosing: the pop-up
// stays open and the control keeps its colour until a choice.
TEST_F(Choosers, ArrowKeysInAColourListMoveItsSelectionWithoutChoosing) {
    auto* colour = control<CColorPopupControl>(904);
    ASSERT_NE(colour, nullptr);
    const std::int32_t red = 1;
    colour->SetValue(document->Cont2D(), &red);
    click(904);
    CColorSelectDialog* dialog = colour->GetDialog();
    ASSERT_TRUE(dialog && dialog->IsOpen());
    const HWND list = dialog->StandardList().GetSafeHwnd();
    ASSERT_NE(list, nullptr);
    const int before = dialog->StandardList().GetCurSel();
    ASSERT_GE(before, 0);
    ::SendMessageW(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(dialog->StandardList().GetCurSel(), before + 1);
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), before + 1) << "the window shows the move";
    ::SendMessageW(list, WM_KEYDOWN, VK_UP, 0);
    ::SendMessageW(list, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(::SendMessageW(list, LB_GETCURSEL, 0, 0), std::max(before - 1, 0));
    EXPECT_TRUE(dialog->IsOpen());
    EXPECT_EQ(*static_cast<const std::int32_t*>(colour->GetValue()), red);
}

TEST_F(Choosers, ColourPastTheBasicOnesShowsAllColoursAndKeepsShow256Stored) {
    AfxGetApp()->WriteProfileInt(kDialogSection, L"Show256", 0);
    const std::int32_t hundred = 100;
    auto* colour = control<CColorPopupControl>(904);
    ASSERT_NE(colour, nullptr);
    colour->SetValue(document->Cont2D(), &hundred);
    click(904);
    CColorSelectDialog* dialog = colour->GetDialog();
    ASSERT_TRUE(dialog && dialog->IsOpen());
    EXPECT_TRUE(no_set_focus_color_dlg);
    EXPECT_EQ(dialog->StandardList().GetCount(), 256);
    EXPECT_TRUE(dialog->IsShow256());
    EXPECT_FALSE(dialog->IsShow256Enabled());
    EXPECT_EQ(pick(L"Show256"), std::wstring(L"the check box \"Show256\" is disabled"));
    // The current colour was found among the standard ones: the user list stays empty and hides.
    EXPECT_FALSE(dialog->IsUserListVisible());
    EXPECT_EQ(DeactivateOpenChooser(window), std::nullopt);
    EXPECT_FALSE(dialog->IsOpen());
    EXPECT_FALSE(no_set_focus_color_dlg);
    EXPECT_EQ(profile(kDialogSection, L"Show256"), 0);
    EXPECT_EQ(profile(kDialogSection, L"StandartH"), -12345);
    EXPECT_EQ(profile(kDialogSection, L"UserH"), -12345);
    EXPECT_NE(profile(kDialogSection, L"Width"), -12345);
    EXPECT_EQ(*static_cast<const std::int32_t*>(colour->GetValue()), 100);  // no choice

    // A basic colour with "Show256" off: the 16 basic colours, and the check box to ask for more.
    const std::int32_t five = 5;
    colour->SetValue(document->Cont2D(), &five);
    click(904);
    ASSERT_TRUE(dialog->IsOpen());
    EXPECT_EQ(dialog->StandardList().GetCount(), 16);
    EXPECT_FALSE(dialog->IsShow256());
    EXPECT_TRUE(dialog->IsShow256Enabled());
    EXPECT_EQ(DeactivateOpenChooser(window), std::nullopt);
}

TEST_F(Choosers, CustomColoursShowOnceAndTheColourDialogSelectsAnExistingEntry) {
    const COLORREF teal = RGB(0, 90, 200);
    AfxGetApp()->WriteProfileInt(kCustomSection, L"Color0", static_cast<int>(teal));
    AfxGetApp()->WriteProfileInt(kCustomSection, L"Color3", static_cast<int>(teal));
    auto* colour = control<CColorPopupControl>(904);
    click(904);
    CColorSelectDialog* dialog = colour->GetDialog();
    ASSERT_TRUE(dialog && dialog->IsOpen());
    ASSERT_EQ(dialog->UserList().GetCount(), 1);
    EXPECT_EQ(dialog->CustomColours()[0], teal);
    EXPECT_EQ(dialog->CustomColours()[3], 0u);  // the double is cleared
    EXPECT_EQ(dialog->StandardList().GetCount(), 256);  // "Show256" defaults to 1

    // The splitter keeps both lists above 10 pixels; the height change goes to the standard list.
    const int standard = dialog->StandardList().m_height, user = dialog->UserList().m_height;
    EXPECT_FALSE(dialog->DragSplitter(user - 10));
    EXPECT_TRUE(dialog->DragSplitter(5));
    dialog->OnSize(dialog->GetSize().cx + 20, dialog->GetSize().cy + 30);
    EXPECT_EQ(dialog->StandardList().m_height, standard + 35);
    EXPECT_EQ(dialog->UserList().m_height, user - 5);
    dialog->OnSize(10, 10);
    EXPECT_EQ(dialog->GetSize().cx, 150);

    s.user().expectColour(teal);
    EXPECT_EQ(pick(CColorSelectDialog::kOtherColourText), std::nullopt);
    s.runUntilIdle();
    EXPECT_EQ(dialog->UserList().GetCount(), 1);  // selected, not added again
    EXPECT_FALSE(dialog->IsOpen());
    EXPECT_EQ(*static_cast<const std::int32_t*>(colour->GetValue()), TrueColourWord(teal));
    EXPECT_EQ(profile(kCustomSection, L"Color3"), 0);
    // Nothing selected: the colour went to the defaults, and the frame heard of it.
    EXPECT_EQ(document->GetDefaultParameters()->GetDefaultColor(false), TrueColourWord(teal));
    EXPECT_EQ(profile(kDialogSection, L"UserH"), dialog->UserList().m_height);
}

TEST_F(Choosers, APickInEitherListChoosesThatColourAndCancelChoosesNone) {
    auto* colour = control<CColorPopupControl>(904);
    const int object = s.kernel().addObject(document);
    s.kernel().select(document, {object});
    click(904);
    EXPECT_EQ(pick(L"Nothing like it"), std::wstring(L"the colour pop-up shows no \"Nothing like it\""));
    EXPECT_EQ(pick(L"Red"), std::nullopt);
    EXPECT_EQ(*static_cast<const std::int32_t*>(colour->GetValue()), 1);
    const auto written = s.kernel().objectParameter(document, object, "Color");
    ASSERT_TRUE(written && written->Get<kveval::ColorParameter>());
    EXPECT_EQ(written->Get<kveval::ColorParameter>()->color, 1);
    EXPECT_FALSE(IsChooserOpen());
    // The frame heard of the choice: the panel's twin shows it too.
    auto* twin = dynamic_cast<CColorPopupControl*>(onBar(904));
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(*static_cast<const std::int32_t*>(twin->GetValue()), 1);

    // The current colour is not among the standard ones: it joins the user list, selected. A
    // pick there wins over the standard list's remembered selection.
    const std::int32_t odd = TrueColourWord(RGB(1, 2, 3));
    colour->SetValue(nullptr, &odd);
    click(904);
    ASSERT_EQ(colour->GetDialog()->UserList().GetCount(), 1);
    EXPECT_EQ(colour->GetDialog()->UserList().GetCurSel(), 0);
    EXPECT_EQ(pick(L"Green"), std::nullopt);
    EXPECT_EQ(*static_cast<const std::int32_t*>(colour->GetValue()), 2);

    click(904);
    s.user().expectColour(std::nullopt);
    EXPECT_EQ(pick(CColorSelectDialog::kOtherColourText), std::nullopt);
    EXPECT_FALSE(IsChooserOpen());
    EXPECT_EQ(*static_cast<const std::int32_t*>(colour->GetValue()), 2);
}

TEST_F(Choosers, ANewLayerNeedsAFreshNameAndComesInOneUndoBlock) {
    auto* layer = control<CLayerPopupControl>(911);
    ASSERT_NE(layer, nullptr);
    click(911);
    ASSERT_TRUE(layer->GetDialog()->IsOpen());
    EXPECT_EQ(layer->GetDialog()->Rows(), (std::vector<int>{0, 1, -1}));
    s.user().expectPrompt(L"   ");
    EXPECT_EQ(pick(L"new"), std::nullopt);
    EXPECT_EQ(document->Cont2D()->GetLayers().size(), 2u);  // an empty name makes nothing
    EXPECT_FALSE(IsChooserOpen());

    click(911);
    s.user().expectPrompt(L"Dimensions");
    s.user().expectBox(L"A layer named \"Dimensions\" exists already.", platform::harness::Button::Ok);
    EXPECT_EQ(pick(L"new"), std::nullopt);
    EXPECT_EQ(document->Cont2D()->GetLayers().size(), 2u);

    click(911);
    s.user().expectPrompt(L" Hatching ");
    EXPECT_EQ(pick(L"new"), std::nullopt);
    ASSERT_EQ(document->Cont2D()->GetLayers().size(), 3u);
    EXPECT_EQ(document->Cont2D()->GetLayers().back().name, CString(L"Hatching"));
    EXPECT_EQ(*static_cast<const std::int32_t*>(layer->GetValue()), 2);
    EXPECT_EQ(layer->GetDrawnText(), CString(L"Hatching"));
    const auto made = calls(s);
    const long long begin = indexOf(made, L"KVDocument::start_undo_block(0, 215)");
    ASSERT_GE(begin, 0);
    EXPECT_LT(begin, indexOf(made, L"KVDocument::CreateLayer(\"Hatching\") = 2"));
    EXPECT_LT(indexOf(made, L"KVDocument::CreateLayer(\"Hatching\") = 2"), indexOf(made, L"KVDocument::end_undo_block()"));
    EXPECT_EQ(document->GetDefaultParameters()->GetDefaultLayer(false), 2);

    // Enter keeps the list open and applies the selected layer.
    click(911);
    EXPECT_EQ(layer->GetDialog()->GetSelectedRow(), 2);
    EXPECT_EQ(pick(L"Nowhere"), std::wstring(L"the layer list shows no \"Nowhere\""));
    layer->GetDialog()->OnOK();
    EXPECT_TRUE(layer->GetDialog()->IsOpen());
}

TEST_F(Choosers, AProjectionGetsOneCoordinateSystemAndThePageSystemIsMinusOne) {
    auto* lcs = control<LCSPopupControl>(912);
    ASSERT_NE(lcs, nullptr);
    EXPECT_EQ(lcs->GetDrawnText(), CString(L"PageCoordinateSystem"));
    click(912);
    LCSSelectDialog* dialog = lcs->GetDialog();
    ASSERT_TRUE(dialog && dialog->IsOpen());
    std::vector<std::wstring> rows;
    for (const auto& row : dialog->Rows()) rows.emplace_back(row.text.view());
    EXPECT_EQ(rows, (std::vector<std::wstring>{L"PageCoordinateSystem (Page 1)", L"Base", L"Front view", L"Top view",
                                                L"CreateOrSelectCoordinateSystem"}));
    EXPECT_EQ(dialog->GetSelectedRow(), 0);
    dialog->OnHotItem(1);
    EXPECT_EQ(document->Cont2D()->CoordinateSystems().GetLastFound(), dialog->Rows()[1].object);
    EXPECT_EQ(pick(L"PageCoordinateSystem (Page 1)"), std::nullopt);  // the current one: nothing
    EXPECT_TRUE(dialog->IsOpen());

    EXPECT_EQ(pick(L"Front view"), std::nullopt);
    EXPECT_FALSE(IsChooserOpen());
    EXPECT_EQ(*static_cast<const std::int32_t*>(lcs->GetValue()), 1);
    EXPECT_EQ(lcs->GetDrawnText(), CString(L"Front view"));
    const auto made = calls(s);
    EXPECT_GE(indexOf(made, L"KVDocument::start_undo_block(0, 218)"), 0);
    EXPECT_GE(indexOf(made, L"LCS::Create(page 0, type 2, \"Front view\") = 1"), 0);
    EXPECT_GE(indexOf(made, L"LCS::Show(1)"), 0);

    click(912);
    rows.clear();
    for (const auto& row : lcs->GetDialog()->Rows()) rows.emplace_back(row.text.view());
    EXPECT_EQ(rows.size(), 5u);  // the projection now shows as its coordinate system, once
    EXPECT_EQ(pick(L"PageCoordinateSystem (Page 1)"), std::nullopt);
    EXPECT_EQ(*static_cast<const std::int32_t*>(lcs->GetValue()), -1);

    // Below -1 with notify: -1, and the frame hears 2875 instead.
    lcs->SetCurrentIndex(-5, true);
    EXPECT_EQ(*static_cast<const std::int32_t*>(lcs->GetValue()), -1);
}

TEST_F(Choosers, TheMaterialControlFollowsTheBodiesAndAppliesAChoiceInOneStep) {
    s.kernel().set3DContainerMode(document, 1);
    auto* material = control<CMaterialPopup>(905);
    ASSERT_NE(material, nullptr);
    const int x = s.kernel().addObject(document), y = s.kernel().addObject(document);
    s.kernel().setObjectParameter(document, x, "Material", CString(L"Steel"));
    s.kernel().setObjectParameter(document, y, "Material", CString(L"Brass"));
    s.kernel().select(document, {});
    s.kernel().raiseParameterEvent(document, 783);
    EXPECT_FALSE(material->GetEnabled());
    s.kernel().select(document, {x, y});
    s.kernel().raiseParameterEvent(document, 783);
    EXPECT_TRUE(material->GetEnabled());
    EXPECT_TRUE(material->GetDrawnText().IsEmpty());  // two materials
    s.kernel().select(document, {x});
    s.kernel().raiseParameterEvent(document, 783);
    EXPECT_EQ(material->GetDrawnText(), CString(L"Steel"));

    s.kernel().select(document, {x, y});
    click(905);
    ASSERT_NE(material->GetChooser(), nullptr);
    EXPECT_EQ(material->GetChooser()->GetMode(), 2);
    EXPECT_GE(material->GetChooser()->GetRect().right - material->GetChooser()->GetRect().left, 280);
    EXPECT_EQ(pick(L"Oak"), std::nullopt);
    EXPECT_EQ(s.kernel().objectParameter(document, y, "Material")->Get<CString>()->view(), L"Oak");
    EXPECT_EQ(material->GetDrawnText(), CString(L"Oak"));
    // Its own event does not refresh it from the bodies again.
    EXPECT_EQ(static_cast<const MaterialRecord*>(material->GetValue())->kind, 1);
    const auto made = calls(s);
    const long long step = indexOf(made, L"UndoManager::Open(\"a.grb\", \"Material\")");
    ASSERT_GE(step, 0);
    EXPECT_LT(step, indexOf(made, L"KV3DMaterials::ApplyMaterial(\"Oak\", true, in step) = changed"));
    EXPECT_LT(indexOf(made, L"KV3DMaterials::ApplyMaterial(\"Oak\", true, in step) = changed"),
              indexOf(made, L"UndoManager::Close(\"a.grb\", true, false)"));
    EXPECT_LT(indexOf(made, L"UndoManager::Close"), indexOf(made, L"KVDocRegenContext(\"a.grb\", true, false, false)"));
    EXPECT_FALSE(material->GetChooser()->IsShown());

    // The same document reuses its chooser; an unknown material changes no body.
    KVMaterialChooser* chooser = material->GetChooser();
    click(905);
    EXPECT_EQ(material->GetChooser(), chooser);
    EXPECT_EQ(pick(L"Marble"), std::wstring(L"the material chooser lists no \"Marble\""));
    EXPECT_EQ(DeactivateOpenChooser(window), std::nullopt);
    EXPECT_FALSE(chooser->IsShown());
}

TEST_F(Choosers, TheBarDrawsTheColourSwatchAndTheLayersName) {
    CSysPanelToolbar* panel = frame->GetSysPanelToolbar();
    ASSERT_TRUE(panel && panel->GetSafeHwnd());
    auto* colour = dynamic_cast<CColorPopupControl*>(onBar(904));
    auto* layer = dynamic_cast<CLayerPopupControl*>(onBar(911));
    ASSERT_TRUE(colour && layer);
    const std::int32_t blue = 3, dimensions = 1;
    colour->SetValue(nullptr, &blue);
    layer->SetValue(document->Cont2D(), &dimensions);
    ::RedrawWindow(panel->GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const std::vector<std::wstring> lines = platform::win32::windowDrawing(panel->GetSafeHwnd());
    const RECT at = panel->GetControlRect(colour);
    const std::wstring swatch = L"FillRect " + platform::core::rectText(at.left + 2, at.top + 2, at.right - 2, at.bottom - 2);
    auto count = [&](const std::wstring& text) {
        return std::count_if(lines.begin(), lines.end(), [&](const std::wstring& line) { return line.find(text) != std::wstring::npos; });
    };
    EXPECT_EQ(count(swatch), 1) << "the swatch fills the control but 2 pixels";
    EXPECT_EQ(count(L"\"Dimensions\""), 1) << "the layer's name";
}

}  // namespace
