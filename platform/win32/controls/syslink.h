// The link control (window class "SysLink") and the static control's click notification.
// The link's window text is its markup: plain text with anchors, <a href="ADDRESS">text</a>.
// A user's click on it (LM_CLICKLINK, what the user agent sends) notifies the parent with
// NM_CLICK and the clicked anchor's address; a bare mouse click or Enter while it has the focus
// (NM_RETURN) names the first anchor. Headless, nothing is drawn.
#pragma once

#include <string>

#include "platform/win32/types.h"

inline constexpr wchar_t WC_LINK[] = L"SysLink";

inline constexpr UINT NM_RETURN = static_cast<UINT>(-4);
inline constexpr int L_MAX_URL_LENGTH = 2084;
inline constexpr int MAX_LINKID_TEXT = 48;
inline constexpr UINT LIF_ITEMINDEX = 0x1;
inline constexpr UINT LIF_URL = 0x8;

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
using PNMLINK = NMLINK*;

// A click on anchor wParam (from 0) of the link, as a user makes it: nothing on a hidden or
// disabled control or an anchor that is not there; TRUE when the parent was notified.
inline constexpr UINT LM_CLICKLINK = 0x0400 + 0x300;

// A static control with SS_NOTIFY tells its parent of clicks (WM_COMMAND, STN_CLICKED); clicking
// one as a user would is BM_CLICK's counterpart, STM_CLICK.
inline constexpr DWORD SS_NOTIFY = 0x0100;
inline constexpr WORD STN_CLICKED = 0;
inline constexpr UINT STM_CLICK = 0x0400 + 0x301;
// The icon a static control shows (wParam: the icon; answers the previous one), and asking it.
inline constexpr UINT STM_SETICON = 0x0170;
inline constexpr UINT STM_GETICON = 0x0171;

LRESULT SysLinkWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

namespace platform::win32 {
// The address of anchor `index` of link markup; empty when there is no such anchor.
std::wstring linkAddress(const std::wstring& markup, int index);
}  // namespace platform::win32
