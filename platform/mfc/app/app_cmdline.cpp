// The command line: the framework's parameter parsing and the processing of the shell command.
#include <string>
#include <vector>

#include "platform/core/command_line.h"
#include "platform/core/config.h"
#include "platform/core/text.h"
#include "platform/mfc/app/app.h"
#include "platform/mfc/control.h"
#include "platform/mfc/framework_state.h"
#include "platform/mfc/ole.h"
#include "platform/mfc/wnd.h"
#include "platform/win32/process/module.h"
#include "platform/win32/process/system.h"

namespace platform::mfc::detail {

void parseCommandLine(const std::wstring& commandLine, CCommandLineInfo& info) {
    const std::vector<std::wstring> arguments = platform::core::splitCommandLine(commandLine);
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const wchar_t* param = arguments[i].c_str();
        BOOL flag = FALSE;
        if (param[0] == L'-' || param[0] == L'/') {
            flag = TRUE;
            ++param;
        }
        info.ParseParam(param, flag, i + 1 == arguments.size());
    }
}

LPWSTR commandLineAfterProgram() {
    LPWSTR line = ::GetCommandLineW();
    if (line == nullptr) return nullptr;
    LPWSTR p = line;
    if (*p == L'"') {
        ++p;
        while (*p != L'\0' && *p != L'"') ++p;
        if (*p == L'"') ++p;
    } else {
        while (*p != L'\0' && *p != L' ' && *p != L'\t') ++p;
    }
    while (*p == L' ' || *p == L'\t') ++p;
    return p;
}

BOOL winInitFromConfig() {
    return AfxWinInit(::GetModuleHandleW(nullptr), nullptr, commandLineAfterProgram(),
                      platform::core::config().showCommand);
}

}  // namespace platform::mfc::detail

// ---- CCommandLineInfo ------------------------------------------------------------------------

void CCommandLineInfo::ParseParam(const wchar_t* pszParam, BOOL bFlag, BOOL bLast) {
    if (pszParam == nullptr) pszParam = L"";
    if (bFlag) {
        ParseParamFlag(pszParam);
    } else {
        ParseParamNotFlag(pszParam);
    }
    ParseLast(bLast);
}

void CCommandLineInfo::ParseParamFlag(const wchar_t* pszParam) {
    using platform::core::equalsNoCase;
    const std::wstring_view param = pszParam;
    // Shell command switches compare exactly, OLE switches case-insensitively.
    if (param == L"pt") {
        m_nShellCommand = FilePrintTo;
    } else if (param == L"p") {
        m_nShellCommand = FilePrint;
    } else if (equalsNoCase(param, L"Register") || equalsNoCase(param, L"Regserver")) {
        m_nShellCommand = AppRegister;
    } else if (equalsNoCase(param, L"Unregister") || equalsNoCase(param, L"Unregserver")) {
        m_nShellCommand = AppUnregister;
    } else if (param == L"dde") {
        AfxOleSetUserCtrl(FALSE);
        m_nShellCommand = FileDDE;
    } else if (equalsNoCase(param, L"Embedding")) {
        AfxOleSetUserCtrl(FALSE);
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    } else if (equalsNoCase(param, L"Automation")) {
        AfxOleSetUserCtrl(FALSE);
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    } else if (equalsNoCase(param, L"RestartByRestartManager")) {
        m_nShellCommand = RestartByRestartManager;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const wchar_t* pszParam) {
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
    } else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty()) {
        m_strPrinterName = pszParam;
    } else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty()) {
        m_strDriverName = pszParam;
    } else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty()) {
        m_strPortName = pszParam;
    }
}

void CCommandLineInfo::ParseLast(BOOL bLast) {
    if (!bLast) return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty()) m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}

namespace {

bool& shellPrinted() {
    static bool printed = false;
    return printed;
}

}  // namespace

bool platform::mfc::shellCommandPrinted() { return shellPrinted(); }

// ---- CWinApp ---------------------------------------------------------------------------------

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    platform::mfc::detail::parseCommandLine(::GetCommandLineW(), rCmdInfo);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    BOOL result = TRUE;
    switch (rCmdInfo.m_nShellCommand) {
        case CCommandLineInfo::FileNew:
            if (!OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr)) OnFileNew();
            if (m_pMainWnd == nullptr) result = FALSE;
            break;
        case CCommandLineInfo::FileOpen:
            if (OpenDocumentFile(rCmdInfo.m_strFileName) == nullptr) result = FALSE;
            break;
        case CCommandLineInfo::FilePrintTo:
        case CCommandLineInfo::FilePrint:
            // Printing from the shell runs hidden and ends the program.
            m_nCmdShow = SW_HIDE;
            shellPrinted() = true;
            if (OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr && m_pMainWnd != nullptr) {
                CCommandLineInfo* previous = m_pCmdInfo;
                m_pCmdInfo = &rCmdInfo;
                m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
                m_pCmdInfo = previous;
            }
            result = FALSE;
            break;
        case CCommandLineInfo::FileDDE:
            // Hidden until the DDE command arrives; it restores the show command.
            m_bDdeStart = true;
            m_nDdeCmdShow = m_nCmdShow;
            m_nCmdShow = SW_HIDE;
            break;
        case CCommandLineInfo::AppRegister:
        case CCommandLineInfo::AppUnregister:
            if (rCmdInfo.m_nShellCommand == CCommandLineInfo::AppRegister) {
                Register();
            } else {
                Unregister();
            }
            // Nothing but registration runs, and the exit leaves the profile alone.
            if (m_pCmdInfo == nullptr) {
                delete m_pOwnedCmdInfo;
                m_pOwnedCmdInfo = new CCommandLineInfo;
                m_pOwnedCmdInfo->m_nShellCommand = CCommandLineInfo::AppUnregister;
                m_pCmdInfo = m_pOwnedCmdInfo;
            }
            result = FALSE;
            break;
        case CCommandLineInfo::RestartByRestartManager:
        case CCommandLineInfo::FileNothing:
            break;
    }
    return result;
}
