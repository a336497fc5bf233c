#include "platform/kernel/services/file_dialogs.h"

#include <string>

#include "platform/kernel/record.h"

CKVFileDialog::CKVFileDialog(const FileDialogInfo& info, CWnd* parent)
    : CFileDialog(info.open ? TRUE : FALSE, info.extension, info.fileName, info.flags, info.filter, parent),
      m_settingsName(info.name) {
    m_strInitialDir = info.initialFolder;
    platform::kernel::recordCall(L"CKVFileDialog(" + platform::kernel::quoted(info.name.str()) + L", " +
                                 platform::kernel::quoted(info.extension.str()) + (info.open ? L", open" : L", save") +
                                 L", flags " + std::to_wstring(info.flags) + L")");
}

void CKVFileDialog::SetInitialPath(LPCWSTR folder) { m_strInitialDir = folder ? folder : L""; }
