// How each kind of user command runs.
#include "commandbars/usercommands/user_command_kinds.h"

using namespace Korvo::UserCommands;

namespace {

constexpr UINT kCannotReadProgram = 10238, kCannotStartProgram = 10234;
constexpr UINT kInsertFragmentMessage = 1387;  // WM_USER + 363: a view command with an argument
constexpr WPARAM kInsertFragmentCommand = 1211;
constexpr SIZE kLibraryPaneSize{100, 100};

}  // namespace

bool CKVMacroUserCommand::Execute() {
    MacroManager* macros = MacroManagerInstance();
    if (Macro.IsEmpty() || !macros) return false;
    ISite* site = GetSite();
    CWnd* frame = site ? site->GetActiveMainFrameWindow() : nullptr;
    return macros->RunMacro(Macro, KVGetActiveDoc(dynamic_cast<CFrameWnd*>(frame)));
}

bool CKVExternalAppUserCommand::Execute() {
    const CString path = ResolvedPath(App);
    if (_waccess(path, 4) != 0) {
        KVMessageBox::Show(KVLoadFormatString(kCannotReadProgram, App), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // Windows joins the arguments with blanks: a single blank stands for "no arguments".
    const intptr_t started =
        _wspawnl(_P_NOWAIT, path.GetString(), path.GetString(), Args.IsEmpty() ? L" " : Args.GetString(), nullptr);
    // A start that failed is said whether or not the command waits for the program.
    if (started == -1) {
        KVMessageBox::Show(KVLoadFormatString(kCannotStartProgram, App), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const auto process = reinterpret_cast<HANDLE>(started);
    if (!Wait) {
        ::CloseHandle(process);
        return true;
    }
    ISite* site = GetSite();
    CWnd* frame = site ? site->GetActiveMainFrameWindow() : nullptr;
    if (frame) frame->EnableWindow(FALSE);
    const bool waited = WaitForProgram(process);
    ::CloseHandle(process);
    // The application is quitting: the frame is left as it is.
    if (!waited) return false;
    if (frame && ::IsWindow(frame->GetSafeHwnd())) frame->EnableWindow(TRUE);
    return true;
}

bool CKVExternalAppUserCommand::WaitForProgram(HANDLE process) {
    CWinThread* thread = AfxGetThread();
    for (;;) {
        // The process handle itself says when the program ended: an exit code of STILL_ACTIVE
        // could be the program's own.
        DWORD code = 0;
        if (!::GetExitCodeProcess(process, &code)) return true;
        if (::WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return true;
        const DWORD woke = ::MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
        if (woke != WAIT_OBJECT_0 + 1) return true;
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (thread && !thread->PumpMessage()) {
                // The loop above ours ends the application too.
                ::PostQuitMessage(static_cast<int>(thread->m_msgCur.wParam));
                return false;
            }
        }
    }
}

bool CKVOpenFileUserCommand::Execute() {
    const CString path = ResolvedPath(File);
    ISite* site = GetSite();
    return !path.IsEmpty() && site && site->OpenDocument(path);
}

bool CKVOpenFolderUserCommand::Execute() {
    const CString path = ResolvedPath(Folder);
    ISite* site = GetSite();
    return !path.IsEmpty() && site && site->ShowFolderClipart(path);
}

bool CKVOpenLibraryUserCommand::Execute() {
    DocumentsMenu::ILibrary* library = DocumentsMenu::FindLibraryByName(DocumentsMenu::GlobalCfgGroup(), Library);
    ISite* site = GetSite();
    if (!library || !site) return false;
    site->ShowLibraryClipart(library, kLibraryPaneSize);
    return true;
}

bool CKVFragmentUserCommand::Execute() {
    ISite* site = GetSite();
    CWnd* frame = site ? site->GetActiveMainFrameWindow() : nullptr;
    if (!frame || Path.IsEmpty()) return false;
    CFragmentPath& fragment = CFragmentPath::Application();
    fragment.Reset();
    fragment.SetPath(Path);
    KorvoSafeSendMessage(frame->GetSafeHwnd(), kInsertFragmentMessage, kInsertFragmentCommand,
                         reinterpret_cast<LPARAM>(&fragment));
    return true;
}

bool CKVCreateDocumentUserCommand::Execute() {
    if (Prototype.IsEmpty()) return false;
    Korvo::DocumentManager& documents = Korvo::DocumentManager::Instance();
    CKvw32Doc* document = documents.CreateNewDocument(SharedPathName(ResolvedPath(Prototype)), documents.GetDocInitParams());
    if (!document) return false;
    document->SaveAfterCreatingIfNeed();
    return true;
}
