// The toolkit's status bar: panes with an id, a text, a width, a style and a visibility, laid out
// left to right; stretching panes share what the fixed ones leave. Pane texts follow the frame's
// command route on each idle update.
#pragma once

#include <vector>

#include "platform/mfc.h"

class CXTPImageManager;

// Pane styles.
inline constexpr UINT SBPS_NORMAL = 0x0000;
inline constexpr UINT SBPS_NOBORDERS = 0x0100;
inline constexpr UINT SBPS_POPOUT = 0x0200;
inline constexpr UINT SBPS_DISABLED = 0x04000000;
inline constexpr UINT SBPS_STRETCH = 0x08000000;

// The framework's status-bar id, and the layout heights the stand-in uses.
inline constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;

class CXTPStatusBarPane : public CCmdTarget {
public:
    UINT GetID() const { return id_; }
    CString GetText() const { return text_; }
    void SetText(LPCWSTR text) { text_ = text ? text : L""; }
    int GetWidth() const { return width_; }
    void SetWidth(int width) { width_ = width < 0 ? 0 : width; }
    UINT GetStyle() const { return style_; }
    void SetStyle(UINT style) { style_ = style; }
    BOOL IsVisible() const { return visible_; }
    void SetVisible(BOOL visible) { visible_ = visible; }
    // DT_LEFT, DT_CENTER or DT_RIGHT.
    int GetTextAlignment() const { return alignment_; }
    void SetTextAlignment(int alignment) { alignment_ = alignment; }

private:
    friend class CXTPStatusBar;
    explicit CXTPStatusBarPane(UINT id) : id_(id) {}
    UINT id_;
    CString text_;
    int width_ = 0;
    UINT style_ = SBPS_NORMAL;
    BOOL visible_ = TRUE;
    int alignment_ = DT_LEFT;
};

class CXTPStatusBar : public CWnd {
    DECLARE_DYNCREATE(CXTPStatusBar)
public:
    static constexpr int kHeight = 22;

    CXTPStatusBar() = default;
    ~CXTPStatusBar() override;

    // A child window of `parent` with the style and id given (the framework's bar id by default).
    virtual BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE, UINT id = AFX_IDW_STATUS_BAR);
    using CWnd::Create;

    // Replaces the panes with one per id (id 0 is a separator pane without text).
    BOOL SetIndicators(const UINT* ids, int count);
    // Inserts a pane before `index` (-1: at the end); null when the id is already there.
    CXTPStatusBarPane* AddIndicator(UINT id, int index = -1);
    BOOL RemoveIndicator(UINT id);
    void RemoveAll();
    int GetPaneCount() const { return static_cast<int>(panes_.size()); }
    CXTPStatusBarPane* GetPane(int index) const;
    CXTPStatusBarPane* FindPane(UINT id) const;
    int CommandToIndex(UINT id) const;
    BOOL SetPaneText(int index, LPCWSTR text);
    CString GetPaneText(int index) const;
    void SetPaneWidth(int index, int width);
    void SetPaneStyle(int index, UINT style);
    // The pane's rectangle in the bar's client area (empty for a hidden pane).
    void GetItemRect(int index, LPRECT rect) const;

    // The icons the bar's controls show: the toolkit's process-wide image manager.
    CXTPImageManager* GetImageManager() const;

    // Texts of the panes through the owner frame's route (WM_IDLEUPDATECMDUI).
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

protected:
    void PostNcDestroy() override {}
    DECLARE_MESSAGE_MAP()

private:
    std::vector<CXTPStatusBarPane*> panes_;
};
