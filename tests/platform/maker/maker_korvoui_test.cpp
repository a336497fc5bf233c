// The UI library's pieces the shell builds on: the layout reader faced with bad files, the main
// frame's selection-filter bookkeeping, and the selection buttons.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/korvoui.h"
#include "platform/win32/files/file.h"

namespace {

using Korvo::UI::XML::Element;

void Write(const wchar_t* path, const std::string& bytes) {
    ASSERT_EQ(platform::files::createDirectories(L"C:\\Layouts"), 0u);
    ASSERT_EQ(platform::files::writeAllAtomic(path, bytes), 0u);
}

bool WarnedAbout(const std::wstring& text) { return platform::core::journal().find("warning", text) >= 0; }

TEST(MakerLayoutReader, BadFilesAreRejectedNamingFileAndLine) {
    Write(L"C:\\Layouts\\unclosed.xml", "<MainWindow>\n  <ToolBar id=\"1\">\n    <Button id=\"2\">\n  </ToolBar>\n");
    Write(L"C:\\Layouts\\empty.xml", "");
    Write(L"C:\\Layouts\\text.xml", "just words\n");
    Write(L"C:\\Layouts\\attribute.xml", "<MainWindow>\n\n<ToolBar id=1/>\n</MainWindow>");
    EXPECT_EQ(Element::loadFile(L"C:\\Layouts\\unclosed.xml"), nullptr);
    EXPECT_TRUE(WarnedAbout(L"C:\\Layouts\\unclosed.xml(4)"));
    EXPECT_EQ(Element::loadFile(L"C:\\Layouts\\attribute.xml"), nullptr);
    EXPECT_TRUE(WarnedAbout(L"C:\\Layouts\\attribute.xml(3)"));
    EXPECT_EQ(Element::loadFile(L"C:\\Layouts\\empty.xml"), nullptr);
    EXPECT_TRUE(WarnedAbout(L"C:\\Layouts\\empty.xml(1)"));
    EXPECT_EQ(Element::loadFile(L"C:\\Layouts\\text.xml"), nullptr);
    EXPECT_TRUE(WarnedAbout(L"C:\\Layouts\\text.xml("));  // the line where the text ends
    EXPECT_EQ(Element::loadFile(L"C:\\Layouts\\missing.xml"), nullptr);
    EXPECT_TRUE(WarnedAbout(L"C:\\Layouts\\missing.xml: cannot be read"));
    EXPECT_EQ(Element::loadFile(nullptr), nullptr);

    // A default layout whose root is something else altogether is refused and leaves no bars.
    Write(L"C:\\Layouts\\other.xml", "<Settings><Colour/></Settings>");
    Korvo::UI::MainFrameState state;
    EXPECT_FALSE(state.loadDefault(L"C:\\Layouts\\other.xml", Korvo::VersionNumber(18, 0, 0, 0)));
    EXPECT_TRUE(WarnedAbout(L"C:\\Layouts\\other.xml(1): no \"MainWindow\" element"));
    EXPECT_EQ(state.menuBar, nullptr);
    EXPECT_TRUE(state.toolBars.empty());
}

TEST(MakerLayoutReader, TextsSurviveTheRoundTripThroughXml) {
    // Markup characters, non-Latin text and an attribute order of the file's own.
    Write(L"C:\\Layouts\\texts.xml",
          "<MainWindow z=\"1\" a=\"2\">\n"
          "  <ToolBar id=\"7\" caption=\"Draw &amp; edit &lt;2D&gt;\">"
          "<Button id=\"3\" tooltip=\"&quot;Line&quot; \xD0\x9B\xD0\xB8\xD0\xBD\xD0\xB8\xD1\x8F\"/></ToolBar>\n"
          "</MainWindow>\n");
    const auto root = Element::loadFile(L"C:\\Layouts\\texts.xml");
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(root->attributes().size(), 2u);
    EXPECT_EQ(root->attributes()[0].first, L"z");
    const auto bar = root->child(L"ToolBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->attribute(L"caption", L""), L"Draw & edit <2D>");
    EXPECT_EQ(bar->attribute(L"missing"), nullptr);
    EXPECT_EQ(bar->attribute(L"missing", L"fallback"), L"fallback");
    ASSERT_EQ(bar->children().size(), 1u);
    EXPECT_EQ(bar->children()[0]->attribute(L"tooltip", L""), L"\"Line\" \x041B\x0438\x043D\x0438\x044F");

    // What toXml writes reads back the same.
    Write(L"C:\\Layouts\\again.xml", platform::core::toUtf8(root->toXml()));
    const auto again = Element::loadFile(L"C:\\Layouts\\again.xml");
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->toXml(), root->toXml());

    // Removing children by name leaves the others in order; a missing name removes nothing.
    Element parent(L"P");
    parent.addChild(L"A");
    parent.addChild(L"B");
    parent.addChild(L"A");
    parent.removeChildren(L"C");
    EXPECT_EQ(parent.children().size(), 3u);
    parent.removeChildren(L"A");
    ASSERT_EQ(parent.children().size(), 1u);
    EXPECT_EQ(parent.children()[0]->name(), L"B");
    EXPECT_EQ(parent.child(L"A"), nullptr);
    // Setting an attribute again replaces its value in place.
    parent.setAttribute(L"x", L"1");
    parent.setAttribute(L"y", L"2");
    parent.setAttribute(L"x", L"3");
    ASSERT_EQ(parent.attributes().size(), 2u);
    EXPECT_EQ(parent.attributes()[0], (std::pair<std::wstring, std::wstring>{L"x", L"3"}));
}

TEST(MakerLayoutReader, EachAttributeReadsWhollyItsOwnWhateverCameBefore) {
    // Long then short, non-Latin between Latin, empty last: no text carries over into the next.
    const auto root = Element::parse(
        L"<Bar longName=\"a rather long value of many letters\" n=\"s\" \x0438\x043C\x044F=\"\x0414\x0430\" "
        L"after=\"ok\" empty=\"\"><Item id=\"1\"/><Item id=\"22\" caption=\"\x00E9t\x00E9\"/></Bar>",
        L"reuse.xml");
    ASSERT_NE(root, nullptr);
    using Attributes = std::vector<std::pair<std::wstring, std::wstring>>;
    EXPECT_EQ(root->attributes(), (Attributes{{L"longName", L"a rather long value of many letters"},
                                              {L"n", L"s"},
                                              {L"\x0438\x043C\x044F", L"\x0414\x0430"},
                                              {L"after", L"ok"},
                                              {L"empty", L""}}));
    ASSERT_EQ(root->children().size(), 2u);
    EXPECT_EQ(root->children()[0]->attributes(), (Attributes{{L"id", L"1"}}));
    EXPECT_EQ(root->children()[1]->attributes(), (Attributes{{L"id", L"22"}, {L"caption", L"\x00E9t\x00E9"}}));
}

TEST(MakerLayoutReader, ControlTypeNamesGoBothWays) {
    for (const wchar_t* name : {L"Button", L"Popup", L"ButtonPopup", L"SplitButtonPopup", L"Edit", L"ComboBox",
                                L"Label", L"CheckBox"}) {
        const XTPControlType type = Korvo::UI::XML::ControlTypeFromName(name);
        EXPECT_NE(type, xtpControlError) << platform::core::toUtf8(name);
        EXPECT_EQ(Korvo::UI::XML::ControlTypeName(type), name);
    }
    EXPECT_EQ(Korvo::UI::XML::ControlTypeFromName(L"button"), xtpControlError);
    EXPECT_EQ(Korvo::UI::XML::ControlTypeFromName(L""), xtpControlError);
    EXPECT_EQ(Korvo::UI::XML::TagNameToPopupType(L"Button"), xtpControlPopup);
}

// A main frame without a window: the selection-filter bookkeeping needs none.
class BareFrame : public Korvo::UI::MainFrame {
public:
    CFrameWnd* AsWindow() override { return nullptr; }
    const CFrameWnd* AsWindow() const override { return nullptr; }
};

TEST(MakerFramesInterface, SelectionFilterButtonsKeepTheirStateByIdAndByName) {
    BareFrame frame;
    EXPECT_EQ(frame.GetSelectionFilterSet(), -1);
    EXPECT_EQ(frame.GetSelectionFilterButtonState(2701), 0);  // unknown: neutral, and not made
    EXPECT_TRUE(frame.GetSelectionFilterButtons().empty());

    frame.BeginSelectionFilterConfiguration();
    frame.BeginSelectionFilterConfiguration();
    frame.ShowSelectionFilterButton(2701, true);
    frame.SetSelectionFilterButtonState(2701, 2);
    frame.SetSelectionFilterButtonIconAndToolTip(2701, L"C:\\Icons\\point.ico", L"Points");
    frame.SetSelectionFilterButtonIconAndToolTip(2701, 4132, nullptr);  // the icon id replaces the path
    frame.EndSelectionFilterConfiguration();
    EXPECT_TRUE(frame.IsConfiguringSelectionFilters());
    frame.EndSelectionFilterConfiguration();
    frame.EndSelectionFilterConfiguration();  // unbalanced: stays closed
    EXPECT_FALSE(frame.IsConfiguringSelectionFilters());
    frame.BeginSelectionFilterConfiguration();
    EXPECT_TRUE(frame.IsConfiguringSelectionFilters());

    const auto& point = frame.GetSelectionFilterButtons().at(2701);
    EXPECT_TRUE(point.visible);
    EXPECT_EQ(point.state, 2);
    EXPECT_EQ(point.icon, 4132);
    EXPECT_EQ(point.iconPath, L"");
    EXPECT_EQ(point.tooltip, L"");

    // Named buttons get ids of their own after every numbered one (past the 16-bit command ids),
    // and a name keeps its id.
    frame.SetSelectionFilterButtonState(L"Welds", 1);
    frame.SetSelectionFilterButtonProperties(L"Bolts", 0x10);
    frame.SetSelectionFilterButtonProperties(L"Welds", 0x20);
    std::set<int> namedIds;
    for (const auto& [id, button] : frame.GetSelectionFilterButtons())
        if (!Korvo::UI::IsFilterButtonId(id)) namedIds.insert(id);
    EXPECT_EQ(namedIds.size(), 2u);
    for (int id : namedIds) EXPECT_GT(id, 0xFFFF);
    EXPECT_EQ(frame.GetSelectionFilterButtons().rbegin()->first, *namedIds.rbegin());
    int weldId = 0;
    for (const auto& [id, button] : frame.GetSelectionFilterButtons())
        if (button.state == 1) weldId = id;
    ASSERT_NE(weldId, 0);
    EXPECT_EQ(frame.GetSelectionFilterButtons().at(weldId).properties, 0x20u);

    frame.HideAllSelectionFilterButtons();
    for (const auto& [id, button] : frame.GetSelectionFilterButtons()) EXPECT_FALSE(button.visible) << id;
    EXPECT_EQ(frame.GetSelectionFilterButtonState(2701), 2);  // hiding keeps the state

    // Layout locks nest and never go below zero.
    frame.UnlockLayout();
    frame.LockLayout();
    frame.LockLayout();
    frame.UnlockLayout();
    EXPECT_EQ(frame.GetLayoutLockCount(), 1);
    // A frame without a window has no child frame, and hiding its popup bar is harmless.
    frame.HidePopupToolbar();
    frame.ViewActivated(nullptr);
    EXPECT_EQ(frame.GetLastActivatedView(), nullptr);
}

TEST(MakerSelectionButtons, TheBuiltInListHasUniqueFilterIds) {
    std::set<int> ids;
    int visits = 0;
    Korvo::UI::ForEachBuiltinFilterButton([&](int id, GRTypes, unsigned icon, const CString&, bool builtIn) {
        ++visits;
        EXPECT_TRUE(Korvo::UI::IsFilterButtonId(id)) << id;
        EXPECT_NE(icon, 0u) << id;
        EXPECT_TRUE(builtIn);
        EXPECT_TRUE(ids.insert(id).second) << "id " << id << " twice";
    });
    EXPECT_EQ(visits, Korvo::UI::GetBuiltinFilterButtonCount());
    EXPECT_FALSE(Korvo::UI::IsFilterButtonId(Korvo::UI::kFirstFilterButtonId - 1));
    EXPECT_FALSE(Korvo::UI::IsFilterButtonId(Korvo::UI::kLastFilterButtonId + 1));

    std::set<int> geometric;
    for (const auto& info : Korvo::UI::GetGeometricTypes()) {
        EXPECT_TRUE(geometric.insert(info.id).second) << info.id;
        EXPECT_FALSE(Korvo::UI::IsFilterButtonId(info.id)) << info.id;
        EXPECT_NE(info.icon, info.allIcon);
    }
}

TEST(MakerSelectionButtons, AFilterButtonGoesBackToTheDefaultsItSavedAndCopiesThem) {
    Korvo::UI::SelectionFilterButton button(2703, true);
    button.SetIconId(4137);
    button.SetTooltip(L"Circles");
    button.SaveDefaultIconAndToolTip();
    button.SetIconId(9999);
    button.SetTooltip(L"Something else");
    button.ResetIconAndToolTip();
    EXPECT_EQ(button.GetIconId(), 4137);
    EXPECT_EQ(button.GetTooltip(), L"Circles");

    Korvo::UI::SelectionFilterButton copy;
    copy.Copy(&button);
    EXPECT_TRUE(copy.IsBuiltIn());
    EXPECT_EQ(copy.GetID(), 2703);
    EXPECT_EQ(copy.GetDefaultIconId(), 4137);
    EXPECT_EQ(copy.GetDefaultTooltip(), L"Circles");
    // Copying from a plain button keeps the button's own defaults.
    CXTPControlButton plain;
    plain.SetID(55);
    copy.Copy(&plain);
    EXPECT_EQ(copy.GetDefaultIconId(), 4137);

    // A geometric type's icon follows its state; a null state changes nothing.
    const auto& lines = Korvo::UI::GetGeometricTypes()[1];
    Korvo::UI::GeometricTypePopupButton geometric(lines, nullptr);
    EXPECT_FALSE(geometric.IsVisible());
    EXPECT_EQ(geometric.GetIconId(), static_cast<int>(lines.icon));
    TGeomClass all;
    all.state = 2;
    geometric.SetState(&all, true);
    geometric.SetState(nullptr, true);
    geometric.UpdateIconId();
    EXPECT_EQ(geometric.GetIconId(), static_cast<int>(lines.allIcon));

    // The icon loader gives an image manager each icon once and ignores nothing to load.
    CXTPImageManager images;
    Korvo::UI::SelectionFilterToolBar::LoadIconW(&images, 4137, GR_CIRCLE);
    Korvo::UI::SelectionFilterToolBar::LoadIconW(&images, 4137, GR_CIRCLE);
    Korvo::UI::SelectionFilterToolBar::LoadIconW(&images, 0, GR_CIRCLE);
    Korvo::UI::SelectionFilterToolBar::LoadIconW(nullptr, 4137, GR_CIRCLE);
    EXPECT_NE(images.Lookup(4137, 16), nullptr);
}

}  // namespace

