// The tooltips of the program's command bars: rich tips with the command's title, short text,
// keyboard call, shortcut and name, that turn into the long description with its picture after
// the tip has stayed open two seconds.
#pragma once

#include "platform/korvoui.h"

class KVExtendedToolTip;

class CKVToolTipContext : public CXTPToolTipContext {
public:
    // `bars` is the command bars served; null for the command search list (which then uses the
    // active main frame's).
    explicit CKVToolTipContext(CXTPCommandBars* bars) : bars_(bars) {}
    CXTPCommandBars* GetServedCommandBars() const;

protected:
    CXTPToolTipContextToolTip* CreateToolTip(CWnd* parent) override;

private:
    CXTPCommandBars* bars_;
};

class KVExtendedToolTip : public CXTPToolTipContextToolTip {
public:
    static constexpr UINT_PTR kExtendTimer = 101;
    static constexpr UINT kExtendDelay = 2000;
    static constexpr COLORREF kBackground = 0xF2F2F2;
    static constexpr COLORREF kBorder = 0xA0A0A0;

    explicit KVExtendedToolTip(CKVToolTipContext* context) : kvContext_(context) {}

    bool IsExtended() const { return extended_; }
    bool HasExtendedContent() const { return hasExtended_; }

    SIZE GetToolSize(const XTPToolTipTool& tool) override;
    void DrawContent(CXTPToolTipDrawing& dc, const XTPToolTipTool& tool, RECT rect) override;
    void DrawBackground(CXTPToolTipDrawing& dc, RECT rect) override;
    void OnActivate(BOOL show) override;

protected:
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg LRESULT OnDelTool(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The record of the tool, when rich tips apply to it.
    const CommandTooltipInfo* recordFor(const XTPToolTipTool& tool) const;
    // The tip hidden entirely (screen tips set and off).
    bool tipsOff() const;

    CKVToolTipContext* kvContext_;
    int contentWidth_ = 200;
    bool extended_ = false;
    int extraHeight_ = 0;
    bool hasExtended_ = false;
    bool separator_ = false;
};
