// The background-task bar of the status line: a progress bar that paints its own percentage.
#pragma once

#include "platform/mfc.h"

// What the bar paints for a position: nothing of its own below 1 (the plain control paints),
// else the done part in green and the rest in light grey, with the percentage centred in 10-point
// Tahoma.
struct TextProgressPaint {
    static constexpr COLORREF kDoneColour = RGB(6, 176, 37);
    static constexpr COLORREF kRestColour = 0xDCDCDC;
    static constexpr int kFontPoints10 = 100;  // CreatePointFont's tenths of a point
    static constexpr const wchar_t* kFontFace = L"Tahoma";

    bool plain = true;
    RECT done{};
    RECT rest{};
    CString text;
};

TextProgressPaint LayoutTextProgress(const RECT& client, int pos);

class CTextProgressCtrl : public CProgressCtrl {
public:
    CTextProgressCtrl() = default;
    // The paint of the control's current position over its client area.
    TextProgressPaint GetPaint();

protected:
    // Paints GetPaint's parts and text, clipped to the client area; below position 1 the plain
    // control paints.
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};
