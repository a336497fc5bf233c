// What the main window takes when something is dragged onto it: libraries and library groups for
// the documents menu, nothing else.
#include "documentsmenu/drag_formats.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;

class MainWindowDrop : public mainframetest::RunningFrameTest {
protected:
    // Drags `format` with a block of identifiers onto the frame's window; the effect of the drop.
    DROPEFFECT DropOnFrame(CLIPFORMAT format) {
        COleDataSource source;
        source.CacheGlobalData(format, DocumentsMenu::MakeGlobalBlock(DocumentsMenu::MakeIdentifierList({GUID{1, 2, 3, {}}})));
        s.user().expectDragChoose(window, POINT{5, 5}, false, L"1 5,5");
        const DROPEFFECT effect = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
        s.runUntilIdle();
        return effect;
    }
};

TEST_F(MainWindowDrop, LibrariesAndGroupsAreTakenAndOtherDataIsRefused) {
    EXPECT_EQ(DropOnFrame(DocumentsMenu::LibraryFormat()), DROPEFFECT_MOVE);
    EXPECT_EQ(DropOnFrame(DocumentsMenu::LibrariesGroupFormat()), DROPEFFECT_MOVE);
    EXPECT_EQ(DropOnFrame(DocumentsMenu::PreferredDropEffectFormat()), DROPEFFECT_NONE);
}

}  // namespace
