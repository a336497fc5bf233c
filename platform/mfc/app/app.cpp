#include "platform/mfc/app/app.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "platform/core/api_text.h"
#include "platform/core/config.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/core/winpath.h"
#include "platform/mfc/doc.h"
#include "platform/mfc/framework_state.h"
#include "platform/mfc/ole.h"
#include "platform/mfc/wnd.h"
#include "platform/win32/process/module.h"
#include "platform/win32/process/system.h"

using platform::mfc::detail::threadState;

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, &CWinApp::OnOpenRecentFile)
END_MESSAGE_MAP()

wchar_t* _wcsdup(const wchar_t* text) {
    if (text == nullptr) return nullptr;
    const std::size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    auto* copy = static_cast<wchar_t*>(std::malloc(bytes));
    if (copy != nullptr) std::memcpy(copy, text, bytes);
    return copy;
}

namespace {

void freeString(LPCWSTR& text) {
    std::free(const_cast<wchar_t*>(text));
    text = nullptr;
}

// The program's full path, its file name without extension, and the path with a new extension.
std::wstring programPath() {
    std::wstring buffer(MAX_PATH, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    buffer.resize(length);
    return buffer;
}

// The length of the path without the extension of its last component.
std::size_t lengthWithoutExtension(std::wstring_view path) {
    const std::wstring_view name = platform::core::winpath::namePart(path);
    const std::size_t dot = name.rfind(L'.');
    return dot == std::wstring_view::npos ? path.size() : path.size() - name.size() + dot;
}

std::wstring withExtension(const std::wstring& path, const std::wstring& extension) {
    return path.substr(0, lengthWithoutExtension(path)) + extension;
}

std::wstring fileTitle(const std::wstring& path) {
    const std::wstring_view name = platform::core::winpath::namePart(path);
    return std::wstring(name.substr(0, lengthWithoutExtension(name)));
}

}  // namespace

// ---- Construction ----------------------------------------------------------------------------

CWinApp::CWinApp(LPCWSTR lpszAppName) {
    // Runs before the entry point: no platform state is touched here.
    m_pszAppName = _wcsdup(lpszAppName);
    m_bAutoDelete = FALSE;
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_pCurrentWinApp != nullptr) {
        platform::core::reportFailure(L"a second application object was constructed; only one may exist");
        return;
    }
    state->m_pCurrentWinApp = this;
    if (threadState().currentThread == nullptr) threadState().currentThread = this;
}

CWinApp::~CWinApp() {
    delete m_pDocManager;
    m_pDocManager = nullptr;
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    delete m_pOwnedCmdInfo;
    m_pOwnedCmdInfo = nullptr;
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_pCurrentWinApp == this) {
        state->m_pCurrentWinApp = nullptr;
        state->m_lpszCurrentAppName = nullptr;
    }
    freeString(m_pszAppName);
    freeString(m_pszRegistryKey);
    freeString(m_pszProfileName);
    freeString(m_pszHelpFilePath);
    freeString(m_pszExeName);
}

// ---- Start-up and the loop -------------------------------------------------------------------

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow) {
    AFX_MODULE_STATE* state = AfxGetModuleState();
    state->m_hCurrentInstanceHandle = hInstance;
    state->m_hCurrentResourceHandle = hInstance;
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return TRUE;

    app->m_hInstance = hInstance;
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    // The calling thread is the application's UI thread.
    threadState().currentThread = app;
    app->m_hThread = ::GetCurrentThread();
    app->m_nThreadID = ::GetCurrentThreadId();

    const std::wstring path = programPath();
    const std::wstring title = fileTitle(path);
    if (app->m_pszExeName == nullptr) app->m_pszExeName = _wcsdup(title.c_str());
    if (app->m_pszHelpFilePath == nullptr) {
        const std::wstring help = withExtension(path, app->m_eHelpType == afxHTMLHelp ? L".CHM" : L".HLP");
        app->m_pszHelpFilePath = _wcsdup(help.c_str());
    }
    if (app->m_pszProfileName == nullptr) app->m_pszProfileName = _wcsdup((title + L".INI").c_str());
    if (app->m_pszAppName == nullptr) {
        const std::wstring name = platform::loadStringResource(AFX_IDS_APP_TITLE).value_or(title);
        app->m_pszAppName = _wcsdup(name.c_str());
    }
    state->m_lpszCurrentAppName = app->m_pszAppName;
    return TRUE;
}

