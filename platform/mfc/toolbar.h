// The framework's plain tool bar: a child window of a frame holding buttons with command ids,
// laid out by the frame along its top edge. Its buttons come from a tool-bar resource of the
// program (registered once with AfxAddToolBarResource, as the resource compiler would have put it
// into the program file); 0 in a resource is a separator. The frame asks the update handlers of
// the buttons at idle time (checked state kept per button) and a click sends WM_COMMAND to the
// frame.
#pragma once

#include <vector>

#include "platform/mfc/wnd.h"

inline constexpr DWORD TBSTYLE_FLAT = 0x0800;
inline constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
inline constexpr DWORD CBRS_TOOLTIPS = 0x0010;
inline constexpr DWORD CBRS_FLYBY = 0x0020;
inline constexpr DWORD CBRS_ALIGN_TOP = 0x1000;
inline constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
inline constexpr UINT AFX_IDW_TOOLBAR = 0xE800;

struct ToolBarResource {
    UINT id = 0;
    SIZE button{};
    std::vector<UINT> items;  // command ids, 0 for a separator
};
// Adds a tool-bar resource of the program (a second one with the same id replaces the first).
void AfxAddToolBarResource(ToolBarResource resource);

class CToolBar : public CWnd {
    DECLARE_DYNAMIC(CToolBar)
public:
    // The window ("ToolbarWindow32", a visible child of `parent` with id `id`), height 22.
    using CWnd::CreateEx;
    BOOL CreateEx(CWnd* parent, DWORD controlStyle = TBSTYLE_FLAT, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP,
                  RECT borders = RECT{}, UINT id = AFX_IDW_TOOLBAR);
    // FALSE when the program has no such resource (the bar keeps no buttons then).
    BOOL LoadToolBar(UINT resourceId);

    const std::vector<UINT>& GetButtonIds() const { return buttons_; }
    SIZE GetButtonSize() const { return buttonSize_; }
    DWORD GetBarStyle() const { return barStyle_; }
    // The checked state the frame's update pass gave button `id`.
    BOOL IsButtonChecked(UINT id) const;
    void SetButtonChecked(UINT id, BOOL checked);
    // Runs the update handlers of the buttons through `target` (the frame's route).
    void UpdateButtons(CCmdTarget* target);

private:
    std::vector<UINT> buttons_;
    std::vector<UINT> checked_;
    SIZE buttonSize_{};
    DWORD barStyle_ = 0;
};
