// The kernel's document-properties dialog over a document file that is not open: the summary
// properties are read from the file, shown for editing, and written back into it when the user
// confirms a change.
#include <iterator>

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/kernel/documents/compound_reads.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"
#include "platform/win32/files/file.h"

namespace {

constexpr const wchar_t* kNames[] = {L"Author", L"Company", L"Comments", L"Title", L"Subject", L"Category", L"Keywords"};
constexpr int kFirstEdit = 1200;

platform::mfc::DialogTemplate propertiesTemplate() {
    platform::mfc::DialogTemplate dialog;
    dialog.caption = L"Properties";
    dialog.size = SIZE{360, 60 + 30 * static_cast<LONG>(std::size(kNames))};
    LONG top = 10;
    for (int index = 0; index < static_cast<int>(std::size(kNames)); ++index, top += 30) {
        dialog.controls.push_back({-1, L"STATIC", WS_CHILD | WS_VISIBLE, kNames[index], RECT{10, top + 4, 100, top + 20}});
        dialog.controls.push_back({kFirstEdit + index, L"EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, L"",
                                   RECT{110, top, 350, top + 24}});
    }
    dialog.controls.push_back({IDOK, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, L"OK",
                               RECT{170, top + 4, 250, top + 28}});
    dialog.controls.push_back({IDCANCEL, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, L"Cancel",
                               RECT{260, top + 4, 350, top + 28}});
    return dialog;
}

class DocumentPropertiesDialog : public CDialog {
public:
    DocumentPropertiesDialog(CWnd* parent, CKVPropertySet& properties) : CDialog(0, parent), properties_(properties) {
        SetInlineTemplate(propertiesTemplate(), L"dialogs.document_properties");
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        for (int index = 0; index < static_cast<int>(std::size(kNames)); ++index)
            if (CWnd* edit = GetDlgItem(kFirstEdit + index)) edit->SetWindowText(properties_.GetProperty(kNames[index]));
        return TRUE;
    }
    void OnOK() override {
        for (int index = 0; index < static_cast<int>(std::size(kNames)); ++index) {
            CString text;
            if (CWnd* edit = GetDlgItem(kFirstEdit + index)) edit->GetWindowText(text);
            properties_.SetProperty(kNames[index], text);
        }
        CDialog::OnOK();
    }

private:
    CKVPropertySet& properties_;
};

std::string summaryText(const CKVPropertySet& properties) {
    std::string text;
    for (const wchar_t* name : kNames) {
        const CString value = properties.GetProperty(name);
        if (value.IsEmpty()) continue;
        // One line a property: a line break typed into a value would start a line of its own.
        CString flat = value;
        flat.Replace(L"\r", L" ");
        flat.Replace(L"\n", L" ");
        text += platform::core::toUtf8(CString(name).MakeLower().GetString()) + "=" + platform::core::toUtf8(flat.GetString()) + "\n";
    }
    return text;
}

bool sameProperties(const CKVPropertySet& a, const CKVPropertySet& b) {
    for (const wchar_t* name : kNames)
        if (a.GetProperty(name) != b.GetProperty(name)) return false;
    return true;
}

}  // namespace

BOOL CKvw32Doc::UpdateProperties(CFrameWnd* mainFrame, LPCWSTR path) {
    const std::wstring file = path ? path : L"";
    platform::kernel::recordCall(L"CKvw32Doc::UpdateProperties(" + platform::kernel::quoted(file) + L")");
    const platform::kernel::CompoundRead read = platform::kernel::readCompoundDocument(file);
    if (!read.streams || !read.streams->contains(platform::kernel::kHeaderStreamName)) {
        AfxMessageBox(CString(L"\"") + file.c_str() + L"\" is no document: its properties cannot be shown.",
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    const CKVPropertySet before = ReadProperties(file.c_str());
    CKVPropertySet properties = before;
    DocumentPropertiesDialog dialog(mainFrame, properties);
    if (dialog.DoModal() != IDOK || sameProperties(before, properties)) return FALSE;
    // The other streams stay as they were; only the summary is new.
    platform::kernel::CompoundStreams streams = *read.streams;
    streams[platform::kernel::kSummaryStreamName] = summaryText(properties);
    if (platform::files::writeAllAtomic(file, platform::kernel::encodeCompoundFile(streams)) != 0) {
        AfxMessageBox(CString(L"The properties of \"") + file.c_str() + L"\" cannot be saved.", MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}
