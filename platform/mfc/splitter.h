// The framework's splitter window, at its least: a static grid of panes that sits in a frame as
// its pane (control id AFX_IDW_PANE_FIRST by default), each pane a child window with the id
// AFX_IDW_PANE_FIRST + 16 * row + column. Dragging the bars is not modelled: the panes share the
// client area evenly.
#pragma once

#include "platform/mfc/wnd.h"

class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd() = default;

    // The splitter's window under `parent`; FALSE (no window) for a grid outside 1 to 16 rows and
    // columns or a parent without a window.
    BOOL CreateStatic(CWnd* parent, int rows, int columns, DWORD style = WS_CHILD | WS_VISIBLE,
                      UINT id = AFX_IDW_PANE_FIRST);
    int GetRowCount() const { return rows_; }
    int GetColumnCount() const { return columns_; }
    // The control id of the pane at (row, column).
    static UINT IdFromRowCol(int row, int column) { return AFX_IDW_PANE_FIRST + 16 * row + column; }
    // The window of a pane, or null (no such pane, or nothing placed there yet).
    CWnd* GetPane(int row, int column) const;
    // Places the panes' windows over the client area.
    void RecalcLayout();

    // The splitter a frame shows as its pane, or null when its pane is no splitter.
    static CSplitterWnd* OfFrame(HWND frame);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int rows_ = 0;
    int columns_ = 0;
};
