// The frame tools that rest on the application's user commands: running ids 37000 to 37999, the
// user tools page and the tool bar of a library's fragments.
#include "services/application.h"
#include "commandbars/usercommands/user_command_kinds.h"
#include "commandbars/usertools/user_tools_page.h"
#include "mainframe/main_frame.h"
#include "mainframe/toolsengine/frame_tools_engine.h"

namespace {

constexpr UINT kFirstFragmentBarId = 59392, kLastFragmentBarId = 59646;
constexpr DWORD kDockAnywhere = 63;
constexpr UINT kUserToolsHelpId = 121500;

CKVUserCommands* UserCommands() {
    ApplicationServices* app = ApplicationServices::Instance();
    return app ? &app->GetUserCommands() : nullptr;
}

// The fragment command whose path is `reference`, made and taken into the collection when there
// is none yet; null when no id is free.
const CKVUserCommand* FragmentCommand(CKVUserCommands& commands, const CString& reference) {
    const CKVUserCommand* found = nullptr;
    commands.ForEach([&](UINT, const CKVUserCommand& command) {
        const auto* fragment = dynamic_cast<const CKVFragmentUserCommand*>(&command);
        if (!found && fragment && fragment->Path.CompareNoCase(reference) == 0) found = fragment;
    });
    if (found) return found;
    std::unique_ptr<CKVUserCommand> made = std::make_unique<CKVFragmentUserCommand>(reference);
    const UINT id = commands.AssignCommandId(made);
    return id ? commands.Lookup(id) : nullptr;
}

}  // namespace

void CFrameToolsEngine::OnUpdateRegisteredCommand(CCmdUI* cmdUI) const {
    const CKVUserCommands* commands = UserCommands();
    cmdUI->Enable(commands && commands->Lookup(cmdUI->m_nID) ? TRUE : FALSE);
}

void CFrameToolsEngine::ExecuteRegisteredCommand(UINT id) {
    CKVUserCommands* commands = UserCommands();
    if (CKVUserCommand* command = commands ? commands->Lookup(id) : nullptr) command->Execute();
}

void CFrameToolsEngine::ShowUserToolsPage() {
    CKVUserCommands* commands = UserCommands();
    if (!commands || !m_frame) return;
    HelpIDModifier help;
    help.SetHelpID(kUserToolsHelpId, nullptr, false);
    CKVUserToolsPage page(*commands, m_frame);
    page.DoModal();
}

bool CFrameToolsEngine::CreateLibraryFragmentToolBar(LPCWSTR libraryName, LPCWSTR libraryFolder) {
    if (!libraryName || !libraryFolder) return false;
    CString folder = libraryFolder;
    if (!folder.IsEmpty() && folder.Right(1) != L"\\") folder += L"\\";
    std::vector<CString> references;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(folder + L"*.grb", &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                references.push_back(CString(L"<") + libraryName + L">" + found.cFileName);
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    return CreateFragmentToolBar(libraryName, references);
}

bool CFrameToolsEngine::CreateFragmentToolBar(const CString& libraryName, const std::vector<CString>& references) {
    CKVUserCommands* commands = UserCommands();
    CXTPCommandBars* bars = m_frame ? m_frame->GetCommandBars() : nullptr;
    if (!commands || !bars) return false;
    std::vector<const CKVUserCommand*> fragments;
    for (const CString& reference : references)
        if (const CKVUserCommand* command = FragmentCommand(*commands, reference)) fragments.push_back(command);
    if (bars->FindToolBar(libraryName)) {
        CString text;
        text.Format(XTPResourceString(XTP_IDS_TOOLBAR_EXISTS), libraryName.GetString());
        AfxMessageBox(text, MB_OK | MB_ICONWARNING);
        return false;
    }
    UINT barId = kFirstFragmentBarId;
    while (barId <= kLastFragmentBarId && bars->GetToolBar(barId)) ++barId;
    if (barId > kLastFragmentBarId) {
        AfxMessageBox(XTPResourceString(XTP_IDS_NO_FREE_TOOLBAR_ID), MB_OK | MB_ICONWARNING);
        return false;
    }
    CXTPToolBar* bar = bars->AddCustomBar(libraryName, barId, kDockAnywhere, nullptr, 0, TRUE);
    if (!bar) return false;
    for (const CKVUserCommand* fragment : fragments)
        bar->GetControls()->Add(fragment->CreateControl(false, bars), static_cast<int>(fragment->ID));
    bar->SetVisible(TRUE);
    m_frame->SendMessage(XTPWM_CUSTOMBARADDED, 0, reinterpret_cast<LPARAM>(bar));
    return true;
}
