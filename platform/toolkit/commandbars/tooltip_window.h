// The toolkit's tooltip window and the drawing surface it draws on. Headless: text is measured
// with fixed metrics (7 pixels a character, 8 in bold, 16 a line) and drawing is recorded, so a
// test reads what the tip shows and its size is the same on every run.
#pragma once

#include <string>
#include <vector>

#include "platform/mfc.h"

class CXTPToolTipContext;

// A recording device context for tooltips.
class CXTPToolTipDrawing {
public:
    static constexpr int kCharWidth = 7;
    static constexpr int kBoldCharWidth = 8;
    static constexpr int kLineHeight = 16;

    struct Operation {
        std::wstring kind;  // "fill", "frame", "line", "text", "picture"
        RECT rect{};
        COLORREF color = 0;
        std::wstring text;
        bool bold = false;
    };

    // The size of `text`; with a wrap width > 0 it is broken at blanks into lines no wider.
    static SIZE Measure(const CString& text, bool bold, int wrapWidth = 0);
    void FillRect(RECT rect, COLORREF color) { ops_.push_back({L"fill", rect, color, {}, false}); }
    void FrameRect(RECT rect, COLORREF color) { ops_.push_back({L"frame", rect, color, {}, false}); }
    void Line(RECT rect, COLORREF color) { ops_.push_back({L"line", rect, color, {}, false}); }
    void Text(const CString& text, RECT rect, bool bold) { ops_.push_back({L"text", rect, 0, std::wstring(text), bold}); }
    void Picture(RECT rect) { ops_.push_back({L"picture", rect, 0, {}, false}); }
    const std::vector<Operation>& Operations() const { return ops_; }
    void Clear() { ops_.clear(); }

private:
    std::vector<Operation> ops_;
};

// The tip the context shows for one tool (a control under the mouse).
struct XTPToolTipTool {
    int id = 0;
    CString title;
    CString text;
};

class CXTPToolTipContextToolTip : public CWnd {
    DECLARE_DYNCREATE(CXTPToolTipContextToolTip)
public:
    CXTPToolTipContextToolTip() = default;

    BOOL CreateTipWindow(CWnd* parent, DWORD style, CXTPToolTipContext* context);
    CXTPToolTipContext* GetContext() const { return context_; }
    const XTPToolTipTool& GetCurrentTool() const { return tool_; }
    DWORD GetToolTipStyle() const { return style_; }

    // Shows the tip of `tool`: sizes it, draws it, shows the window and activates it.
    void ShowTool(const XTPToolTipTool& tool, POINT screen);
    // Hides the tip (activation with FALSE).
    void HideTool();
    // Draws again at the present size (after a change of state).
    void Redraw();
    const CXTPToolTipDrawing& GetDrawing() const { return drawing_; }
    SIZE GetTipSize() const { return size_; }

    // The toolkit's size and drawing of a tip: title (bold) over text.
    virtual SIZE GetToolSize(const XTPToolTipTool& tool);
    virtual void DrawContent(CXTPToolTipDrawing& dc, const XTPToolTipTool& tool, RECT rect);
    virtual void DrawBackground(CXTPToolTipDrawing& dc, RECT rect);
    virtual void OnActivate(BOOL show) { (void)show; }

protected:
    // Grows the shown window by `height` and redraws.
    void GrowBy(int height);
    // TTM_ACTIVATE with FALSE (the framework cancelling the thread's tips) hides the tip.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override {}

private:
    CXTPToolTipContext* context_ = nullptr;
    XTPToolTipTool tool_;
    CXTPToolTipDrawing drawing_;
    SIZE size_{};
    DWORD style_ = 0;
};

inline constexpr UINT TTM_DELTOOL = WM_USER + 51;
