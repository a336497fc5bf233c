// The Windows colour dialog. The user agent answers it as a kernel dialog of kind "colour" whose
// text is "R,G,B"; its custom colours are the caller's array, which the dialog may change.
#pragma once

#include <string>

#include "platform/mfc/wnd.h"

#define CC_RGBINIT 0x00000001
#define CC_FULLOPEN 0x00000002
#define CC_SOLIDCOLOR 0x00000080

struct CHOOSECOLORW {
    HWND hwndOwner = nullptr;
    COLORREF rgbResult = 0;
    COLORREF* lpCustColors = nullptr;  // 16 colours
    DWORD Flags = 0;
};

class CColorDialog {
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    // IDOK with the chosen colour, or IDCANCEL.
    INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }

    CHOOSECOLORW m_cc;
};

// "R,G,B" of a colour, as the colour dialog's answer is written.
std::wstring ColourTriple(COLORREF colour);
