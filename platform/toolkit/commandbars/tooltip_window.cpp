#include "platform/toolkit/commandbars/tooltip_window.h"

#include <algorithm>

#include "platform/core/record.h"
#include "platform/toolkit/commandbars/controls.h"
#include "platform/toolkit/commandbars/tooltips.h"
#include "platform/toolkit/window_classes.h"

IMPLEMENT_DYNCREATE(CXTPToolTipContextToolTip, CWnd)

SIZE CXTPToolTipDrawing::Measure(const CString& text, bool bold, int wrapWidth) {
    const int charWidth = bold ? kBoldCharWidth : kCharWidth;
    const std::wstring all(text);
    if (all.empty()) return SIZE{0, 0};
    int width = 0;
    int lines = 0;
    std::size_t start = 0;
    while (start <= all.size()) {
        const std::size_t end = std::min(all.find(L'\n', start), all.size());
        const std::wstring line = all.substr(start, end - start);
        if (wrapWidth <= 0) {
            width = std::max(width, static_cast<int>(line.size()) * charWidth);
            ++lines;
        } else {
            // Word wrap: words are added while the line stays within the width.
            int current = 0;
            ++lines;
            std::size_t pos = 0;
            while (pos < line.size()) {
                std::size_t blank = line.find(L' ', pos);
                if (blank == std::wstring::npos) blank = line.size();
                const int word = static_cast<int>(blank - pos) * charWidth;
                const int needed = current == 0 ? word : current + charWidth + word;
                if (current > 0 && needed > wrapWidth) {
                    width = std::max(width, current);
                    ++lines;
                    current = word;
                } else {
                    current = needed;
                }
                pos = blank + 1;
            }
            width = std::max(width, current);
        }
        if (end == all.size()) break;
        start = end + 1;
    }
    return SIZE{width, lines * kLineHeight};
}

BOOL CXTPToolTipContextToolTip::CreateTipWindow(CWnd* parent, DWORD style, CXTPToolTipContext* context) {
    context_ = context;
    style_ = style;
    return CreateEx(0, platform::toolkit::toolkitWindowClass(L"XTPToolTip"), L"", WS_POPUP, RECT{0, 0, 0, 0},
                    parent, 0);
}

SIZE CXTPToolTipContextToolTip::GetToolSize(const XTPToolTipTool& tool) {
    const RECT margin = context_ ? context_->GetMargin() : RECT{};
    SIZE title{0, 0};
    if (!tool.title.IsEmpty()) {
        title = CXTPToolTipDrawing::Measure(tool.title, true);
        title.cx += 15;
        title.cy += 20;
    }
    const int maxWidth = context_ ? context_->GetMaxTipWidth() : 0;
    const int wrap = std::max<int>(title.cx, static_cast<int>(maxWidth - margin.left - margin.right)) - 10;
    const SIZE text = CXTPToolTipDrawing::Measure(tool.text, false, wrap > 0 ? wrap : 0);
    return SIZE{std::max<LONG>(text.cx + 10, title.cx) + margin.left + margin.right + 6,
                text.cy + title.cy + margin.top + margin.bottom + 6};
}

void CXTPToolTipContextToolTip::DrawBackground(CXTPToolTipDrawing& dc, RECT rect) { dc.FillRect(rect, 0xE1FFFF); }

void CXTPToolTipContextToolTip::DrawContent(CXTPToolTipDrawing& dc, const XTPToolTipTool& tool, RECT rect) {
    const RECT margin = context_ ? context_->GetMargin() : RECT{};
    rect.left += margin.left + 3;
    rect.top += margin.top + 3;
    rect.right -= margin.right + 3;
    rect.bottom -= margin.bottom + 3;
    if (!tool.title.IsEmpty()) {
        const SIZE title = CXTPToolTipDrawing::Measure(tool.title, true);
        dc.Text(tool.title, RECT{rect.left + 4, rect.top + 2, rect.right, rect.top + 2 + title.cy}, true);
        rect.top += title.cy + 20;
    }
    if (!tool.text.IsEmpty()) dc.Text(tool.text, rect, false);
}

