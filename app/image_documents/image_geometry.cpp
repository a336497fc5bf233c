#include "app/image_documents/image_geometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/win32/window/scrollbars.h"

namespace image_geometry {

namespace {

int clampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

int Zoomed(int extent, double zoom) {
    const double zoomed = static_cast<double>(extent) * zoom;
    // Allowed zooms keep this inside 32 bits; the clamp guards callers that skip the check.
    return clampToInt(static_cast<std::int64_t>(std::clamp(zoomed, -kMaximumZoomedExtent * 2, kMaximumZoomedExtent * 2)));
}

bool ZoomAllowed(SIZE picture, double zoom) {
    if (!(zoom >= kMinimumZoom)) return false;
    const double width = static_cast<double>(picture.cx) * zoom, height = static_cast<double>(picture.cy) * zoom;
    return width >= 1 && height >= 1 && width <= kMaximumZoomedExtent && height <= kMaximumZoomedExtent;
}

int OriginAfterZoom(int origin, int centre, double oldZoom, double newZoom) {
    const double moved = (static_cast<double>(centre) - origin) * (newZoom / oldZoom);
    const double bounded = std::clamp(moved, -4.0 * kMaximumZoomedExtent, 4.0 * kMaximumZoomedExtent);
    return clampToInt(std::int64_t{centre} - static_cast<std::int64_t>(bounded));
}

BlitRects GetBlitRects(SIZE picture, SIZE client, double zoom, int& originX, int& originY) {
    const int cw = client.cx, ch = client.cy;
    const int sw = Zoomed(picture.cx, zoom), sh = Zoomed(picture.cy, zoom);
    BlitRects r;
    if (sw < cw) originX = r.destinationX = (cw - sw) / 2;
    if (sh < ch) originY = r.destinationY = (ch - sh) / 2;
    if (cw < sw) r.sourceX = std::max(0, -static_cast<int>(originX / zoom));
    if (ch < sh) r.sourceY = std::max(0, -static_cast<int>(originY / zoom));
    r.sourceWidth = std::max(1, static_cast<int>(std::min(cw, sw) / zoom));
    r.sourceHeight = std::max(1, static_cast<int>(std::min(ch, sh) / zoom));
    if (std::int64_t{r.sourceX} + r.sourceWidth >= picture.cx) r.sourceX = picture.cx - r.sourceWidth;
    if (std::int64_t{r.sourceY} + r.sourceHeight >= picture.cy) r.sourceY = picture.cy - r.sourceHeight;
    r.destinationWidth = std::max(1, std::min(cw, sw));
    r.destinationHeight = std::max(1, std::min(ch, sh));
    return r;
}

Bands FreeBands(SIZE zoomedPicture, SIZE client) {
    const int cw = client.cx, ch = client.cy, sw = zoomedPicture.cx, sh = zoomedPicture.cy;
    const bool narrower = sw < cw, lower = sh < ch;
    Bands bands;
    const auto add = [&](int x, int y, int width, int height) { bands.band[bands.count++] = RECT{x, y, width, height}; };
    const int top = (ch - sh) / 2, side = (cw - sw) / 2;
    if (narrower && lower) {
        add(0, 0, cw, top);
        add(0, (ch + sh) / 2, cw + 1, top + 1);
        add(0, top, side, sh);
        add((cw + sw) / 2, top, side, sh);
    } else if (narrower) {
        add(0, 0, side, ch);
        add((cw + sw) / 2, 0, side, ch);
    } else if (lower) {
        add(0, 0, cw, top);
        add(0, (ch + sh) / 2, cw, top);
    }
    return bands;
}

int ScrollTarget(int code, int position, int viewPosition, int page, int maximum, int thumbPosition) {
    const std::int64_t step = std::max(1, page / 10);
    std::int64_t value = viewPosition;
    switch (code) {
        case SB_LINEUP: value = position - step; break;
        case SB_LINEDOWN: value = position + step; break;
        case SB_PAGEUP: value = std::int64_t{position} - page; break;
        case SB_PAGEDOWN: value = std::int64_t{position} + page; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: value = thumbPosition; break;
        default: break;
    }
    value = std::min<std::int64_t>(std::max<std::int64_t>(0, value), std::int64_t{maximum} - page);
    // A picture that needs no scrolling (the page covers the range) stays at its start.
    value = std::max<std::int64_t>(value, 0);
    return clampToInt(value);
}

}  // namespace image_geometry
