// The report controls of the documents menu's structure views (the configurations tree and the
// flat libraries list): they hold the window whose view state their rows follow.
#pragma once

#include "documentsmenu/documents_menu_dlg.h"
#include "platform/korvoui.h"
#include "platform/toolkit.h"

namespace DocumentsMenu {

class StructureBase : public CXTPReportControl {
public:
    explicit StructureBase(DocumentsMenuDlg* window) : window_(window) {}

    DocumentsMenuDlg* GetDocumentsMenuDlg() const { return window_; }
    // The Visible column's header shows whether hidden rows are shown.
    void UpdateVisibleColumnIcon();
    int GetVisibleColumnIcon() const { return visibleColumnIcon_; }

private:
    DocumentsMenuDlg* window_;
    int visibleColumnIcon_ = -1;
};

}  // namespace DocumentsMenu
