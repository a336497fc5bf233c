// The document file dialog the kernel asks the application for: the framework's chooser, and
// for saving a button that names the document by the installation's naming rules.
#pragma once

#include <memory>

#include "platform/kernel.h"
#include "platform/managedui.h"

class CDocumentFileDialog : public CKVFileDialog, public IKorvoFileDialog {
public:
    static constexpr UINT kAutoNameButton = 10000;

    // `document`: the active document, which the naming rules name (none: no naming button).
    CDocumentFileDialog(const CKVFileDialogOptions& options, CWnd* parent, CDocument* document);

    INT_PTR ShowDialog() override { return DoModal(); }
    CString GetChosenPath() const override { return GetPathName(); }

protected:
    BOOL OnPushButtonClicked(UINT id) override;

private:
    CWnd* parent_;
    // Lives as long as the dialog.
    std::unique_ptr<KorvoManagedUIProxy::AutoNamer> namer_;
};
