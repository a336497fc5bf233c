// The kernel's list button: the small drop-down button an edit shows at its right end when it
// has a value list. It is a child window of the edit; a click (button pressed and released on it
// while enabled) is handed to its parent object.
#pragma once

#include "platform/mfc.h"

class CListButtonXP;

// What owns a list button and hears its clicks (the edit window).
class CListButtonXPParent {
public:
    virtual ~CListButtonXPParent() = default;
    virtual void OnListButtonClicked(CListButtonXP& button) = 0;
};

class CListButtonXP : public CWnd {
public:
    static constexpr const wchar_t* kClassName = L"ListButtonXP";

    // A hidden child window of `parentWindow` at `rect` with control id `id`; `owner` hears the
    // clicks and must outlive the window.
    BOOL CreateButton(CListButtonXPParent& owner, CWnd& parentWindow, const RECT& rect, UINT id);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CListButtonXPParent* owner_ = nullptr;
    bool pressed_ = false;
};
