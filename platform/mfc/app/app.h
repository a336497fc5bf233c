// The application object, its command line, recent-file list and profile (per-user registry)
// functions, and the framework's process-wide entry points.
//
// Exactly one CWinApp exists per process; it is constructed before the entry point runs and must
// not touch platform state there (the harness configures the process first). AfxWinMain then
// runs AfxWinInit, InitApplication, InitInstance and Run (or ExitInstance when InitInstance
// fails) and returns the exit code.
//
// The application's strings (m_pszAppName, m_pszRegistryKey, m_pszProfileName,
// m_pszHelpFilePath, m_pszExeName) are malloc'ed copies owned by the application, as in the
// framework: code that replaces one frees the old value with free() and stores a _wcsdup copy.
#pragma once

#include <vector>

#include "platform/mfc/cstring.h"
#include "platform/mfc/thread.h"
#include "platform/win32/files/registry.h"
#include "platform/win32/types.h"

class CDocManager;
class CDocTemplate;
class CDocument;
class CWinApp;

// A malloc'ed copy of `text` (null stays null), freed with free().
wchar_t* _wcsdup(const wchar_t* text);

// WinHelp commands (the framework's help entry points take them).
inline constexpr UINT HELP_CONTEXT = 0x0001;
inline constexpr UINT HELP_QUIT = 0x0002;
inline constexpr UINT HELP_INDEX = 0x0003;
inline constexpr UINT HELP_CONTENTS = 0x0003;
inline constexpr UINT HELP_HELPONHELP = 0x0004;
inline constexpr UINT HELP_FINDER = 0x000B;

enum AFX_HELP_TYPE { afxWinHelp = 0, afxHTMLHelp = 1 };

inline constexpr int AFX_ABBREV_FILENAME_LEN = 30;

// The command line as the framework understands it. ParseParam sees each argument after the
// program name, without its leading "/" or "-" when it is a flag, and whether it is the last.
class CCommandLineInfo : public CObject {
public:
    enum ShellCommand {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        AppRegister,
        AppUnregister,
        RestartByRestartManager,
        FileNothing = -1
    };

    CCommandLineInfo() = default;
    ~CCommandLineInfo() override = default;

    // Flags: "p" print, "pt" print to, "dde", "Register"/"Regserver", "Unregister"/"Unregserver",
    // "Embedding", "Automation" (the last four case-insensitively). Other parameters: the file
    // name, then for print-to the printer, driver and port. After the last parameter a file name
    // turns FileNew into FileOpen, and the splash is shown unless embedded or automated.
    virtual void ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    BOOL m_bRegisterPerUser = FALSE;
    ShellCommand m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const wchar_t* pszParam);
    void ParseParamNotFlag(const wchar_t* pszParam);
    void ParseLast(BOOL bLast);
};

// The most-recently-used file list, kept in the profile as <section>\<format % (index + 1)>.
class CRecentFileList {
public:
    CRecentFileList(UINT nStart, LPCWSTR lpszSection, LPCWSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return m_nSize; }
    // Index 0 is the most recent; an index out of range reads (and writes) a scratch string.
    CString& operator[](int nIndex);
    // Puts the full path first, moving an entry for the same file up instead of repeating it.
    virtual void Add(LPCWSTR lpszPathName);
    // Removes one entry; the later ones move up.
    virtual void Remove(int nIndex);
    virtual void ReadList();
    // Rewrites the section: the non-empty entries only.
    virtual void WriteList();

