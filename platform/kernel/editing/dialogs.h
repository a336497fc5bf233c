// The kernel's dialog bases for the program's own dialogs: the dialog with the product's look
// and the edit its dialogs use for numbers. The look is not modelled; both behave as the
// framework's dialog and a plain edit control.
#pragma once

#include <vector>

#include "platform/mfc.h"

// The kernel's plain dialog base of the application's own dialogs.
class CKorvoDialog : public CDialog {
public:
    explicit CKorvoDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}
};

class CKorvoXTPDialog : public CDialog {
    DECLARE_DYNAMIC(CKorvoXTPDialog)
public:
    explicit CKorvoXTPDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}
};

// An edit control of a kernel dialog, tied to the template's "EDIT" control (DDX_Control).
class CKVBasicEditEx : public CWnd {
    DECLARE_DYNAMIC(CKVBasicEditEx)
public:
    CKVBasicEditEx() = default;
    // The kernel's edit controls hear that the shown page changed (a new active view); recorded.
    static void ChangePage();
};

// The kernel's window-list dialog: the document windows of a main frame in a list (the active
// one selected). OK (Activate) makes the selected window the active one; Save saves its document;
// Close Window closes it; the four arrangement buttons cascade, tile (across, down) or minimise
// the frame's windows. The dialog stays open for everything but OK and Cancel.
class CKVWindowList : public CDialog {
    DECLARE_DYNAMIC(CKVWindowList)
public:
    static constexpr int kListId = 1000;
    static constexpr int kSaveButton = 1001, kCloseButton = 1002;
    static constexpr int kCascadeButton = 1003, kTileHorizontalButton = 1004, kTileVerticalButton = 1005,
                         kMinimizeButton = 1006;
    static constexpr int kArrangeButtons[] = {kCascadeButton, kTileHorizontalButton, kTileVerticalButton, kMinimizeButton};

    explicit CKVWindowList(CMDIFrameWnd* frame);
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The windows selected in the list.
    std::vector<CWnd*> GetSelectedWindows() const;

protected:
    // The selection changed, or the list was filled: a derived dialog updates its buttons.
    virtual void OnSelectionChanged() {}
    CMDIFrameWnd* GetFrame() const { return frame_; }

private:
    void fillList();
    void saveSelected();

    CMDIFrameWnd* frame_;
    std::vector<HWND> windows_;
};
