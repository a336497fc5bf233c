// The toolkit's tab client: attached to an MDI frame, it takes over the frame's MDI client window
// and shows one tab per MDI child (text, tooltip from overridable virtuals), the selected tab
// following the active child. Detaching gives the client back.
#pragma once

#include <vector>

#include "platform/mfc.h"

class CXTPPropExchange;

enum XTPTabPosition { xtpTabPositionTop = 0, xtpTabPositionLeft = 1, xtpTabPositionBottom = 2, xtpTabPositionRight = 3 };

class CXTPTabClientWnd : public CWnd {
    DECLARE_DYNCREATE(CXTPTabClientWnd)
public:
    CXTPTabClientWnd() = default;
    ~CXTPTabClientWnd() override;

    // Takes over `frame`'s MDI client window. FALSE when the frame has none or one is attached.
    BOOL Attach(CMDIFrameWnd* frame, BOOL enableGroups = FALSE);
    // Gives the MDI client back to itself.
    void Detach();
    BOOL IsAttached() const { return frame_ != nullptr; }
    CMDIFrameWnd* GetFrame() const { return frame_; }

    // The tabs: the frame's MDI children in the client's order.
    int GetItemCount() const { return static_cast<int>(items().size()); }
    HWND GetItemWindow(int index) const;
    // -1 without an active child.
    int GetSelectedItem() const;
    virtual CString GetItemText(CWnd* child) const;
    virtual CString GetItemTooltip(CWnd* child) const { return GetItemText(child); }

    void SetTabPosition(XTPTabPosition position) { position_ = position; }
    XTPTabPosition GetTabPosition() const { return position_; }
    void SetFixedTabWidth(int width) { fixedWidth_ = width; }
    int GetFixedTabWidth() const { return fixedWidth_; }
    void ShowNewWindowItem(BOOL show) { newWindowItem_ = show; }
    BOOL IsNewWindowItemShown() const { return newWindowItem_; }
    BOOL IsGroupsEnabled() const { return groups_; }

    // The tab settings through a property exchange (a section of the caller's choosing).
    virtual void DoPropExchange(CXTPPropExchange* px);

protected:
    // The client stays a window of the frame when the object lets it go.
    void PostNcDestroy() override {}

private:
    std::vector<HWND> items() const;

    CMDIFrameWnd* frame_ = nullptr;
    XTPTabPosition position_ = xtpTabPositionTop;
    int fixedWidth_ = 0;
    BOOL newWindowItem_ = FALSE;
    BOOL groups_ = FALSE;
};
