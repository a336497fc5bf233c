// The arithmetic of showing a picture in a view at a zoom factor: the zoomed size, which zoom
// factors are allowed, where the picture stays put when the zoom changes, and which part of the
// picture lands where in the view. Every conversion to an integer truncates toward zero.
#pragma once

#include "platform/win32/types.h"

namespace image_geometry {

// The smallest zoom factor a view takes (2^-10).
inline constexpr double kMinimumZoom = 1.0 / 1024;
// The largest zoomed width or height (2^30): the view's coordinates stay inside 32 bits.
inline constexpr double kMaximumZoomedExtent = 1073741824.0;

// trunc(extent * zoom).
int Zoomed(int extent, double zoom);

// Whether the picture may be shown at `zoom`: the zoom is at least the floor and the zoomed width
// and height lie in [1, 2^30].
bool ZoomAllowed(SIZE picture, double zoom);

// The origin after a zoom change so that the picture point at `centre` stays there:
// centre − trunc((centre − origin) · newZoom / oldZoom), kept inside 32 bits.
int OriginAfterZoom(int origin, int centre, double oldZoom, double newZoom);

struct BlitRects {
    int destinationX = 0, destinationY = 0, destinationWidth = 0, destinationHeight = 0;
    int sourceX = 0, sourceY = 0, sourceWidth = 0, sourceHeight = 0;
};

// The destination rectangle in a client area of `client` size and the source rectangle in the
// picture. A zoomed picture smaller than the client in a direction is centred, and that
// direction's origin becomes the centring margin.
BlitRects GetBlitRects(SIZE picture, SIZE client, double zoom, int& originX, int& originY);

// The bands of the client area the picture leaves free, as (x, y, width, height) rectangles in
// RECT's fields (left = x, top = y, right = width, bottom = height); none when the picture covers
// the client in both directions.
struct Bands {
    RECT band[4]{};
    int count = 0;
};
Bands FreeBands(SIZE zoomedPicture, SIZE client);

// The new scroll position for a scroll request: line and page steps count from the bar's
// `position`, a tenth of the page (at least 1) or a page; the thumb codes go to `thumbPosition`;
// other codes (the end of a scroll) keep the view where it is (`viewPosition`: the bar's range
// starts at 1, so its position can't say that the view is at 0). The
// result lies in [0, maximum − page] (0 when the page covers the range).
int ScrollTarget(int code, int position, int viewPosition, int page, int maximum, int thumbPosition);

}  // namespace image_geometry
