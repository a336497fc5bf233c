// The tooltip context of command bars: the style of the tips and what they show.
#pragma once

#include <memory>

#include "platform/mfc.h"
#include "platform/toolkit/commandbars/tooltip_window.h"

class CXTPControl;

enum XTPToolTipStyle {
    xtpToolTipStandard = 0,
    xtpToolTipBalloon = 1,
    xtpToolTipOffice = 2,
    xtpToolTipRTF = 3,
    xtpToolTipLuna = 4,
    xtpToolTipOffice2007 = 5,
    xtpToolTipHTML = 6,
    xtpToolTipResource = 7,
    xtpToolTipMarkup = 8,
};

class CXTPToolTipContext : public CCmdTarget {
public:
    CXTPToolTipContext();
    ~CXTPToolTipContext() override;

    void SetStyle(XTPToolTipStyle style) { style_ = style; }
    XTPToolTipStyle GetStyle() const { return style_; }
    void ShowTitleAndDescription(BOOL show = TRUE) { titleAndDescription_ = show; }
    BOOL IsShowTitleAndDescription() const { return titleAndDescription_; }
    void SetMaxTipWidth(int width) { maxTipWidth_ = width; }
    int GetMaxTipWidth() const { return maxTipWidth_; }
    // Hides the tip shown, if any.
    void CancelToolTips();
    int GetCancelCount() const { return cancelled_; }

    // Margins around the text, the bold title font's use and the tip text colour.
    RECT GetMargin() const { return margin_; }
    void SetMargin(RECT margin) { margin_ = margin; }
    COLORREF GetTipTextColor() const { return textColor_; }
    void SetTipTextColor(COLORREF color) { textColor_ = color; }
    DWORD GetControlStyle() const { return controlStyle_; }

    // The mouse rests on `control` of a bar of `owner`'s: the context makes its tooltip window
    // (CreateToolTip, once) and shows the control's tip: title = caption, text = tooltip (or the
    // caption when there is no tooltip). False when the tip cannot be shown.
    bool ShowToolTip(const CXTPControl& control, CWnd* owner, POINT screen);
    // The mouse rests on a tool a window's own hit test found (a row of a list, say): the same
    // tip window shows `tool`. False when the tip cannot be shown.
    bool ShowTool(const XTPToolTipTool& tool, CWnd* owner, POINT screen);
    // The window of the tips, or null before the first.
    CXTPToolTipContextToolTip* GetToolTip() const { return tip_.get(); }
    // The id of the control whose tip is shown, or -1.
    int GetShownToolId() const;

protected:
    // Makes the tooltip window under `parent`; the context owns it.
    virtual CXTPToolTipContextToolTip* CreateToolTip(CWnd* parent);
    void SetToolTip(CXTPToolTipContextToolTip* tip) { tip_.reset(tip); }

private:
    XTPToolTipStyle style_ = xtpToolTipStandard;
    BOOL titleAndDescription_ = FALSE;
    int maxTipWidth_ = 0;
    int cancelled_ = 0;
    RECT margin_{2, 2, 2, 2};
    COLORREF textColor_ = 0;
    DWORD controlStyle_ = 0;
    std::unique_ptr<CXTPToolTipContextToolTip> tip_;
};
