// The framework's dialogs: a dialog built from a template of the product's resources
// (platform/mfc/dialogs/dialog_templates.h), run modally. DoModal disables the owner's top-level window,
// sends WM_INITDIALOG (OnInitDialog, which transfers data into the controls), shows the dialog
// and runs a modal loop on the thread's queue: the thread's own PumpMessage while messages wait,
// WM_KICKIDLE when none do, and then the simulated user, who acts one step at a time (a click,
// a text, OK or Cancel) as the controls' real notifications would. The owner is enabled again
// before the dialog window goes, so activation returns to it. A dialog the user agent does not
// expect is cancelled (and is a failure in strict mode); a dialog whose template is missing or
// broken does not open (DoModal gives -1) and is a failure naming the template and its problem.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "platform/mfc/cstring.h"
#include "platform/mfc/dialogs/dialog_templates.h"
#include "platform/mfc/wnd.h"
#include "platform/win32/controls/button.h"
#include "platform/win32/controls/edit.h"

// void handler(): the button with the id was clicked.
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)

// The direction and the dialog of one data transfer.
class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    // The control with the id; a strict failure naming the id and the template when there is
    // none (the transfer then skips it).
    HWND PrepareCtrl(int nIDC);

    BOOL m_bSaveAndValidate;  // TRUE: controls to members
    CWnd* m_pDlgWnd;
};

// Ties `control` to the dialog's control with the id (subclassed once, on the first transfer).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control);
// The index of the checked radio button in the group that starts at `nIDC` (-1 when none is).
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or what EndDialog was given; -1 when the dialog could not be made.
    virtual INT_PTR DoModal();
    // Makes the dialog modeless from template `nIDTemplate`: a top-level window owned by
    // `pParentWnd` (centred on it; the caller places it), initialised (WM_INITDIALOG) and
    // left hidden; FALSE, a failure naming the template, when it cannot be made. Ending it is
    // the caller's: DestroyWindow.
    using CWnd::Create;
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // Transfers data into the controls; TRUE lets the first control take the focus.
    virtual BOOL OnInitDialog();
    // Transfers data out of the controls and ends with IDOK.
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int nResult);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    UINT GetTemplateID() const { return m_nIDTemplate; }
    // What a dialog's controls answer, by id.
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const;
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    void SetDlgItemText(int nID, LPCWSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);
    afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);
    // A dialog made from no template (template id 0) builds itself from this one; `name` is what
    // the UI library calls it (the user agent may expect it by that name).
    void SetInlineTemplate(platform::mfc::DialogTemplate dialog, std::wstring name);
    // Makes the dialog from its template as a child window of `parent` at (x, y) (a property
    // page inside its sheet); false when it cannot be made.
    bool CreateChild(HWND parent, int x, int y);
    // The template the dialog is made from; the problem when there is none.
    std::variant<platform::mfc::DialogTemplate, std::wstring> FindTemplate() const;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    bool createFromTemplate(HWND owner);
    void createControls(const platform::mfc::DialogTemplate& dialog);
    void runModalLoop();

    INT_PTR m_nModalResult = -1;
    bool m_inModalLoop = false;
    std::optional<platform::mfc::DialogTemplate> m_inlineTemplate;
    std::wstring m_dialogName;
};
