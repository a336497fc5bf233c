#include "auxiliary/text_browsers/metafile_callback.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "auxiliary/streams/memory_stream.h"
#include "platform/kernel/services/fonts.h"

namespace {

constexpr UINT kDefaultRichTextFont = 10171;
constexpr double kNothingDrawn = 1e-10;
// GDI keeps coordinates within 27 bits.
constexpr long long kLargestCoordinate = (1LL << 27) - 1;
// Every coordinate of the picture stays within the 16-bit range of old GDI.
constexpr double kLargestPixels = 32000.0;

LONG Clamped(long long value) { return static_cast<LONG>(std::clamp(value, -kLargestCoordinate, kLargestCoordinate)); }

LONG Hundredths(double millimetres) {
    const double value = std::trunc(millimetres * 100.0);
    return Clamped(static_cast<long long>(std::clamp(value, -static_cast<double>(kLargestCoordinate),
                                                     static_cast<double>(kLargestCoordinate))));
}

// The kernel's default font name and control flag switched for the modal editor, and put back
// however it ends.
class EditorDefaults {
public:
    EditorDefaults() : control_(g_fDefaultCtrlValue), font_(g_csDefaultFontName) {
        g_fDefaultCtrlValue = true;
        g_csDefaultFontName = KVLoadString(kDefaultRichTextFont);
    }
    ~EditorDefaults() {
        g_fDefaultCtrlValue = control_;
        g_csDefaultFontName = font_;
    }
    EditorDefaults(const EditorDefaults&) = delete;
    EditorDefaults& operator=(const EditorDefaults&) = delete;

private:
    bool control_;
    CString font_;
};

bool Drawn(const KVBox& before, const KVBox& after) {
    return std::abs(after.left - before.left) > kNothingDrawn || std::abs(after.top - before.top) > kNothingDrawn ||
           std::abs(after.right - before.right) > kNothingDrawn || std::abs(after.bottom - before.bottom) > kNothingDrawn;
}

// The edited selection as a new[] buffer for the module.
void HandOverSelection(Rich::SingleRectDoc& rich, BYTE** buffer, DWORD* size) {
    rich.selectAll();
    kvio::MemoryStream stream;
    rich.writeSelectionToFile(stream, 1.0);
    const auto length = static_cast<DWORD>(std::min<std::uint64_t>(stream.GetLength(), 0xFFFFFFFFu));
    auto bytes = std::make_unique<BYTE[]>(length);
    stream.SeekToBegin();
    stream.Read(bytes.get(), length);
    *buffer = bytes.release();
    *size = length;
}

}  // namespace

std::optional<MetafileMapping> MapRichTextBox(const KVBox& box, SIZE pixels, SIZE millimetres) {
    MetafileMapping mapping;
    const long long width = Hundredths(box.right - box.left);
    const long long height = Hundredths(box.top - box.bottom);
    mapping.frame = RECT{0, 0, static_cast<LONG>(width), static_cast<LONG>(height)};
    if (millimetres.cx <= 0 || millimetres.cy <= 0) return std::nullopt;
    const long long px = width * pixels.cx / (millimetres.cx * 100LL);
    const long long py = height * pixels.cy / (millimetres.cy * 100LL);
    const auto factor = static_cast<long long>(std::ceil(static_cast<double>(std::max(px, py)) / kLargestPixels));
    if (factor <= 0) {
        mapping.windowExtent = SIZE{0, 0};
        mapping.viewportExtent = SIZE{1, 1};
        return mapping;
    }
    const long long horizontal = millimetres.cx / factor;
    const long long vertical = millimetres.cy / factor;
    if (horizontal == 0 || vertical == 0) return std::nullopt;
    const long long w = width / factor;
    const long long h = height / factor;
    mapping.windowExtent = SIZE{Clamped(w), Clamped(h)};
    mapping.viewportExtent = SIZE{Clamped(w * pixels.cx / (horizontal * 100)), Clamped(h * pixels.cy / (vertical * 100))};
    return mapping;
}

