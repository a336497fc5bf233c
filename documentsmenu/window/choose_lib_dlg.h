// The library chooser of the documents menu: a modal dialog over the open configurations'
// libraries. Choosing comes with the chooser's own list; until then it is always cancelled.
#pragma once

#include "platform/kernel.h"
#include "platform/mfc.h"

class CChooseLibDlg {
public:
    explicit CChooseLibDlg(CWnd* parent = nullptr) : parent_(parent) {}

    // IDOK when a library was chosen (GetLibrary then names it); IDCANCEL otherwise.
    INT_PTR DoModal();
    DocumentsMenu::ILibrary* GetLibrary() const { return library_; }
    CWnd* GetParent() const { return parent_; }

private:
    CWnd* parent_;
    DocumentsMenu::ILibrary* library_ = nullptr;
};
