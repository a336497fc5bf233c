// The UI library's two-pane splitter: a child window that places two child windows (the panes,
// found by their control ids) side by side or one above the other, in a golden-ratio-like
// proportion, and can hide the second pane so that the first fills it alone.
#pragma once

#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace Korvo::UI {

class SimpleSplitter : public CWnd {
public:
    // `proportion`: the first pane's share over the second's; `horizontal`: the panes stand side
    // by side (else one above the other).
    SimpleSplitter(double proportion, bool horizontal);

    // The splitter's window under `parent` with control id `id`.
    BOOL Create(CWnd* parent, DWORD style, UINT id);
    using CWnd::Create;

    // The control id a pane's window must have (0: the first pane, 1: the second).
    static UINT GetPaneId(int pane) { return AFX_IDW_PANE_FIRST + static_cast<UINT>(pane); }
    void SetMinPaneSize(SIZE size) { minPane_ = size; }
    SIZE GetMinPaneSize() const { return minPane_; }

    // Side by side (true) or one above the other; the other flags say whether to keep the
    // proportion, redraw at once and animate (the stand-in only keeps the layout).
    void SetHorizontal(bool horizontal, bool keepProportion, bool redraw, bool animate);
    bool IsHorizontal() const { return horizontal_; }
    void ShowSecondPane(bool show, bool relayout, bool animate);
    bool IsSecondPaneShown() const { return secondShown_; }
    double GetProportion() const { return proportion_; }
    void SetStyle(int style) { style_ = style; }
    int GetStyle() const { return style_; }

    // "SplitterHorizontal", "SplitterSecondPane" and "SplitterProportion" (per mille).
    BOOL DoPropExchange(CXTPPropExchange* px);

    // Places the panes in the client area.
    void RecalcLayout();

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    double proportion_;
    bool horizontal_;
    bool secondShown_ = true;
    SIZE minPane_{0, 0};
    int style_ = 0;
};

}  // namespace Korvo::UI
