// The framework's DDE command language: "[open(\"path\")]", "[print(\"path\")]" and
// "[printto(\"path\",\"printer\",\"driver\",\"port\")]", several in one text run in order.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mfc/app/app.h"
#include "platform/mfc/doc.h"
#include "platform/mfc/app/dde_commands.h"
#include "platform/mfc/ole.h"
#include "platform/mfc/wnd.h"

namespace {

using platform::mfc::detail::DdeCommand;

// Parses `"a","b",...` up to the closing ")]" of one command; nothing when malformed.
std::optional<std::vector<std::wstring>> parseArguments(std::wstring_view text, std::size_t& pos) {
    std::vector<std::wstring> arguments;
    for (;;) {
        if (pos >= text.size() || text[pos] != L'"') return std::nullopt;
        const std::size_t close = text.find(L'"', pos + 1);
        if (close == std::wstring_view::npos) return std::nullopt;
        arguments.emplace_back(text.substr(pos + 1, close - pos - 1));
        pos = close + 1;
        if (pos < text.size() && text[pos] == L',') {
            ++pos;
            continue;
        }
        if (text.substr(pos, 2) != L")]") return std::nullopt;
        pos += 2;
        return arguments;
    }
}

}  // namespace

namespace platform::mfc::detail {

std::optional<std::vector<DdeCommand>> parseDdeCommands(std::wstring_view text) {
    static const struct {
        std::wstring_view prefix;
        CCommandLineInfo::ShellCommand kind;
        std::size_t arguments;
    } kinds[] = {{L"[open(", CCommandLineInfo::FileOpen, 1},
                 {L"[print(", CCommandLineInfo::FilePrint, 1},
                 {L"[printto(", CCommandLineInfo::FilePrintTo, 4}};
    auto isSpace = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; };

    std::vector<DdeCommand> commands;
    std::size_t pos = 0;
    for (;;) {
        while (pos < text.size() && isSpace(text[pos])) ++pos;
        if (pos >= text.size()) break;
        bool matched = false;
        for (const auto& kind : kinds) {
            if (text.substr(pos, kind.prefix.size()) != kind.prefix) continue;
            pos += kind.prefix.size();
            auto arguments = parseArguments(text, pos);
            if (!arguments || arguments->size() != kind.arguments) return std::nullopt;
            commands.push_back(DdeCommand{kind.kind, std::move(*arguments)});
            matched = true;
            break;
        }
        if (!matched) return std::nullopt;
    }
    if (commands.empty()) return std::nullopt;
    return commands;
}

}  // namespace platform::mfc::detail

BOOL CWinApp::OnDDECommand(LPWSTR lpszCommand) {
    if (lpszCommand == nullptr) return FALSE;
    const auto commands = platform::mfc::detail::parseDdeCommands(lpszCommand);
    if (!commands) return FALSE;
    BOOL carriedOut = TRUE;
    for (const DdeCommand& command : *commands) {
        CCommandLineInfo info;
        info.m_nShellCommand = command.kind;
        info.m_strFileName = command.arguments[0].c_str();
        if (command.kind == CCommandLineInfo::FilePrintTo) {
            info.m_strPrinterName = command.arguments[1].c_str();
            info.m_strDriverName = command.arguments[2].c_str();
            info.m_strPortName = command.arguments[3].c_str();
        }
        if (!RunOneDdeCommand(info)) carriedOut = FALSE;
    }
    return carriedOut;
}

BOOL CWinApp::RunOneDdeCommand(CCommandLineInfo& cmdInfo) {
    // A program started for DDE was kept hidden; the first command restores its show command.
    if (m_bDdeStart) {
        m_nCmdShow = m_nDdeCmdShow;
        m_bDdeStart = false;
    }
    CCommandLineInfo* previous = m_pCmdInfo;

    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen) {
        if (CWnd* mainWnd = m_pMainWnd; mainWnd != nullptr && mainWnd->m_hWnd != nullptr) {
            // Show command -1 leaves the window as it is (callers use it to keep the user's
            // arrangement); a visible window still comes to the front.
            int nCmdShow = m_nCmdShow;
            if (nCmdShow == SW_SHOWNORMAL) nCmdShow = mainWnd->IsIconic() ? SW_RESTORE : SW_SHOW;
            if (nCmdShow != -1) mainWnd->ShowWindow(nCmdShow);
            if (nCmdShow != SW_MINIMIZE && mainWnd->IsWindowVisible()) mainWnd->SetForegroundWindow();
        }
        const bool opened = OpenDocumentFile(cmdInfo.m_strFileName) != nullptr;
        // The user is in control from now on; later commands show the window as it is.
        if (!AfxOleGetUserCtrl()) AfxOleSetUserCtrl(TRUE);
        m_nCmdShow = -1;
        m_pCmdInfo = previous;
        return opened ? TRUE : FALSE;
    }

    // Print: open, print directly, and close again what was opened only for printing.
    const int documentsBefore = GetOpenDocumentCount();
    CDocument* document = OpenDocumentFile(cmdInfo.m_strFileName);
    if (document != nullptr) {
        if (m_pMainWnd != nullptr) {
            m_pCmdInfo = &cmdInfo;
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
            m_pCmdInfo = previous;
        }
        if (GetOpenDocumentCount() > documentsBefore) {
            document->m_bAutoDelete = TRUE;
            document->OnCloseDocument();
        }
    }
    // A program started only for this command ends with it.
    if (!AfxOleGetUserCtrl() && m_pMainWnd != nullptr) m_pMainWnd->PostMessage(WM_CLOSE);
    m_pCmdInfo = previous;
    return document != nullptr ? TRUE : FALSE;
}
