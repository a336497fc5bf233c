// How the user chooses each kind's target. A cancelled editor changes nothing.
#include "commandbars/usercommands/user_command_dialogs.h"
#include "commandbars/usercommands/user_command_kinds.h"

namespace {

constexpr UINT kDocumentFilter = 10815, kPrototypeFilter = 10843, kDrawingFilter = 10785;

// A document chosen in a file-open dialog; nothing when cancelled.
std::optional<CString> ChooseDocument(CWnd* owner, const CString& fileName, const CString& filter,
                                      const CString& initialFolder = CString()) {
    CFileDialog chooser(TRUE, L"grb", fileName, OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING, filter + L"|", owner);
    if (!initialFolder.IsEmpty()) chooser.m_strInitialDir = initialFolder;
    if (chooser.DoModal() != IDOK) return std::nullopt;
    return chooser.GetPathName();
}

// The template folder new documents start from: the settings' folder inside the program folder
// when it is relative.
CString DefaultTemplateFolder() {
    const CString folder = GetSettings().templateFolder;
    return folder.IsEmpty() ? CString() : KVAppendProgramPath(folder);
}

}  // namespace

bool CKVMacroUserCommand::Edit(CWnd* owner) {
    MacroManager* macros = MacroManagerInstance();
    if (!macros) return false;
    const CString chosen = macros->ChooseMacro(owner);
    if (chosen.IsEmpty()) return false;
    Macro = chosen;
    return true;
}

bool CKVExternalAppUserCommand::Edit(CWnd* owner) {
    CKVExternalAppDlg dialog(App, Args, Wait, owner);
    if (dialog.DoModal() != IDOK) return false;
    App = dialog.m_app;
    Args = dialog.m_args;
    Wait = dialog.m_wait;
    return true;
}

bool CKVOpenFileUserCommand::Edit(CWnd* owner) {
    const auto chosen = ChooseDocument(owner, CString(), KVLoadString(kDocumentFilter));
    if (!chosen) return false;
    File = *chosen;
    return true;
}

bool CKVFragmentUserCommand::Edit(CWnd* owner) {
    const auto chosen = ChooseDocument(owner, CString(), KVLoadString(kDocumentFilter));
    if (!chosen) return false;
    Path = *chosen;
    return true;
}

bool CKVOpenFolderUserCommand::Edit(CWnd* owner) {
    std::vector<CString> folders;
    if (!SelectFolders(folders, owner, Folder, nullptr, true, false) || folders.empty() || folders.front().IsEmpty())
        return false;
    Folder = folders.front();
    return true;
}

bool CKVOpenLibraryUserCommand::Edit(CWnd* owner) {
    CKVOpenLibraryDlg dialog(Library, Mode, owner);
    if (dialog.DoModal() != IDOK) return false;
    Library = dialog.m_library;
    Mode = dialog.m_mode;
    return true;
}

bool CKVCreateDocumentUserCommand::Edit(CWnd* owner) {
    // The drawings' filter serves an edition that answers neither of the two edition queries.
    KorvoServerAppProxy* shell = KorvoServerAppProxy::Instance();
    const bool anyKind = !shell || shell->IsViewerEdition() || shell->IsShellEditionFeature();
    const CString filter = KVLoadString(anyKind ? kPrototypeFilter : kDrawingFilter);
    const auto chosen = ChooseDocument(owner, Prototype, filter, Prototype.IsEmpty() ? DefaultTemplateFolder() : CString());
    if (!chosen) return false;
    Prototype = *chosen;
    return true;
}