int AfxWinMain(int argc, char** argv) {
    if (argc > 1) {
        auto& arguments = platform::core::config().arguments;
        arguments.clear();
        for (int i = 1; i < argc; ++i) arguments.push_back(platform::core::fromUtf8(argv[i]));
    }
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        platform::core::reportFailure(L"AfxWinMain: there is no application object");
        return -1;
    }
    if (!platform::mfc::detail::winInitFromConfig()) return -1;
    if (!app->InitApplication()) return -1;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd != nullptr) app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
    // Neither embedded nor automated, yet without a main window: nothing to run for.
    if (m_pMainWnd == nullptr && AfxOleGetUserCtrl()) AfxPostQuitMessage(0);
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount) {
    const BOOL more = CWinThread::OnIdle(lCount);
    if (lCount == 1 && m_pDocManager != nullptr) m_pDocManager->OnIdle();
    return more;
}

int CWinApp::ExitInstance() {
    // Registration runs leave the user's profile alone.
    const bool registering = m_pCmdInfo != nullptr && (m_pCmdInfo->m_nShellCommand == CCommandLineInfo::AppRegister ||
                                                       m_pCmdInfo->m_nShellCommand == CCommandLineInfo::AppUnregister);
    if (!registering) SaveStdProfileSettings();
    return static_cast<int>(m_msgCur.wParam);
}

// ---- Documents -------------------------------------------------------------------------------

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    if (pTemplate == nullptr) return;
    if (m_pDocManager == nullptr) m_pDocManager = new CDocManager;
    m_pDocManager->AddDocTemplate(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(LPCWSTR lpszFileName) {
    return m_pDocManager != nullptr ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

void CWinApp::AddToRecentFileList(LPCWSTR lpszPathName) {
    if (m_pRecentFileList != nullptr) m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnFilePrintSetup() { platform::core::userAgent().answerPrintDialog(L"printer set-up"); }

BOOL CWinApp::SaveAllModified() { return m_pDocManager != nullptr ? m_pDocManager->SaveAllModified() : TRUE; }

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
    if (m_pDocManager != nullptr) m_pDocManager->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount() { return m_pDocManager != nullptr ? m_pDocManager->GetOpenDocumentCount() : 0; }

void CWinApp::HideApplication() {
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) m_pMainWnd->ShowWindow(SW_HIDE);
}

void CWinApp::OnFileNew() {
    if (m_pDocManager != nullptr) m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen() {
    if (m_pDocManager != nullptr) m_pDocManager->OnFileOpen();
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd != nullptr) m_pMainWnd->SendMessage(WM_CLOSE);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
    if (m_pRecentFileList == nullptr) return FALSE;
    const int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (index < 0 || index >= m_pRecentFileList->GetSize()) return FALSE;
    const CString path = (*m_pRecentFileList)[index];
    if (path.IsEmpty()) return FALSE;
    if (OpenDocumentFile(path) == nullptr) m_pRecentFileList->Remove(index);
    return TRUE;
}

// ---- Messages, help, cursor ------------------------------------------------------------------

int CWinApp::DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT) {
    // The owner is the main window's top-level window (a box cannot be owned by a child).
    HWND owner = nullptr;
    if (CWnd* mainWnd = AfxGetMainWnd(); mainWnd != nullptr && ::IsWindow(mainWnd->m_hWnd)) {
        owner = mainWnd->m_hWnd;
        while (owner != nullptr && (static_cast<DWORD>(::GetWindowLongPtrW(owner, GWL_STYLE)) & WS_CHILD)) {
            owner = ::GetParent(owner);
        }
    }
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
            case MB_OK:
            case MB_OKCANCEL:
                nType |= MB_ICONEXCLAMATION;
                break;
            case MB_YESNO:
            case MB_YESNOCANCEL:
                nType |= MB_ICONQUESTION;
                break;
            default:
                break;
        }
    }
    const std::wstring caption = m_pszAppName != nullptr ? m_pszAppName : fileTitle(programPath());
    return ::MessageBoxW(owner, lpszPrompt, caption.c_str(), nType);
}