TEST(MakerSelectionButtons, TheToolBarKeepsPanelOnesControlsBeforePanelTwosAndClearsOnePanel) {
    Korvo::UI::SelectionFilterToolBar bar;
    const auto add = [&](int id, int panel, bool active) {
        auto* control = new CXTPControlButton();
        control->SetID(id);
        bar.AddControl(control, panel, active);
        return control;
    };
    add(21, 2, false);
    CXTPControl* first = add(11, 1, true);
    add(12, 1, false);
    add(22, 2, false);
    CXTPControls* controls = bar.GetControls();
    ASSERT_EQ(controls->GetCount(), 4);
    const int order[] = {11, 12, 21, 22};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(controls->GetAt(i)->GetID(), order[i]);
    EXPECT_EQ(bar.GetPanelOf(first), 1);
    EXPECT_TRUE(bar.WasAddedInActiveFrame(first));
    EXPECT_FALSE(bar.WasAddedInActiveFrame(controls->GetAt(1)));

    bar.RemoveAllControls(2);
    ASSERT_EQ(controls->GetCount(), 2);
    EXPECT_EQ(controls->GetAt(1)->GetID(), 12);
    EXPECT_EQ(bar.GetPanelOf(controls->GetAt(1)), 1);
    bar.SetTrackingMode(true);
    EXPECT_TRUE(bar.IsTrackingMode());
}

TEST(MakerSelectionButtons, AGeometricTypeButtonShowsForThePickAndItsIconFollowsTheState) {
    const Korvo::UI::GeometricTypeButtonInfo& info = Korvo::UI::GetGeometricTypes()[3];
    Korvo::UI::GeometricTypePopupButton button(info, nullptr);
    EXPECT_FALSE(button.IsVisible());
    const TGeomClass all{2};
    button.SetState(&all, true);
    EXPECT_TRUE(button.IsVisible());
    EXPECT_EQ(button.GetIconId(), static_cast<int>(info.allIcon));
    button.SetState(nullptr, false);  // the state stays, the button hides
    EXPECT_FALSE(button.IsVisible());
    EXPECT_EQ(button.GetState().state, 2);
}
