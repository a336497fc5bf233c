// What a main frame shows, as a user would see it on a screen: the frame's client split among
// the ribbon, the bars, the docked panes, the status line and the documents without overlaps,
// pane windows inside their panes, ribbon controls side by side, and a picture of it all whose
// regions are where the layout says.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/harness/screen_layout.h"
#include "platform/kvgc/picture_codec.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

constexpr std::wstring_view kPicture = L"C:\\Work\\Quarters.png";
constexpr std::wstring_view kBehind = L"C:\\Work\\Behind.png";
constexpr unsigned kFileOpen = 0xE101;

bool Overlap(const RECT& a, const RECT& b) {
    return std::max(a.left, b.left) < std::min(a.right, b.right) && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right && inner.bottom <= outer.bottom;
}

const Place* Find(const Place& place, const std::function<bool(const Place&)>& wanted) {
    if (wanted(place)) return &place;
    for (const Place& child : place.children)
        if (const Place* found = Find(child, wanted)) return found;
    return nullptr;
}

const Place* WindowOfClass(const Place& place, std::wstring_view className) {
    return Find(place, [&](const Place& p) { return p.kind == Place::Kind::Window && p.className == className; });
}

const Place* ControlPlace(const Place& place, long long id) {
    return Find(place, [&](const Place& p) { return p.kind == Place::Kind::Control && p.id == id; });
}

class ScreenLayout : public SessionTest {
protected:
    void StartWithPicture() {
        s.files().writePicture(kPicture, 200, 100);  // a colour per quarter
        s.files().writePicture(kBehind, 10, 10);
        s.start();
        s.runUntilIdle();
        frame = s.inspect().mainFrames().at(0);
        for (std::wstring_view path : {kBehind, kPicture}) {
            s.user().expectFileChoose(std::wstring(path));
            s.user().command(frame, kFileOpen);
            s.runUntilIdle();
        }
    }
    Session s;
    HWND frame = nullptr;
};

TEST_F(ScreenLayout, TheFrameIsSplitAmongItsBarsPanesStatusLineAndDocumentsWithoutOverlaps) {
    StartWithPicture();
    const Place layout = frameLayout(frame);
    const RECT client = layout.client;
    std::vector<const Place*> windows;
    for (const Place& child : layout.children)
        if (child.kind == Place::Kind::Window) windows.push_back(&child);
    ASSERT_GE(windows.size(), 5u);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        EXPECT_TRUE(Inside(windows[i]->rect, client)) << windows[i]->className;
        for (std::size_t j = i + 1; j < windows.size(); ++j)
            EXPECT_FALSE(Overlap(windows[i]->rect, windows[j]->rect))
                << windows[i]->className << " " << windows[j]->className;
    }

    const Place* ribbon = WindowOfClass(layout, L"XTPRibbon");
    const Place* status = WindowOfClass(layout, L"XTPStatusBar");
    const Place* documents = WindowOfClass(layout, L"MDICLIENT");
    const Place* pane = WindowOfClass(layout, L"XTPDockingPaneTabbedContainer");
    ASSERT_TRUE(ribbon && status && documents && pane);
    EXPECT_EQ(ribbon->rect.top, client.top);
    EXPECT_EQ(ribbon->rect.right - ribbon->rect.left, client.right - client.left) << "the ribbon spans the frame";
    EXPECT_EQ(status->rect.bottom, client.bottom);
    // The docked pane group stands at its side at its docked width, the documents take the rest.
    EXPECT_EQ(pane->rect.left, client.left);
    EXPECT_EQ(pane->rect.right - pane->rect.left, 300);
    EXPECT_EQ(documents->rect.left, pane->rect.right);
    EXPECT_EQ(pane->rect.bottom, status->rect.top);
    // The document windows fill what the tabs leave; one behind another shows nothing.
    std::vector<const Place*> documentWindows;
    for (const Place& child : documents->children)
        if (child.kind == Place::Kind::Window) documentWindows.push_back(&child);
    ASSERT_EQ(documentWindows.size(), 1u);
    EXPECT_EQ(documentWindows.front()->rect.bottom, documents->rect.bottom);

    // The pane's window fills its pane between the caption and the group's tabs.
    const Place* caption = Find(*pane, [](const Place& p) { return p.kind == Place::Kind::PaneCaption; });
    const Place* window = Find(*pane, [&](const Place& p) { return p.kind == Place::Kind::Window && &p != pane; });
    std::vector<const Place*> tabs;
    for (const Place& child : pane->children)
        if (child.kind == Place::Kind::PaneTab) tabs.push_back(&child);
    ASSERT_TRUE(caption && window);
    ASSERT_GE(tabs.size(), 2u) << "the model group shares one pane";
    EXPECT_EQ(window->rect.top, caption->rect.bottom);
    EXPECT_EQ(window->rect.bottom, tabs.front()->rect.top);
    EXPECT_EQ(window->rect.right - window->rect.left, pane->rect.right - pane->rect.left);
    EXPECT_EQ(std::count_if(tabs.begin(), tabs.end(), [](const Place* t) { return t->selected; }), 1);
    for (std::size_t i = 1; i < tabs.size(); ++i) EXPECT_EQ(tabs[i]->rect.left, tabs[i - 1]->rect.right);

    // Ribbon controls stand side by side in their group, the edit windows on their controls.
    const Place* level = ControlPlace(*ribbon, 907);
    const Place* priority = ControlPlace(*ribbon, 909);
    ASSERT_TRUE(level && priority);
    EXPECT_FALSE(Overlap(level->rect, priority->rect));
    const Place* group = Find(*ribbon, [&](const Place& p) {
        return p.kind == Place::Kind::RibbonGroup && Find(p, [&](const Place& c) { return &c == level; });
    });
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(Inside(priority->rect, group->rect));
    const Place* levelEdit = Find(*ribbon, [](const Place& p) { return p.className == L"EDIT" && p.rect.left != 0; });
    ASSERT_NE(levelEdit, nullptr);
    EXPECT_TRUE(Inside(levelEdit->rect, level->rect)) << "an edit window stands on its control";
}

