// The kernel's document file dialogs: what the kernel asks of one, the interface it drives it
// through, and the framework dialog the application's document dialog derives from.
#pragma once

#include "platform/kernel/ui/file_selection.h"
#include "platform/mfc.h"

// What the kernel asks of a document file dialog.
class CKVFileDialogOptions {
public:
    bool open = true;
    CString defaultExtension;
    CString fileName;  // the entry the name box starts with; a folder part may lead it
    CString filter;    // "name|pattern|...|"
    CString title;
    CString initialFolder;
    DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
};

// The kernel's side of a document file dialog.
class IKorvoFileDialog {
public:
    virtual ~IKorvoFileDialog() = default;
    // IDOK with the chosen path, or IDCANCEL.
    virtual INT_PTR ShowDialog() = 0;
    virtual CString GetChosenPath() const = 0;
};

// The kernel's framework file dialog, set up from the options, or from the description the
// kernel's own chooser takes (its settings are kept under the description's name).
class CKVFileDialog : public CFileDialog {
public:
    CKVFileDialog(const CKVFileDialogOptions& options, CWnd* parent)
        : CFileDialog(options.open, options.defaultExtension, options.fileName, options.flags, options.filter, parent) {
        m_strTitle = options.title;
        m_strInitialDir = options.initialFolder;
    }
    CKVFileDialog(const FileDialogInfo& info, CWnd* parent);
    // The folder the dialog starts in.
    void SetInitialPath(LPCWSTR folder);
    const CString& GetSettingsName() const { return m_settingsName; }

private:
    CString m_settingsName;
};