void CWinApp::WinHelpInternal(DWORD_PTR dwData, UINT nCmd) {
    if (m_eHelpType != afxHTMLHelp) {
        WinHelp(dwData, nCmd);
        return;
    }
    // HTML Help commands for the WinHelp ones.
    UINT command = nCmd;
    if (nCmd == HELP_CONTEXT) command = 0x000F;        // HH_HELP_CONTEXT
    else if (nCmd == HELP_CONTENTS) command = 0x0001;  // HH_DISPLAY_TOC
    else if (nCmd == HELP_FINDER) command = 0x0000;    // HH_HELP_FINDER
    HtmlHelp(dwData, command);
}

namespace {

// Help is not shown here; what was asked of it is journalled.
void journalHelp(const wchar_t* system, LPCWSTR helpFile, UINT command, DWORD_PTR data) {
    platform::core::journal().add("help", platform::format(L"%s \"%s\" command %u data %llu", system,
                                                           platform::core::viewOf(helpFile), command,
                                                           static_cast<unsigned long long>(data)));
}

}  // namespace

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd) { journalHelp(L"WinHelp", m_pszHelpFilePath, nCmd, dwData); }

void CWinApp::HtmlHelp(DWORD_PTR dwData, UINT nCmd) { journalHelp(L"HtmlHelp", m_pszHelpFilePath, nCmd, dwData); }

void CWinApp::DoWaitCursor(int nCode) {
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount < 0) m_nWaitCursorCount = 0;
}

BOOL CWinApp::Register() { return TRUE; }

BOOL CWinApp::Unregister() {
    if (m_pszRegistryKey == nullptr || m_pszProfileName == nullptr) return TRUE;
    const std::wstring path = std::wstring(L"Software\\") + m_pszRegistryKey + L"\\" + m_pszProfileName;
    const LONG result = platform::mfc::detail::deleteRegistryTree(HKEY_CURRENT_USER, path);
    return result == ERROR_SUCCESS || result == static_cast<LONG>(ERROR_FILE_NOT_FOUND);
}

// ---- Process-wide state ----------------------------------------------------------------------

AFX_MODULE_STATE* AfxGetModuleState() {
    static AFX_MODULE_STATE state;  // trivially destructible: usable during static construction
    return &state;
}

AFX_MODULE_STATE* AfxGetAppModuleState() { return AfxGetModuleState(); }
AFX_MODULE_STATE* AfxGetStaticModuleState() { return AfxGetModuleState(); }

CWinApp* AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }

CWnd* AfxGetMainWnd() {
    CWinThread* thread = AfxGetThread();
    return thread != nullptr ? thread->GetMainWnd() : nullptr;
}

LPCWSTR AfxGetAppName() { return AfxGetModuleState()->m_lpszCurrentAppName; }
HINSTANCE AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }
HINSTANCE AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT nIDHelp) {
    if (CWinApp* app = AfxGetApp()) return app->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxW(nullptr, lpszText, L"", nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString prompt;
    if (!prompt.LoadString(nIDPrompt)) {
        platform::core::reportFailure(platform::format(L"AfxMessageBox: no string resource %u", nIDPrompt));
    }
    if (nIDHelp == static_cast<UINT>(-1)) nIDHelp = nIDPrompt;
    return AfxMessageBox(prompt, nType, nIDHelp);
}

void AfxEnableControlContainer() { platform::mfc::detail::flags().controlContainer = true; }

namespace platform::mfc::detail {

Flags& flags() {
    static Flags value;
    return value;
}

}  // namespace platform::mfc::detail
