// Messages the toolkit sends to the site of its command bars and docking panes, and the records
// they carry.
#pragma once

#include "platform/win32/types.h"
#include "platform/win32/window/menus.h"  // the popup-menu tracking flags
#include "platform/win32/window/window.h"

class CXTPCommandBar;
class CXTPControl;

// A command bar asks its site for the control of one id of a button list (SetButtons); lParam is
// an XTP_COMMANDBARS_CREATECONTROL*. A non-zero answer with a control in the record hands that
// control (with the reference it carries) to the bar.
inline constexpr UINT XTPWM_CREATECONTROL = WM_USER + 9310;
// Before a control is shown the site may change its text; lParam is an NMXTPCONTROL*.
inline constexpr UINT XTPWM_UPDATECONTROLTEXT = WM_USER + 9311;
// A control was executed; wParam is the notification code, lParam an NMXTPCONTROL*. A non-zero
// answer means the site handled it and no WM_COMMAND follows.
inline constexpr UINT XTPWM_CONTROLNOTIFY = WM_USER + 9314;
// A popup bar is about to open or has closed; lParam is the popup's CXTPCommandBar*.
inline constexpr UINT XTPWM_INITCOMMANDSPOPUP = WM_USER + 9307;
inline constexpr UINT XTPWM_UNINITCOMMANDSPOPUP = WM_USER + 9309;
// A popup bar was torn off into a tool bar.
inline constexpr UINT XTPWM_TEAROFFDONE = WM_USER + 9319;
// A tab tool bar's tabs changed (a tab shown or hidden); lParam is the CXTPTabToolBar*. The site
// brings the bar up to date (CXTPTabToolBar::UpdateTabs).
inline constexpr UINT XTPWM_TABTOOLBARREFRESH = WM_USER + 9316;
// To the site: the user made a tool bar; lParam is the new CXTPToolBar*.
inline constexpr UINT XTPWM_CUSTOMBARADDED = WM_USER + 9317;
static_assert(XTPWM_CUSTOMBARADDED == 10341);
// The toolkit's own message texts (XTPResourceString): no tool-bar id left; a tool bar of that
// title exists already (a format with the title).
inline constexpr UINT XTP_IDS_NO_FREE_TOOLBAR_ID = 9165;
inline constexpr UINT XTP_IDS_TOOLBAR_EXISTS = 9166;
// The customise sheet's question before the usage data of the commands is reset, and the names
// of the menu animations (xtpAnimateWindowsDefault to xtpAnimateNone, in that order).
inline constexpr UINT XTP_IDS_CONFIRM_RESET_USAGE = 9170;
inline constexpr UINT XTP_IDS_ANIMATION_SYSDEF = 9179;
inline constexpr UINT XTP_IDS_ANIMATION_NONE = 9184;
// A docking pane changed; wParam is the notification code, lParam the pane or an action record.
inline constexpr UINT XTPWM_DOCKINGPANE_NOTIFY = WM_USER + 9901;


// The notification code of an executed control.
inline constexpr UINT CBN_XTP_EXECUTE = 100;

// How a button shows itself.
enum XTPButtonStyle {
    xtpButtonAutomatic = 0,
    xtpButtonCaption = 1,
    xtpButtonIcon = 2,
    xtpButtonIconAndCaption = 3,
    xtpButtonIconAndCaptionBelow = 4,
};

// The kinds of control.
enum XTPControlType {
    xtpControlError = 0,
    xtpControlButton = 1,
    xtpControlPopup = 2,
    xtpControlButtonPopup = 3,
    xtpControlSplitButtonPopup = 4,
    xtpControlComboBox = 5,
    xtpControlEdit = 6,
    xtpControlCustom = 7,
    xtpControlLabel = 8,
    xtpControlCheckBox = 9,
    xtpControlGallery = 10,
    xtpControlStatic = 11,
};

struct XTP_COMMANDBARS_CREATECONTROL {
    UINT nID = 0;
    CXTPControl* pControl = nullptr;        // the site's answer
    BOOL bToolBar = FALSE;                  // the request comes from a tool bar's button list
    CXTPCommandBar* pCommandBar = nullptr;  // the bar asking
    XTPControlType controlType = xtpControlButton;           // the type of the default control; the site may change it
    XTPButtonStyle buttonStyle = xtpButtonAutomatic;
    int nIndex = 0;                         // position in the bar
};

struct NMXTPCONTROL {
    NMHDR hdr;
    CXTPControl* pControl = nullptr;
};