TEST_F(ScreenLayout, AClosedPaneLeavesItsGroupToTheOthersAndTheDocumentsKeepTheirPlace) {
    StartWithPicture();
    const Place before = frameLayout(frame);
    const RECT documents = WindowOfClass(before, L"MDICLIENT")->rect;
    ASSERT_FALSE(s.user().paneAction(frame, 1004, User::PaneAction::Close));
    s.runUntilIdle();
    const Place after = frameLayout(frame);
    std::vector<const Place*> panes;
    for (const Place& child : after.children)
        if (child.className == L"XTPDockingPaneTabbedContainer") panes.push_back(&child);
    ASSERT_EQ(panes.size(), 1u) << "one pane of the group shows";
    EXPECT_NE(panes.front()->text, L"Documents");
    EXPECT_EQ(WindowOfClass(after, L"MDICLIENT")->rect.left, documents.left);
    for (const Place& child : panes.front()->children) {
        if (child.kind == Place::Kind::PaneTab) {
            EXPECT_NE(child.id, 1004);
        }
    }
}

// The frame's snapshot, decoded (`picture` stays empty when it cannot be read).
void SnapshotOf(platform::harness::Session& s, HWND frame, const char* name,
                std::optional<platform::kvgc::Picture>& picture) {
    const std::filesystem::path path = std::filesystem::path(s.hostRoot()).parent_path() / name;
    ASSERT_FALSE(s.inspect().snapshot(frame, path.string()));
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    if (auto decoded = platform::kvgc::decodePicture(bytes, L".png")) picture = std::move(*decoded);
}

std::uint32_t PixelAt(const platform::kvgc::Picture& picture, long x, long y) {
    return picture.pixels[static_cast<std::size_t>(y) * picture.width + x] & 0xFFFFFF;
}

