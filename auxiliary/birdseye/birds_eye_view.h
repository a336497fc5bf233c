// The overview inside the bird's-eye-view pane: the whole sheet of the followed 2D view at a
// small scale, the part that view shows marked with an XOR rectangle, and the mouse modes that
// pick a new visible area (a rubber band, or a fixed-size frame that follows the mouse).
#pragma once

#include <optional>
#include <string>

#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "platform/mfc.h"

class KVBEView : public CWnd {
public:
    // The update modes the options dialog offers; with kUpdateOnRequest the kernel's
    // invalidation requests are ignored.
    static constexpr int kUpdateOnRequest = 2;

    KVBEView();
    // The view's window: a visible child filling nothing yet; false when it cannot be made.
    bool CreateView(CWnd* parent);

    // The active view changed (null: none).
    void SetView(CKVView* view);
    // The kernel redrew the followed view: the visible area follows.
    void Redraw();
    // The kernel's request to paint the overview anew.
    void Invalidate();
    // Paints anew whatever the update mode.
    void Repaint();

    bool IsFrameMode() const { return frameMode_; }
    bool IsDragging() const { return dragging_; }
    // Switches the mouse mode; a captured frame is erased and the mouse released first.
    void SetFrameMode(bool frameMode);
    int GetUpdateMode() const { return updateMode_; }
    void SetUpdateMode(int mode) { updateMode_ = mode; }
    void SetBackground(COLORREF colour) { background_ = colour; }
    // Erases the mode frame when captured and lets the mouse go.
    void DropCapturedFrame();

    // The state as text: modes, half sizes, the followed view, the visible area and what the XOR
    // drawing has on screen now, the last zoom window.
    std::wstring Outline() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct WorldRect {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    };

    CKVView* View() const;
    KVDocument* Container() const;
    const STATUS* Page() const;
    bool InClient(POINT point) const;
    RECT FrameAround(POINT point) const;

    void OnPaint();
    void OnLeftDown(POINT point);
    void OnLeftUp(POINT point);
    void OnMove(POINT point);
    void OnDoubleClick(POINT point);
    void OnRightDown(POINT point);
    bool OnKey(UINT key);

    // XOR outline of `rect` on the client area; the second drawing of the same rectangle erases.
    void DrawFrame(const RECT& rect);
    void ShowFrame(const RECT& rect);
    void HideFrame();
    void UpdateVisibleArea();
    void DrawVisibleArea(HDC dc);
    void EraseVisibleArea();
    void ZoomTo(POINT first, POINT second);
    void SetHalfSizesFromBand(int dx, int dy);

    HWND view_ = nullptr;                  // the followed view's window, resolved on each use
    const KVDocument* container_ = nullptr; // compared only: says whether the document changed
    int page_ = 0;
    POINT dragStart_{};
    RECT frame_{-1, -1, -1, -1};
    POINT dragCurrent_{};
    int halfWidth_ = 0;
    int halfHeight_ = 0;
    bool dragging_ = false;
    bool frameMode_ = false;
    bool captured_ = false;
    bool visibleShown_ = false;
    double visible_[4] = {};
    int updateMode_ = 1;
    COLORREF background_;
    bool frameShown_ = false;  // frame_ is on screen (drawn an odd number of times)
    std::optional<WorldRect> lastZoom_;
};
