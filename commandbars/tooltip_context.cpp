#include "commandbars/tooltip_context.h"
#include "commandbars/menu_text.h"

#include <algorithm>

#include "commandbars/command_tooltips.h"
#include "services/application.h"
#include "services/main_frame.h"

namespace {

using Drawing = CXTPToolTipDrawing;

// System commands whose tips lose their mnemonics.
bool stripsMnemonics(int id) { return id == 61472 || id == 61488 || id == 61536 || id == 61728; }

int scaledPictureHeight(const CWinBMP& picture, int width) {
    if (!picture.IsValid() || width <= 0) return 0;
    return picture.height * width / picture.width;
}

CString label(const wchar_t* key) { return Korvo::I18n::Translate(key) + L": "; }

}  // namespace

CXTPCommandBars* CKVToolTipContext::GetServedCommandBars() const {
    if (bars_) return bars_;
    const ApplicationServices* app = ApplicationServices::Instance();
    MainFrameServices* frame = app ? app->GetActiveMainFrame() : nullptr;
    return frame ? frame->AsMdiMainFrame().GetCommandBars() : nullptr;
}

CXTPToolTipContextToolTip* CKVToolTipContext::CreateToolTip(CWnd* parent) {
    auto tip = std::make_unique<KVExtendedToolTip>(this);
    if (!tip->CreateTipWindow(parent, GetControlStyle() | TTS_ALWAYSTIP | TTS_NOPREFIX, this)) return nullptr;
    KVExtendedToolTip* made = tip.release();
    SetToolTip(made);
    return made;
}

BEGIN_MESSAGE_MAP(KVExtendedToolTip, CXTPToolTipContextToolTip)
    ON_WM_TIMER()
    ON_WM_SHOWWINDOW()
    ON_MESSAGE(TTM_DELTOOL, &KVExtendedToolTip::OnDelTool)
END_MESSAGE_MAP()

bool KVExtendedToolTip::tipsOff() const {
    const KVOptions& options = GetKVOptions();
    return options.screenTipsSet && !options.screenTips;
}

const CommandTooltipInfo* KVExtendedToolTip::recordFor(const XTPToolTipTool& tool) const {
    if (!GetKVOptions().extendedTooltips || tool.id <= 0) return nullptr;
    return LoadCommandDescription(static_cast<UINT>(tool.id), kvContext_->GetServedCommandBars(), kBackground);
}

SIZE KVExtendedToolTip::GetToolSize(const XTPToolTipTool& tool) {
    hasExtended_ = false;
    separator_ = false;
    extraHeight_ = 0;
    const CommandTooltipInfo* record = recordFor(tool);
    if (!record) {
        if (tipsOff()) return SIZE{0, 0};
        XTPToolTipTool plain = tool;
        if (stripsMnemonics(tool.id)) plain.text = withoutMnemonics(plain.text);
        return CXTPToolTipContextToolTip::GetToolSize(plain);
    }
    CString title = record->title;
    CString text = record->text;
    if (title.IsEmpty() && text.IsEmpty() && record->longText.IsEmpty()) title = text = tool.text;

    int width = 0;
    int height = 0;
    if (!title.IsEmpty()) {
        const SIZE size = Drawing::Measure(title, true);
        width = size.cx;
        height = size.cy + 10;
    }
    const int pictureWidth = Drawing::Measure(CString(std::wstring(44, L'A').c_str()), false).cx;
    const bool picture = record->picture.IsValid();
    if (!text.IsEmpty() || picture) width = std::max(width, pictureWidth);
    int textHeight = 0;
    if (!text.IsEmpty()) {
        const SIZE size = Drawing::Measure(text, false, width);
        textHeight = size.cy;
        height += size.cy;
        width = std::max<int>(width, size.cx);
    }
    if (!record->longText.IsEmpty()) {
        hasExtended_ = true;
        extraHeight_ = Drawing::Measure(record->longText, false, width).cy +
                       scaledPictureHeight(record->picture, width) - textHeight;
    } else if (picture) {
        height += scaledPictureHeight(record->picture, width);
    }
    CXTPCommandBars* bars = kvContext_->GetServedCommandBars();
    const bool shortcuts = bars && bars->GetCommandBarsOptions()->bToolBarAccelTips;
    const auto addLine = [&](const wchar_t* key, const CString& value) {
        if (height > 0) separator_ = true;
        const SIZE left = Drawing::Measure(label(key), false);
        const SIZE right = Drawing::Measure(value, true);
        height += std::max(left.cy, right.cy);
        width = std::max<int>(width, left.cx + right.cx);
    };
    if (shortcuts && !record->shortcut.IsEmpty()) addLine(L"commands.tooltip_keyboard_call", record->shortcut);
    if (GetSettings().showCommandNames && !record->name.IsEmpty()) addLine(L"commands.tooltip_name", record->name);
    if (width == 0) return CXTPToolTipContextToolTip::GetToolSize(tool);
    contentWidth_ = width;
    return SIZE{width + 20, height + 10 + (separator_ ? 6 : 0)};
}

