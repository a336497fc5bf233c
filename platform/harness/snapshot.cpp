// A picture of what a main frame shows, drawn from its layout: every visible window in its
// colours (and with what its own painting put on its client area, such as a picture document's
// pixels), the parts the toolkit draws, and their words.
#include <algorithm>

#include "platform/core/hostfs.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/harness/screen_layout.h"
#include "platform/kvgc/picture_codec.h"
#include "platform/win32/gdi.h"

namespace platform::harness {

namespace {

constexpr std::uint32_t kUnpainted = 0xFF000000u;

struct Colours {
    std::uint32_t fill;
    std::uint32_t edge;
    std::uint32_t text;
};

Colours windowColours(const Place& place) {
    const std::wstring& name = place.className;
    if (name == L"XTPRibbon") return {0xDFE9F5, 0xA0B4CC, 0x1E395B};
    if (name == L"XTPToolBar" || name == L"XTPMenuBar") return {0xEEF0F3, 0xC0C4CC, 0x202020};
    if (name == L"XTPStatusBar") return {0x2B579A, 0x1E3F70, 0xFFFFFF};
    if (name == L"MDICLIENT") return {0xABABAB, 0x909090, 0x202020};
    if (name == L"XTPDockingPaneTabbedContainer") return {0xF7F7F7, 0x8FA3BF, 0x202020};
    if (name == L"Korvo.MessageBar") return {0xFFF4CE, 0xD9B94A, 0x3B2F00};
    if (name == L"Korvo.MessageBarButton") return {0xFDFDFD, 0xA08F50, 0x3B2F00};
    if (name == L"EDIT") return {0xFFFFFF, 0x8A8A8A, 0x000000};
    return {0xFFFFFF, 0xC8C8C8, 0x202020};
}

Colours partColours(const Place& place) {
    switch (place.kind) {
        case Place::Kind::RibbonTab: return place.selected ? Colours{0xF5F8FC, 0xA0B4CC, 0x1E395B} : Colours{0xDFE9F5, 0xDFE9F5, 0x1E395B};
        case Place::Kind::RibbonGroup: return {0xF5F8FC, 0xB8C7DA, 0x4A5A70};
        case Place::Kind::Control: return {0xFBFBFB, 0xC9CED6, place.enabled ? 0x202020u : 0x9A9A9Au};
        case Place::Kind::PaneCaption: return {0x3C5A8C, 0x3C5A8C, 0xFFFFFF};
        case Place::Kind::PaneTab: return place.selected ? Colours{0xFFFFFF, 0x8FA3BF, 0x202020} : Colours{0xD9DEE6, 0x8FA3BF, 0x404040};
        case Place::Kind::DocumentTab: return place.selected ? Colours{0xFFFFFF, 0x7A8BA3, 0x202020} : Colours{0xD0D4DA, 0x7A8BA3, 0x404040};
        case Place::Kind::StatusPane: return {0x2B579A, 0x4A73B3, 0xFFFFFF};
        case Place::Kind::Window: break;
    }
    return windowColours(place);
}

class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, 0xF0F0F0) {}

    void fill(const RECT& rect, std::uint32_t colour) {
        for (int y = std::max<int>(rect.top, 0); y < std::min<int>(rect.bottom, height_); ++y)
            for (int x = std::max<int>(rect.left, 0); x < std::min<int>(rect.right, width_); ++x) at(x, y) = colour;
    }
    void edge(const RECT& rect, std::uint32_t colour) {
        fill(RECT{rect.left, rect.top, rect.right, rect.top + 1}, colour);
        fill(RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour);
        fill(RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, colour);
        fill(RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, colour);
    }
    // Pixels a window's painting put on its client area (at `origin`), inside `clip`.
    void paint(POINT origin, const RECT& clip, int width, int height, const std::vector<std::uint32_t>& pixels) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint32_t pixel = pixels[static_cast<std::size_t>(y) * width + x];
                const int px = origin.x + x, py = origin.y + y;
                if (pixel == kUnpainted || px < std::max<int>(clip.left, 0) || py < std::max<int>(clip.top, 0) ||
                    px >= std::min<int>(clip.right, width_) || py >= std::min<int>(clip.bottom, height_))
                    continue;
                at(px, py) = pixel;
            }
    }
    platform::kvgc::Picture picture() const {
        platform::kvgc::Picture out{width_, height_, pixels_};
        for (std::uint32_t& pixel : out.pixels) pixel |= 0xFF000000u;
        return out;
    }

private:
    std::uint32_t& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    int width_, height_;
    std::vector<std::uint32_t> pixels_;
};

RECT intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