HENHMETAFILE RenderRichTextMetafile(CKvw32Doc& document, BYTE** buffer, DWORD* size, std::wstring* text) {
    KVEmptyGC measuring(RECT{0, 0, 10000, 10000}, KVBox{-100000000.0, 100000000.0, 100000000.0, -100000000.0});
    Rich::SingleRectDoc rich(&document, 1.0);
    if (!rich.beginEditMode()) return nullptr;
    if (buffer && size && *buffer && *size) {
        rich.cursorToFirstObject();
        if (!rich.pasteFromBuffer(*buffer, *size, 1.0)) {
            rich.endEditMode();
            return nullptr;
        }
        // The caller keeps (and frees) its buffer; it is taken over only as rich text.
        *buffer = nullptr;
        *size = 0;
    } else if (text && !text->empty()) {
        rich.cursorToStart();
        rich.insertText(CString(text->c_str()));
    }
    rich.endEditMode();

    if (text) {
        bool confirmed = false;
        {
            EditorDefaults defaults;
            confirmed = Rich::editInModalWindow(rich);
        }
        if (!confirmed) return nullptr;
        *text = std::wstring(rich.getText().view());
        if (buffer && size) HandOverSelection(rich, buffer, size);
    }

    measuring.StartMinMax();
    const KVBox before = measuring.GetMinMaxBox();
    {
        KVDocRegenContext regeneration(&document, true, false, false);
        rich.draw(measuring);
    }
    const KVBox box = measuring.GetMinMaxBox();
    const bool drawn = Drawn(before, box);

    HWND reference = AfxGetMainWnd() ? AfxGetMainWnd()->GetSafeHwnd() : nullptr;
    HDC referenceDc = ::GetDC(reference);
    const SIZE pixels{::GetDeviceCaps(referenceDc, HORZRES), ::GetDeviceCaps(referenceDc, VERTRES)};
    const SIZE millimetres{::GetDeviceCaps(referenceDc, HORZSIZE), ::GetDeviceCaps(referenceDc, VERTSIZE)};
    // A drawing with no extent, or one too large to map, is a valid empty picture.
    std::optional<MetafileMapping> mapping = drawn ? MapRichTextBox(box, pixels, millimetres) : std::nullopt;
    const RECT frame = mapping ? mapping->frame : RECT{0, 0, 0, 0};
    HDC dc = ::CreateEnhMetaFileW(referenceDc, nullptr, &frame, L"Korvo CAD");
    if (!dc) {
        ::ReleaseDC(reference, referenceDc);
        return nullptr;
    }
    ::SetMapMode(dc, MM_ISOTROPIC);
    ::SetWindowOrgEx(dc, 0, 0, nullptr);
    const SIZE windowExtent = mapping ? mapping->windowExtent : SIZE{0, 0};
    const SIZE viewportExtent = mapping ? mapping->viewportExtent : SIZE{1, 1};
    ::SetWindowExtEx(dc, windowExtent.cx, windowExtent.cy, nullptr);
    ::SetViewportExtEx(dc, viewportExtent.cx, viewportExtent.cy, nullptr);
    if (mapping) {
        KVScreenGC screen(dc, RECT{0, 0, frame.right, frame.bottom}, box, 15);
        screen.SetBackgroundColor(static_cast<unsigned>(::GetSysColor(COLOR_WINDOW)) << 8);
        screen.SetSubstituteForegroundColor(static_cast<unsigned>(::GetSysColor(COLOR_WINDOWTEXT)) << 8);
        screen.SetDrawingFactor(1.0, true);
        screen.SetColor(0);
        screen.BeginDraw(RECT{0, 0, frame.right, frame.bottom});
        rich.draw(screen);
        screen.EndDraw();
    }
    ::ReleaseDC(reference, referenceDc);
    return ::CloseEnhMetaFile(dc);
}

HENHMETAFILE CreateEnhMetafileCallback(BYTE** buffer, DWORD* size, std::wstring* text) {
    if (!buffer && !size) return nullptr;
    CKvw32Doc document;
    document.InitContents();
    HENHMETAFILE metafile = RenderRichTextMetafile(document, buffer, size, text);
    document.OnClosePartialDocument();
    return metafile;
}
