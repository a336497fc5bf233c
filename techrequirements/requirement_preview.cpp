// The hover preview of a requirement: its rich text drawn as the page draws it into a 500 x 75
// icon, cached per row until the rows are reloaded or the host reports changed icons.
#include "platform/kvgc.h"
#include "platform/win32/icons.h"
#include "techrequirements/list_model.h"

namespace {

constexpr int kPreviewWidth = 500;
constexpr int kPreviewHeight = 75;
constexpr int kPaperColour = 15;
constexpr int kPenColour = 0;
constexpr int kLineHeight = 15;

// GDI objects released in reverse order of making, whatever happens in between.
class MemoryCanvas {
public:
    MemoryCanvas()
        : screen_(::CreateDCW(L"DISPLAY", nullptr, nullptr, nullptr)),
          memory_(screen_ ? ::CreateCompatibleDC(screen_) : nullptr),
          bitmap_(memory_ ? ::CreateCompatibleBitmap(screen_, kPreviewWidth, kPreviewHeight) : nullptr),
          previous_(bitmap_ ? ::SelectObject(memory_, bitmap_) : nullptr) {}
    ~MemoryCanvas() {
        if (previous_) ::SelectObject(memory_, previous_);
        if (bitmap_) ::DeleteObject(bitmap_);
        if (memory_) ::DeleteDC(memory_);
        if (screen_) ::DeleteDC(screen_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    bool ready() const { return bitmap_ != nullptr; }
    HDC dc() const { return memory_; }
    HBITMAP bitmap() const { return bitmap_; }

private:
    HDC screen_;
    HDC memory_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

}  // namespace

HICON TechRequirementListModel::renderPreview(const TechRequirement& requirement) const {
    const TechReqTextData* data = TechRequirement::Properties(const_cast<TechRequirement*>(&requirement)).GetTextData();
    if (!data) return nullptr;
    MemoryCanvas canvas;
    if (!canvas.ready()) return nullptr;
    KVDocRegenContext regeneration(document_, true, false, false);
    // A copy of the text is laid out in the preview's rectangle, a line a paragraph.
    const Rich::Document copy = data->GetRichText();
    const RECT area{0, 0, kPreviewWidth, kPreviewHeight};
    KVScreenGC gc(canvas.dc());
    gc.BeginDraw(area);
    gc.FillWorldRect(-5000, 5000, 5000, -5000, kPaperColour);
    if (const STATUS* page = document_->Cont2D()->GetPageStatus(-1)) page->PrepareGC(gc);
    gc.SetColor(kPenColour);
    int top = 0;
    for (const CString& paragraph : copy.GetParagraphs()) {
        if (top >= kPreviewHeight) break;
        gc.DrawText(paragraph, RECT{0, top, kPreviewWidth, std::min(top + kLineHeight, kPreviewHeight)});
        top += kLineHeight;
    }
    gc.EndDraw();
    gc.ClearContext();
    return Korvo::HICONFromCBitmap(canvas.bitmap());
}

kvpf::Image TechRequirementListModel::getPreviewImage(int row) {
    if (row < 0 || row >= static_cast<int>(previews_.size())) return {};
    Preview& preview = previews_[static_cast<std::size_t>(row)];
    if (!preview.valid) {
        TechRequirement* requirement = requirementOf(row);
        if (!requirement || !TechRequirement::Properties(requirement).GetTextData()) return {};
        HICON icon = renderPreview(*requirement);
        if (!icon) return {};
        if (preview.icon) ::DestroyIcon(preview.icon);
        preview = Preview{icon, true};
    }
    return kvpf::Image::FromIcon(preview.icon, kPreviewWidth, kPreviewHeight);
}
