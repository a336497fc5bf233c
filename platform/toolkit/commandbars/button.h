// The toolkit's push button: a child window that sends WM_COMMAND (BN_CLICKED) with its id to
// its parent when clicked, and shows an icon and a tooltip. No image is drawn: the icon is kept
// as the file and size it was given.
#pragma once

#include "platform/mfc.h"

class CXTPButton : public CWnd {
public:
    CXTPButton() = default;

    virtual BOOL Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    // The icon, by the image file it came from, at `size` pixels.
    void SetIconFile(LPCWSTR file, SIZE size);
    const CString& GetIconFile() const { return iconFile_; }
    SIZE GetIconSize() const { return iconSize_; }
    void SetTooltip(LPCWSTR text) { tooltip_ = text ? text : L""; }
    const CString& GetTooltip() const { return tooltip_; }

    // The user's click: WM_COMMAND to the parent (nothing for a hidden or disabled button).
    BOOL Click();

private:
    CString iconFile_;
    SIZE iconSize_{0, 0};
    CString tooltip_;
};