TEST_F(ScreenLayout, ASnapshotDrawsEachRegionWhereTheLayoutPutsIt) {
    StartWithPicture();
    std::optional<platform::kvgc::Picture> picture;
    ASSERT_NO_FATAL_FAILURE(SnapshotOf(s, frame, "screen-layout-snapshot.png", picture));
    ASSERT_TRUE(picture);
    const Place layout = frameLayout(frame);
    ASSERT_EQ(picture->width, layout.rect.right);
    ASSERT_EQ(picture->height, layout.rect.bottom);

    const Place* ribbon = WindowOfClass(layout, L"XTPRibbon");
    const Place* status = WindowOfClass(layout, L"XTPStatusBar");
    const Place* caption = Find(layout, [](const Place& p) { return p.kind == Place::Kind::PaneCaption; });
    const Place* tab = Find(layout, [](const Place& p) { return p.kind == Place::Kind::DocumentTab && p.selected; });
    ASSERT_TRUE(ribbon && status && caption && tab);
    EXPECT_EQ(PixelAt(*picture, ribbon->rect.right - 100, ribbon->rect.top + 36), 0xDFE9F5u) << "the ribbon's tab row";
    EXPECT_EQ(PixelAt(*picture, status->rect.left + 3, status->rect.top + 3), 0x2B579Au) << "the status line";
    EXPECT_EQ(PixelAt(*picture, caption->rect.right - 3, caption->rect.top + 3), 0x3C5A8Cu) << "a pane's caption";
    EXPECT_EQ(PixelAt(*picture, tab->rect.left + 2, tab->rect.top + 2), 0xFFFFFFu) << "the selected document tab";

    // The picture document's pixels show in its window, each quarter whole, and nowhere else.
    const Place* view = Find(layout, [](const Place& p) {
        return p.kind == Place::Kind::Window && p.className == L"AfxFrameOrView" && p.children.empty();
    });
    ASSERT_NE(view, nullptr);
    for (const std::uint32_t colour : {0xC03020u, 0x30A040u, 0x2050C0u, 0xE0C020u}) {
        long inside = 0, outside = 0;
        for (long y = 0; y < picture->height; ++y)
            for (long x = 0; x < picture->width; ++x) {
                if (PixelAt(*picture, x, y) != colour) continue;
                const bool in = x >= view->client.left && x < view->client.right && y >= view->client.top && y < view->client.bottom;
                (in ? inside : outside) += 1;
            }
        EXPECT_EQ(inside, 100 * 50) << std::hex << colour;
        EXPECT_EQ(outside, 0) << std::hex << colour;
    }
}

// A read-only drawing's tab shows the read-only mark after its icon, in the room its tab keeps
// for it; another drawing's tab shows none.
TEST_F(ScreenLayout, AReadOnlyDrawingsTabShowsTheReadOnlyMark) {
    constexpr std::wstring_view kLocked = L"C:\\Work\\locked.grb", kOpen = L"C:\\Work\\open.grb";
    s.kernel().writeDocumentFile(kLocked);
    s.kernel().writeDocumentFile(kOpen);
    s.start();
    s.runUntilIdle();
    frame = s.inspect().mainFrames().at(0);
    const auto open = [&](std::wstring_view path) {
        s.user().expectFileChoose(std::wstring(path));
        s.user().command(frame, kFileOpen);
        s.runUntilIdle();
    };
    open(kLocked);
    s.kernel().setReadOnly(Korvo::DocumentManager::Instance().GetDocuments().at(0), true);
    open(kOpen);

    std::optional<platform::kvgc::Picture> picture;
    ASSERT_NO_FATAL_FAILURE(SnapshotOf(s, frame, "read-only-mark.png", picture));
    ASSERT_TRUE(picture);
    const Place layout = frameLayout(frame);
    std::vector<const Place*> tabs;
    const auto collect = [&](const auto& self, const Place& place) -> void {
        if (place.kind == Place::Kind::DocumentTab) tabs.push_back(&place);
        for (const Place& child : place.children) self(self, child);
    };
    collect(collect, layout);
    ASSERT_EQ(tabs.size(), 2u);
    const auto markPixels = [&](const Place& tab) {
        long count = 0;
        for (long y = tab.rect.top; y < tab.rect.bottom; ++y)
            for (long x = tab.rect.left; x < tab.rect.right; ++x) count += PixelAt(*picture, x, y) == 0xC08000u ? 1 : 0;
        return count;
    };
    const Place& locked = tabs[0]->text.find(L"locked") != std::wstring::npos ? *tabs[0] : *tabs[1];
    const Place& other = &locked == tabs[0] ? *tabs[1] : *tabs[0];
    // The padlock's body is 10 by 8 pixels; the tab's words are drawn over part of it.
    EXPECT_GT(markPixels(locked), 0);
    EXPECT_LE(markPixels(locked), 10 * 8);
    EXPECT_EQ(markPixels(other), 0);
    EXPECT_EQ(PixelAt(*picture, other.rect.left + 2, other.rect.top + 2), 0xFFFFFFu) << "the selected tab's ground";
}

}  // namespace
