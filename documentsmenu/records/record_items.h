// The cells of the structure rows: text cells that read and write one property of their row
// through an editor, name cells that draw a library's or a document's icon, the Visible cell and
// the browse button of library paths.
#pragma once

#include <functional>
#include <memory>

#include "documentsmenu/records/record_editors.h"
#include "platform/kernel.h"
#include "platform/toolkit.h"

namespace DocumentsMenu {

class ReportRecordItem : public CXTPReportRecordItem {
public:
    using Action = std::function<void()>;
    // Takes the editor; the caption starts as the editor's value.
    ReportRecordItem(IRecordTextValueEditor* editor, Action action);

    void OnDblClick(XTP_REPORTRECORDITEM_CLICKARGS* args) override;
    int Compare(CXTPReportColumn* column, CXTPReportRecordItem* item) override;
    bool GetSortKey(CXTPReportColumn* column, int& priority, CString& caption) const override;
    void OnEditChanged(XTP_REPORTRECORDITEM_ARGS* args, LPCWSTR text) override;
    // In-place editing of this cell in its report control.
    void StartEdit();

private:
    std::unique_ptr<IRecordTextValueEditor> editor_;
    Action action_;
};

class LibraryRecordItemName : public ReportRecordItem {
public:
    LibraryRecordItemName(ILibrary* library, IRecordTextValueEditor* editor, Action action);
    int GetIconIndex() const override;
    // The row forgets a destroyed library; the cell then draws no folder state.
    void ForgetLibrary() { library_ = nullptr; }

private:
    ILibrary* library_;
};

class DocumentRecordItemName : public ReportRecordItem {
public:
    DocumentRecordItemName(ILibrary* library, const CString& documentName, IRecordTextValueEditor* editor,
                           Action action);
    int GetIconIndex() const override;
    // The stored name only: the row sets the caption itself.
    void SetName(const CString& documentName) { documentName_ = documentName; }

private:
    ILibrary* library_;
    CString documentName_;
};

class ReportRecordIconItem : public CXTPReportRecordItem {
public:
    ReportRecordIconItem(UINT shownIcon, UINT hiddenIcon);
    void OnClick(XTP_REPORTRECORDITEM_CLICKARGS* args) override;
    int GetIconIndex() const override;

private:
    UINT shownIcon_;
    UINT hiddenIcon_;
};

class LibraryRecordButtonBrowse : public CXTPReportRecordItemButton {
public:
    explicit LibraryRecordButtonBrowse(ILibrary* library);
    void OnLButtonUp(XTP_REPORTRECORDITEM_CLICKARGS* args) override;
    void ForgetLibrary() { library_ = nullptr; }

private:
    ILibrary* library_;
};

}  // namespace DocumentsMenu
