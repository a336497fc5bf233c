// The toolkit's push button: a child window that sends WM_COMMAND (BN_CLICKED) with its id to
// its parent when clicked, and shows an icon and a tooltip. No image is drawn: the icon is kept
// with the size it was given.
#pragma once

#include "platform/mfc.h"

class CXTPImageManagerIcon;

class CXTPButton : public CWnd {
public:
    CXTPButton() = default;
    ~CXTPButton() override;
    CXTPButton(const CXTPButton&) = delete;
    CXTPButton& operator=(const CXTPButton&) = delete;

    virtual BOOL Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    // The icon shown at `size` pixels; the button holds a reference on it.
    void SetIcon(SIZE size, CXTPImageManagerIcon* icon);
    CXTPImageManagerIcon* GetIcon() const { return icon_; }
    SIZE GetIconSize() const { return iconSize_; }
    void SetTooltip(LPCWSTR text) { tooltip_ = text ? text : L""; }
    const CString& GetTooltip() const { return tooltip_; }

    // The user's click: WM_COMMAND to the parent (nothing for a hidden or disabled button).
    BOOL Click();

private:
    CXTPImageManagerIcon* icon_ = nullptr;
    SIZE iconSize_{0, 0};
    CString tooltip_;
};
