// The ribbon's backstage view: it shows the direct-print controls by the kernel's setting and
// keeps the frame's floating panes and bars out of the way while it is open.
#pragma once

#include <functional>
#include <vector>

#include "platform/toolkit.h"

class RibbonBackstageView : public CXTPRibbonBackstageView {
    DECLARE_DYNCREATE(RibbonBackstageView)
public:
    // The main frame's visible floating pane windows and floating bars, in its order.
    using FloatingWindows = std::function<std::vector<HWND>()>;
    void SetFloatingWindows(FloatingWindows windows) { floatingWindows_ = std::move(windows); }

    void Popup() override;
    // What the view's window does as it goes: the hidden windows come back, the print page
    // lets go of its print window.
    void Close() override;
    CXTPCommandBar* Clone(BOOL recursive = FALSE) override;
    const std::vector<HWND>& GetHiddenWindows() const { return hidden_; }

private:
    FloatingWindows floatingWindows_;
    std::vector<HWND> hidden_;  // in the order they were hidden, each once
};

// Enables or disables one backstage tab from the command routing's answer.
class BackstageTabCmdUi : public CCmdUI {
public:
    explicit BackstageTabCmdUi(CXTPRibbonBackstageView::Tab& tab) : tab_(tab) {}
    void Enable(BOOL on = TRUE) override;

private:
    CXTPRibbonBackstageView::Tab& tab_;
};

// Makes one tab the view's only default item for its lifetime; the marks it found come back.
class SavedDefaultItems {
public:
    SavedDefaultItems(CXTPRibbonBackstageView& view, int index);
    ~SavedDefaultItems();
    SavedDefaultItems(const SavedDefaultItems&) = delete;
    SavedDefaultItems& operator=(const SavedDefaultItems&) = delete;

private:
    CXTPRibbonBackstageView& view_;
    std::vector<BOOL> marks_;
};
