// The arithmetic of a picture in a view: bands, blit rectangles, allowed zooms, scroll targets.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

#include "app/image_documents/image_geometry.h"
#include "platform/win32/window/scrollbars.h"

namespace {

using namespace image_geometry;

std::vector<std::array<LONG, 4>> bandsOf(SIZE picture, SIZE client) {
    const Bands b = FreeBands(picture, client);
    std::vector<std::array<LONG, 4>> out;
    for (int i = 0; i < b.count; ++i) out.push_back({b.band[i].left, b.band[i].top, b.band[i].right, b.band[i].bottom});
    return out;
}

TEST(ImageGeometry, OnlyTheBandsThePictureLeavesFreeArePainted) {
    using Bands = std::vector<std::array<LONG, 4>>;
    EXPECT_EQ(bandsOf({40, 30}, {101, 71}), (Bands{{0, 0, 101, 20}, {0, 50, 102, 21}, {0, 20, 30, 30}, {70, 20, 30, 30}}));
    EXPECT_EQ(bandsOf({40, 90}, {100, 70}), (Bands{{0, 0, 30, 70}, {70, 0, 30, 70}}));
    EXPECT_EQ(bandsOf({140, 30}, {100, 70}), (Bands{{0, 0, 100, 20}, {0, 50, 100, 20}}));
    EXPECT_TRUE(bandsOf({140, 90}, {100, 70}).empty());
}

TEST(ImageGeometry, BlitRectanglesCentreClampAndNeverShrinkBelowAPixel) {
    int x = 0, y = 0;
    // Smaller than the client: centred, the origins take the margins.
    BlitRects r = GetBlitRects({40, 30}, {100, 70}, 1.0, x, y);
    EXPECT_EQ((std::array{r.destinationX, r.destinationY, r.destinationWidth, r.destinationHeight}), (std::array{30, 20, 40, 30}));
    EXPECT_EQ((std::array{x, y}), (std::array{30, 20}));
    // Scrolled past the end: the source keeps inside the picture.
    x = -5000;
    y = 0;
    r = GetBlitRects({300, 30}, {100, 70}, 2.0, x, y);
    EXPECT_EQ((std::array{r.sourceX, r.sourceWidth, r.destinationWidth}), (std::array{250, 50, 100}));
    // The same down a tall picture: scrolled part-way the source starts at the origin over the zoom,
    // scrolled past the end it keeps inside the picture.
    x = 0;
    y = -100;
    r = GetBlitRects({30, 300}, {70, 100}, 2.0, x, y);
    EXPECT_EQ((std::array{r.sourceY, r.sourceHeight, r.destinationHeight}), (std::array{50, 50, 100}));
    y = -5000;
    r = GetBlitRects({30, 300}, {70, 100}, 2.0, x, y);
    EXPECT_EQ((std::array{r.sourceY, r.sourceHeight, r.destinationHeight}), (std::array{250, 50, 100}));
    // A 1 x 1 picture shrunk or grown keeps sizes of at least one pixel.
    x = y = 0;
    r = GetBlitRects({1, 1}, {100, 70}, 1024.0, x, y);
    EXPECT_EQ((std::array{r.sourceX, r.sourceWidth, r.sourceHeight, r.destinationWidth}), (std::array{0, 1, 1, 100}));
    r = GetBlitRects({1, 1}, {0, 0}, 1.0, x, y);
    EXPECT_EQ((std::array{r.sourceWidth, r.destinationWidth, r.destinationHeight}), (std::array{1, 1, 1}));
}

TEST(ImageGeometry, ZoomStaysWithinItsLimitsAndTheCentreStays) {
    EXPECT_TRUE(ZoomAllowed({1, 1}, 1073741824.0));
    EXPECT_FALSE(ZoomAllowed({1, 1}, 2147483648.0));
    EXPECT_FALSE(ZoomAllowed({1, 1}, 0.5));
    EXPECT_FALSE(ZoomAllowed({4096, 4096}, 1.0 / 2048));
    EXPECT_TRUE(ZoomAllowed({4096, 4096}, 1.0 / 1024));
    // Each side is held alone, on each axis: the longer side meets the largest extent, the shorter
    // one the single pixel.
    for (const bool tall : {false, true}) {
        const auto picture = [tall](LONG longer, LONG shorter) { return tall ? SIZE{shorter, longer} : SIZE{longer, shorter}; };
        EXPECT_TRUE(ZoomAllowed(picture(2, 1), 536870912.0)) << tall;
        EXPECT_FALSE(ZoomAllowed(picture(2, 1), 1073741824.0)) << tall;
        EXPECT_TRUE(ZoomAllowed(picture(1024, 2), 0.5)) << tall;
        EXPECT_FALSE(ZoomAllowed(picture(1024, 1), 0.5)) << tall;
    }
    EXPECT_EQ(OriginAfterZoom(-100, 50, 1.0, 2.0), 50 - 300);
    EXPECT_EQ(OriginAfterZoom(-250, 50, 2.0, 1.0), 50 - 150);
    // However far out, the origin stays a 32-bit number.
    EXPECT_EQ(OriginAfterZoom(-2000000000, 0, 1.0, 2.0), std::numeric_limits<int>::min());
}

TEST(ImageGeometry, ScrollRequestsStepAndStopAtBothEnds) {
    // Range 1..1000, page 200: line steps of 20, positions 0..800.
    EXPECT_EQ(ScrollTarget(SB_LINEDOWN, 1, 0, 200, 1000, 0), 21);
    EXPECT_EQ(ScrollTarget(SB_LINEUP, 10, 10, 200, 1000, 0), 0);
    EXPECT_EQ(ScrollTarget(SB_PAGEDOWN, 700, 700, 200, 1000, 0), 800);
    EXPECT_EQ(ScrollTarget(SB_THUMBTRACK, 1, 0, 200, 1000, 512), 512);
    EXPECT_EQ(ScrollTarget(SB_ENDSCROLL, 1, 0, 200, 1000, 0), 0);  // the view stays at its start
    EXPECT_EQ(ScrollTarget(SB_LINEDOWN, 1, 0, 5, 1000, 0), 2);      // a step is at least 1
    EXPECT_EQ(ScrollTarget(SB_PAGEDOWN, 1, 0, 2000, 1000, 0), 0);   // the page covers the range
}

}  // namespace