void CXTPToolTipContextToolTip::Redraw() {
    drawing_.Clear();
    const RECT rect{0, 0, size_.cx, size_.cy};
    DrawBackground(drawing_, rect);
    DrawContent(drawing_, tool_, rect);
}

void CXTPToolTipContextToolTip::ShowTool(const XTPToolTipTool& tool, POINT screen) {
    if (GetSafeHwnd() && IsWindowVisible()) HideTool();
    tool_ = tool;
    size_ = GetToolSize(tool_);
    if (size_.cx <= 0 || size_.cy <= 0) {
        drawing_.Clear();
        return;  // nothing to show
    }
    MoveWindow(screen.x, screen.y + 20, size_.cx, size_.cy, FALSE);
    Redraw();
    ShowWindow(SW_SHOWNA);
    platform::mfc::setThreadToolTip(m_hWnd);
    OnActivate(TRUE);
}

void CXTPToolTipContextToolTip::HideTool() {
    if (!GetSafeHwnd() || !IsWindowVisible()) return;
    ShowWindow(SW_HIDE);
    if (platform::mfc::threadToolTip() == m_hWnd) platform::mfc::setThreadToolTip(nullptr);
    OnActivate(FALSE);
    tool_ = XTPToolTipTool{};
    tool_.id = -1;
}

LRESULT CXTPToolTipContextToolTip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TTM_ACTIVATE && !wParam) {
        HideTool();
        return 0;
    }
    if (message == WM_NCDESTROY && platform::mfc::threadToolTip() == m_hWnd) platform::mfc::setThreadToolTip(nullptr);
    return CWnd::WindowProc(message, wParam, lParam);
}

void CXTPToolTipContextToolTip::GrowBy(int height) {
    size_.cy += height;
    RECT rect{};
    GetWindowRect(&rect);
    MoveWindow(rect.left, rect.top, size_.cx, size_.cy, TRUE);
    Redraw();
}

// ---- The context's part ------------------------------------------------------------------------

CXTPToolTipContext::CXTPToolTipContext() = default;

CXTPToolTipContext::~CXTPToolTipContext() {
    if (tip_ && tip_->GetSafeHwnd()) tip_->DestroyWindow();
}

void CXTPToolTipContext::CancelToolTips() {
    ++cancelled_;
    if (tip_) tip_->HideTool();
}

CXTPToolTipContextToolTip* CXTPToolTipContext::CreateToolTip(CWnd* parent) {
    auto* tip = new CXTPToolTipContextToolTip;
    if (!tip->CreateTipWindow(parent, controlStyle_, this)) {
        delete tip;
        return nullptr;
    }
    return tip;
}

int CXTPToolTipContext::GetShownToolId() const {
    if (!tip_ || !tip_->GetSafeHwnd() || !tip_->IsWindowVisible()) return -1;
    return tip_->GetCurrentTool().id;
}

bool CXTPToolTipContext::ShowToolTip(const CXTPControl& control, CWnd* owner, POINT screen) {
    XTPToolTipTool tool;
    tool.id = control.GetID();
    tool.title = control.GetTooltip().IsEmpty() ? CString() : control.GetCaption();
    tool.text = control.GetTooltip().IsEmpty() ? control.GetCaption() : control.GetTooltip();
    if (!titleAndDescription_) tool.title.Empty();
    return ShowTool(tool, owner, screen);
}

bool CXTPToolTipContext::ShowTool(const XTPToolTipTool& tool, CWnd* owner, POINT screen) {
    if (!tip_ || !tip_->GetSafeHwnd()) {
        CXTPToolTipContextToolTip* tip = CreateToolTip(owner);
        if (!tip) {
            platform::core::reportFailure(L"CXTPToolTipContext::ShowToolTip: the tooltip window cannot be created");
            return false;
        }
        if (tip != tip_.get()) tip_.reset(tip);
    }
    tip_->ShowTool(tool, screen);
    return true;
}
