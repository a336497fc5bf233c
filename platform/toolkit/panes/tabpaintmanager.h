// How tabs are measured and drawn: the document tabs' and the docking panes' tab groups each have
// one. Fonts have the platform's deterministic metrics.
#pragma once

#include "platform/mfc.h"
#include "platform/win32/gdi.h"

enum XTPTabLayoutStyle { xtpTabLayoutAutoSize = 0, xtpTabLayoutSizeToFit = 1, xtpTabLayoutFixed = 2, xtpTabLayoutCompressed = 3, xtpTabLayoutMultiRow = 4 };

class CXTPTabPaintManager : public CCmdTarget {
public:
    CXTPTabPaintManager();
    ~CXTPTabPaintManager() override;
    CXTPTabPaintManager(const CXTPTabPaintManager&) = delete;
    CXTPTabPaintManager& operator=(const CXTPTabPaintManager&) = delete;

    BOOL m_bBoldNormal = FALSE;    // normal tabs drawn in the bold font
    BOOL m_bBoldSelected = TRUE;   // the selected tab drawn in the bold font
    BOOL m_bStaticFrame = TRUE;
    BOOL m_bShowIcons = TRUE;
    RECT m_rcButtonMargin{4, 2, 4, 2};   // inside each tab, around its contents
    RECT m_rcControlMargin{0, 0, 0, 0};  // around the tab control

    void SetLayout(XTPTabLayoutStyle layout) { layout_ = layout; }
    XTPTabLayoutStyle GetLayout() const { return layout_; }
    int GetAppearance() const { return appearance_; }
    void SetAppearance(int appearance) { appearance_ = appearance; }
    int GetFixedTabWidth() const { return fixedWidth_; }
    void SetFixedTabWidth(int width) { fixedWidth_ = width; }
    SIZE GetIconSize() const { return SIZE{16, 16}; }
    HFONT GetFont() const { return font_; }
    HFONT GetBoldFont() const { return boldFont_; }
    // The header height of a tab group.
    int GetHeaderHeight() const { return 24; }
    int GetRedrawCount() const { return redraws_; }
    void RefreshMetrics() { ++redraws_; }

private:
    XTPTabLayoutStyle layout_ = xtpTabLayoutAutoSize;
    int appearance_ = 0;
    int fixedWidth_ = 0;
    int redraws_ = 0;
    HFONT font_;
    HFONT boldFont_;
};