// A label inside `rect` (cut to what fits), its base line centred in the rectangle's height.
void label(std::vector<platform::kvgc::Label>& labels, const RECT& rect, const std::wstring& text, std::uint32_t colour,
           int indent = 4) {
    constexpr int kCharacterWidth = 6, kTextHeight = 13;
    const int room = (rect.right - rect.left - 2 * indent) / kCharacterWidth;
    if (text.empty() || room <= 0 || rect.bottom - rect.top < kTextHeight) return;
    const std::wstring shown = static_cast<int>(text.size()) <= room ? text : text.substr(0, static_cast<std::size_t>(room));
    const int baseLine = static_cast<int>((rect.top + rect.bottom) / 2 + 4);
    labels.push_back({static_cast<int>(rect.left) + indent, baseLine, platform::core::toUtf8(shown), colour});
}

struct Drawing {
    Canvas canvas;
    std::vector<platform::kvgc::Label> labels;
};

// Words drawn before under what now covers them go: the words come last, over every fill.
void cover(Drawing& out, const RECT& rect) {
    std::erase_if(out.labels, [&](const platform::kvgc::Label& label) {
        return label.x >= rect.left && label.x < rect.right && label.y > rect.top && label.y <= rect.bottom;
    });
}

// What a window's own painting put on its client area.
struct WindowPixels {
    POINT origin{};
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};

// Draws the place and what is inside it, clipped to `clip` (its parent window's client area);
// `painted` is what the window holding a part painted itself.
void draw(const Place& place, const RECT& clip, Drawing& out, bool isFrame, const WindowPixels* painted = nullptr) {
    const RECT visible = intersect(place.rect, clip);
    if (visible.right <= visible.left || visible.bottom <= visible.top) return;
    cover(out, visible);
    const Colours colours = partColours(place);
    RECT inner = clip;
    WindowPixels own;
    if (place.kind == Place::Kind::Window) {
        if (isFrame) {
            // The frame: its border and caption bar around the client area.
            out.canvas.fill(visible, 0x2B3A55);
            out.canvas.fill(intersect(place.client, clip), 0xF0F0F0);
            label(out.labels, RECT{place.client.left, place.rect.top, place.client.right, place.client.top}, place.text, 0xFFFFFF, 8);
        } else {
            out.canvas.fill(visible, colours.fill);
            out.canvas.edge(visible, colours.edge);
            // A window with a caption of its own (a document's frame): its title bar.
            if (place.client.top - place.rect.top > 8) {
                const RECT bar{place.rect.left, place.rect.top, place.rect.right, place.client.top};
                out.canvas.fill(intersect(bar, clip), 0x5A6F8F);
                label(out.labels, intersect(bar, clip), place.text, 0xFFFFFF);
            }
        }
        inner = intersect(place.client, clip);
        if (platform::win32::windowPixels(place.window, own.width, own.height, own.pixels)) {
            own.origin = POINT{place.client.left, place.client.top};
            out.canvas.paint(own.origin, inner, own.width, own.height, own.pixels);
        }
        if (!isFrame && (place.className == L"Korvo.MessageBar" || place.className == L"Korvo.MessageBarButton" ||
                         place.className == L"EDIT"))
            label(out.labels, visible, place.text, colours.text);
    } else {
        out.canvas.fill(visible, colours.fill);
        out.canvas.edge(visible, colours.edge);
        RECT words = visible;
        // A group's caption is under its controls.
        if (place.kind == Place::Kind::RibbonGroup) words.top = words.bottom - 16;
        // A document tab shows what its window drew inside its edge (its icons).
        if (place.kind == Place::Kind::DocumentTab && painted && !painted->pixels.empty()) {
            const RECT inside{visible.left + 1, visible.top + 1, visible.right - 1, visible.bottom - 1};
            out.canvas.paint(painted->origin, inside, painted->width, painted->height, painted->pixels);
        }
        label(out.labels, words, place.text, colours.text);
    }
    // What the window draws itself comes first, then its child windows over it, the bottom of
    // the z-order first.
    for (const Place& child : place.children)
        if (child.kind != Place::Kind::Window) draw(child, visible, out, false, &own);
    for (auto child = place.children.rbegin(); child != place.children.rend(); ++child)
        if (child->kind == Place::Kind::Window) draw(*child, inner, out, false);
}

}  // namespace

std::wstring Inspect::dumpLayout(HWND frame) const { return layoutText(frameLayout(frame)); }

std::optional<std::wstring> Inspect::snapshot(HWND frame, const std::string& hostPath) const {
    const Place layout = frameLayout(frame);
    if (!layout.window) return platform::core::handleText(frame) + L" shows nothing";
    const int width = layout.rect.right - layout.rect.left, height = layout.rect.bottom - layout.rect.top;
    Drawing drawing{Canvas(width, height), {}};
    draw(layout, layout.rect, drawing, true);
    const auto bytes = platform::kvgc::encodeLabelledPicture(drawing.canvas.picture(), drawing.labels, L".png");
    if (!bytes) return std::wstring(L"the picture could not be encoded");
    std::string error;
    if (!platform::core::writeFileAtomically(hostPath, *bytes, &error))
        return L"cannot write " + platform::core::fromUtf8(hostPath) + L": " + platform::core::fromUtf8(error);
    return std::nullopt;
}

}  // namespace platform::harness
