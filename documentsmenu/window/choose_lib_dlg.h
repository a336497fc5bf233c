// The library chooser of the documents menu: a modal, resizable list of the libraries each loaded
// configuration holds directly, as "library (configuration)". OK, or a double click, takes the
// selected entry; OK without a selection still closes with IDOK, and then GetLibrary is null:
// callers take that as a cancel.
#pragma once

#include "platform/kernel.h"
#include "platform/mfc.h"
#include "platform/toolkit.h"

class CChooseLibDlg : public CXTPResizeDialog {
public:
    static constexpr UINT kTemplate = 202;
    static constexpr int kList = 1033;
    static constexpr UINT kIcon = 1243;
    static constexpr UINT kTitle = 10644;
    static constexpr int kHiddenControl = 3;

    explicit CChooseLibDlg(CWnd* parent = nullptr);
    ~CChooseLibDlg() override;

    DocumentsMenu::ILibrary* GetLibrary() const { return library_; }
    const CListBox& GetList() const { return list_; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    DECLARE_MESSAGE_MAP()

private:
    void fill();
    void setHorizontalExtent();

    CListBox list_;
    DocumentsMenu::ILibrary* library_ = nullptr;
    HICON icon_ = nullptr;
};