    int m_nSize;
    std::vector<CString> m_arrNames;
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nMaxDisplayLength;
    CString m_strOriginal;

private:
    CString m_outOfRange;
};

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // ---- Start-up and the loop ---------------------------------------------------------------
    virtual BOOL InitApplication();
    BOOL InitInstance() override;  // TRUE
    // Quits at once when there is no main window and the user controls the application.
    int Run() override;
    // Count 0: the thread's idle update; count 1: the thread's cleanup and the document templates'
    // idle time. TRUE for count 0, FALSE from count 1 on.
    BOOL OnIdle(LONG lCount) override;
    // Saves the recent-file list (unless registering), returns the WM_QUIT exit code.
    int ExitInstance() override;

    // ---- Command line ------------------------------------------------------------------------
    // Splits the program's command line with the Windows rules and hands each argument after the
    // program name to rCmdInfo.ParseParam.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // FALSE where the framework ends the program: no main window after FileNew, a failed open,
    // print commands, registration.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // ---- Profile (HKEY_CURRENT_USER\Software\<registry key>\<profile name>\<section>) ---------
    // Replaces the registry key; the profile name becomes the application name.
    void SetRegistryKey(LPCWSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey();               // caller closes; null without a registry key
    HKEY GetSectionKey(LPCWSTR lpszSection);  // created on demand; caller closes
    // Before SetRegistryKey the profile would live in an .ini file, which is not provided: the
    // Get/Write calls below then fail strictly, naming the call, and answer the default / FALSE.
    UINT GetProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nDefault);
    CString GetProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszDefault = nullptr);
    // *ppData is new[]'ed; the caller delete[]s it.
    BOOL GetProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileInt(LPCWSTR lpszSection, LPCWSTR lpszEntry, int nValue);
    // A null entry deletes the section, a null value deletes the entry.
    BOOL WriteProfileString(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPCWSTR lpszValue);
    BOOL WriteProfileBinary(LPCWSTR lpszSection, LPCWSTR lpszEntry, LPBYTE pData, UINT nBytes);
    // nMaxMRU 0: no recent-file list; otherwise "Recent File List" / "File%d" with that many.
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();

    // ---- Documents ---------------------------------------------------------------------------
    void AddDocTemplate(CDocTemplate* pTemplate);
    virtual CDocument* OpenDocumentFile(LPCWSTR lpszFileName);
    virtual void AddToRecentFileList(LPCWSTR lpszPathName);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);
    int GetOpenDocumentCount();
    void HideApplication();
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnAppExit();
    // The printer set-up: the print dialog in its set-up form, which the simulated user answers
    // as a print dialog (the choice of printer is kept nowhere in the stand-in).
    afx_msg void OnFilePrintSetup();
    // Opens recent entry nID; an entry that fails to open is removed.
    virtual BOOL OnOpenRecentFile(UINT nID);

    // ---- DDE, messages, help, cursor ---------------------------------------------------------
    // "[open(\"path\")]", "[print(\"path\")]", "[printto(\"path\",\"printer\",\"driver\",\"port\")]";
    // several commands in one text run in order. FALSE (nothing run) for any other text, and
    // FALSE when a command's document did not open. An open shows the main window with m_nCmdShow
    // first (-1: the window keeps its show state), then sets m_nCmdShow to -1.
    virtual BOOL OnDDECommand(LPWSTR lpszCommand);
    // A message box owned by the main window under the application's name; a box without an icon
    // gets the framework's default icon for its buttons.
    virtual int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    virtual void WinHelpInternal(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual void HtmlHelp(DWORD_PTR dwData, UINT nCmd = 0x000F);
    void EnableHtmlHelp() { m_eHelpType = afxHTMLHelp; }
    AFX_HELP_TYPE GetHelpMode() const { return m_eHelpType; }
    void SetHelpMode(AFX_HELP_TYPE eHelpType) { m_eHelpType = eHelpType; }
    // +1 begins, -1 ends, 0 restores the wait cursor.
    virtual void DoWaitCursor(int nCode);
    int GetWaitCursorDepth() const { return m_nWaitCursorCount; }
    virtual BOOL Register();
    virtual BOOL Unregister();

    HINSTANCE m_hInstance = nullptr;
    LPWSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = 1;
    LPCWSTR m_pszAppName = nullptr;
    LPCWSTR m_pszRegistryKey = nullptr;
    LPCWSTR m_pszProfileName = nullptr;
    LPCWSTR m_pszHelpFilePath = nullptr;
    LPCWSTR m_pszExeName = nullptr;
    AFX_HELP_TYPE m_eHelpType = afxWinHelp;
    CDocManager* m_pDocManager = nullptr;          // owned: deleted with the application
    CRecentFileList* m_pRecentFileList = nullptr;  // owned: deleted with the application
    CCommandLineInfo* m_pCmdInfo = nullptr;        // the command being processed (print, DDE)
    ATOM m_atomApp = 0;
    ATOM m_atomSystemTopic = 0;

protected:
    int m_nWaitCursorCount = 0;
    // Show command saved while a DDE start-up keeps the window hidden, restored by the first DDE
    // command.
    int m_nDdeCmdShow = 0;
    bool m_bDdeStart = false;
    // Created by ProcessShellCommand for registration; owned.
    CCommandLineInfo* m_pOwnedCmdInfo = nullptr;

    BOOL RunOneDdeCommand(CCommandLineInfo& cmdInfo);

    DECLARE_MESSAGE_MAP()
};

// The application's framework state (one module here).
struct AFX_MODULE_STATE {
    CWinApp* m_pCurrentWinApp = nullptr;
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    HINSTANCE m_hCurrentResourceHandle = nullptr;
    LPCWSTR m_lpszCurrentAppName = nullptr;
};
AFX_MODULE_STATE* AfxGetModuleState();
AFX_MODULE_STATE* AfxGetAppModuleState();
AFX_MODULE_STATE* AfxGetStaticModuleState();

// Switches to a module state for a scope (there is one module, so nothing changes).
class AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE*) {}
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;
};
#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p);

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCWSTR AfxGetAppName();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// Through AfxGetApp()->DoMessageBox. The string-id form loads the prompt; its help id defaults
// to the string id.
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

void AfxEnableControlContainer();

// The full, normalised Windows path of lpszFileIn (current folder for relative paths) into
// lpszPathOut (MAX_PATH characters); FALSE when it could not be made full.
BOOL AfxFullPath(LPWSTR lpszPathOut, LPCWSTR lpszFileIn);
// Whether two paths name the same file (full paths compared case-insensitively).
BOOL AfxComparePath(LPCWSTR lpszPath1, LPCWSTR lpszPath2);

// The framework's start: the command line and show command of the process, the program's name
// and paths for the application object, the calling thread as its UI thread.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
// The whole run. Arguments after argv[0] (UTF-8), when there are any, replace the configured
// program arguments.
int AfxWinMain(int argc, char** argv);
