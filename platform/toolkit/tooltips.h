// The tooltip context of command bars: the style of the tips and what they show.
#pragma once

#include "platform/mfc.h"

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
    void SetStyle(XTPToolTipStyle style) { style_ = style; }
    XTPToolTipStyle GetStyle() const { return style_; }
    void ShowTitleAndDescription(BOOL show = TRUE) { titleAndDescription_ = show; }
    BOOL IsShowTitleAndDescription() const { return titleAndDescription_; }
    void SetMaxTipWidth(int width) { maxTipWidth_ = width; }
    int GetMaxTipWidth() const { return maxTipWidth_; }
    // Hides the tip shown, if any.
    void CancelToolTips() { ++cancelled_; }
    int GetCancelCount() const { return cancelled_; }

private:
    XTPToolTipStyle style_ = xtpToolTipStandard;
    BOOL titleAndDescription_ = FALSE;
    int maxTipWidth_ = 0;
    int cancelled_ = 0;
};