void KVExtendedToolTip::DrawBackground(CXTPToolTipDrawing& dc, RECT rect) {
    if (!recordFor(GetCurrentTool())) {
        CXTPToolTipContextToolTip::DrawBackground(dc, rect);
        return;
    }
    dc.FillRect(rect, kBackground);
    dc.FrameRect(rect, kBorder);
}

void KVExtendedToolTip::DrawContent(CXTPToolTipDrawing& dc, const XTPToolTipTool& tool, RECT rect) {
    const CommandTooltipInfo* record = recordFor(tool);
    if (!record) {
        XTPToolTipTool plain = tool;
        if (stripsMnemonics(tool.id)) plain.text = withoutMnemonics(plain.text);
        CXTPToolTipContextToolTip::DrawContent(dc, plain, rect);
        return;
    }
    CString title = record->title;
    CString text = record->text;
    if (title.IsEmpty() && text.IsEmpty() && record->longText.IsEmpty()) title = text = tool.text;
    rect.left += 10;
    rect.right -= 10;
    rect.top += 5;
    rect.bottom -= 5;
    if (!title.IsEmpty()) {
        const SIZE size = Drawing::Measure(title, true);
        dc.Text(title, RECT{rect.left, rect.top, rect.right, rect.top + size.cy}, true);
        rect.top += size.cy + 10;
    }
    const int width = rect.right - rect.left;
    const auto drawPicture = [&] {
        const int height = scaledPictureHeight(record->picture, width);
        if (height <= 0) return;
        dc.Picture(RECT{rect.left, rect.top, rect.right, rect.top + height});
        rect.top += height;
    };
    if (extended_) {
        const SIZE size = Drawing::Measure(record->longText, false, width);
        dc.Text(record->longText, RECT{rect.left, rect.top, rect.right, rect.top + size.cy}, false);
        rect.top += size.cy;
        drawPicture();
    } else {
        if (!text.IsEmpty()) {
            const SIZE size = Drawing::Measure(text, false, width);
            dc.Text(text, RECT{rect.left, rect.top, rect.right, rect.top + size.cy}, false);
            rect.top += size.cy;
        }
        // Without a long text the picture belongs to the normal tip (it gets no other chance).
        if (record->longText.IsEmpty()) drawPicture();
    }
    if (separator_) {
        dc.Line(RECT{rect.left, rect.top + 3, rect.right, rect.top + 4}, kBorder);
        rect.top += 6;
    }
    CXTPCommandBars* bars = kvContext_->GetServedCommandBars();
    const auto drawLine = [&](const wchar_t* key, const CString& value) {
        const CString left = label(key);
        const SIZE leftSize = Drawing::Measure(left, false);
        const SIZE rightSize = Drawing::Measure(value, true);
        dc.Text(left, RECT{rect.left, rect.top, rect.left + leftSize.cx, rect.top + leftSize.cy}, false);
        dc.Text(value, RECT{rect.left + leftSize.cx, rect.top, rect.left + leftSize.cx + rightSize.cx, rect.top + rightSize.cy},
                true);
        rect.top += std::max(leftSize.cy, rightSize.cy);
    };
    if (bars && bars->GetCommandBarsOptions()->bToolBarAccelTips && !record->shortcut.IsEmpty())
        drawLine(L"commands.tooltip_keyboard_call", record->shortcut);
    if (GetSettings().showCommandNames && !record->name.IsEmpty()) drawLine(L"commands.tooltip_name", record->name);
}

void KVExtendedToolTip::OnActivate(BOOL show) {
    if (!show) {
        extended_ = false;
        KillTimer(kExtendTimer);
        return;
    }
    if (!extended_ && hasExtended_) SetTimer(kExtendTimer, kExtendDelay);
}

void KVExtendedToolTip::OnTimer(UINT_PTR id) {
    if (id != kExtendTimer) return;
    KillTimer(kExtendTimer);
    extended_ = true;
    GrowBy(extraHeight_);
    Korvo::UI::EnsureIsVisible(this);
}

void KVExtendedToolTip::OnShowWindow(BOOL show, UINT) {
    if (show) Korvo::UI::EnsureIsVisible(this);
}

LRESULT KVExtendedToolTip::OnDelTool(WPARAM, LPARAM lParam) {
    // A deletion of tool -1 while no tool is current is the toolkit tidying up: nothing to do.
    const auto* tool = reinterpret_cast<const int*>(lParam);
    if (tool && *tool == -1 && GetCurrentTool().id == -1) return 0;
    HideTool();
    return 0;
}
