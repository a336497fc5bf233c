// The link control (window class "SysLink"): its window text is markup, plain text with links
// written as <A HREF="url">text</A>. A click on it, or Enter while it has the focus, tells its
// parent (WM_NOTIFY, NM_CLICK or NM_RETURN with an NMLINK naming the first link's URL).
// Headless: nothing is drawn.
#pragma once

#include "platform/win32/controls/listview.h"
#include "platform/win32/types.h"

inline constexpr wchar_t WC_LINK[] = L"SysLink";
inline constexpr UINT NM_RETURN = static_cast<UINT>(-4);
inline constexpr int L_MAX_URL_LENGTH = 2084;
inline constexpr int MAX_LINKID_TEXT = 48;

struct LITEM {
    UINT mask = 0;
    int iLink = 0;
    UINT state = 0;
    UINT stateMask = 0;
    WCHAR szID[MAX_LINKID_TEXT] = {};
    WCHAR szUrl[L_MAX_URL_LENGTH] = {};
};

struct NMLINK {
    NMHDR hdr;
    LITEM item;
};

LRESULT SysLinkWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
