// Help: the compiled help file at a context or topic, the on-line help when the file is not
// installed, and the tutorials.
#include <optional>

#include "app/kvw32_app.h"
#include "app/startup/machine_registry.h"
#include "mainframe/help/help_links.h"
#include "mainframe/help/tutorial_document.h"
#include "mainframe/main_frame.h"
#include "platform/kernel/ui/context_help.h"

namespace {

constexpr const wchar_t* kHelpFileName = L"Korvo.chm";
constexpr const wchar_t* kPartnerHelpFileName = L"KorvoPartner.chm";
constexpr const wchar_t* kPartnerLanguageKey = L"Korvo Partner 18";
constexpr int kPartnerHelpCountry = 5;
constexpr int kPartnerTutorialsCountry = 3;
constexpr UINT kTutorialsMissingMessage = 41960;

bool IsRelative(const CString& path) {
    if (path.GetLength() >= 2 && path[1] == L':') return false;
    return path.IsEmpty() || (path[0] != L'\\' && path[0] != L'/');
}

CString Absolute(const CString& path) {
    return IsRelative(path) ? CString(kvio::JoinPath(KVGetProgramPath().view(), path.view())) : path;
}

bool IsFile(const CString& path) {
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The file name is the help file's own: compared over its length, ignoring case.
bool NamesHelpFile(const CString& path) {
    const CString name = path.Mid(path.ReverseFind(L'\\') + 1);
    return name.CompareNoCase(kHelpFileName) == 0;
}

CString JoinFolder(const CString& folder, const CString& name) {
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] == L'\\') return folder + name;
    return folder + L"\\" + name;
}

}  // namespace

void CKvw32App::OnHelp() {
    // What the user works in now (a command's form) knows its help better than the nesting does.
    const std::optional<DWORD> contextHelp = UIModule::GetContextHelpId();
    const DWORD id = contextHelp && *contextHelp != 0 ? *contextHelp : m_helpId;
    if (!m_helpFile.IsEmpty()) m_helpFile = Absolute(m_helpFile);
    WinHelpInternal(id, HELP_CONTEXT);
}

void CKvw32App::ShowHelpTopic(UINT topicId) {
    if (!m_helpFile.IsEmpty()) m_helpFile = Absolute(m_helpFile);
    WinHelpInternal(topicId, HELP_CONTEXT);
}

void CKvw32App::ShowHelpContext(UINT id) { kvaux::MfcApplication::WinHelp(id, HELP_CONTEXT); }

void CKvw32App::ShowHelpFileTopic(LPCWSTR topic) {
    const CString page = CString(m_pszHelpFilePath ? m_pszHelpFilePath : L"") + L"::/" + (topic ? topic : L"");
    HtmlHelpW(nullptr, page, HH_DISPLAY_TOPIC, 0);
}

void CKvw32App::WinHelpInternal(DWORD_PTR data, UINT command) {
    CString helpFile = m_helpFile;
    int topicId = -1;
    const std::int64_t context = command == HELP_CONTEXT ? static_cast<std::int64_t>(data) : -1;
    if (data % 100 == 0) {
        // An application command's help (17000-32000) is its own, wherever the command came from.
        const DWORD_PTR n = data / 100;
        const IApplicationCommand* command =
            n >= ApplicationCommands::kFirstId && n <= ApplicationCommands::kLastId
                ? m_applicationCommands.Get(static_cast<int>(n - ApplicationCommands::kFirstId))
                : nullptr;
        if (command) {
            helpFile = command->GetHelpFile();
            topicId = static_cast<int>(command->GetHelpId());
        } else {
            topicId = static_cast<int>(n);
        }
    }
    if (helpFile.IsEmpty()) {
        if (topicId >= 1) helpFile = ApplicationManager::GetHelpFile(topicId);
        if (helpFile.IsEmpty() && m_pszHelpFilePath) helpFile = m_pszHelpFilePath;
    }
    const HelpWindowOpening opening(context, helpFile, topicId);
    ApplicationEventManager::Instance().Raise(kEventHelpWindowOpening, opening);

    const CString resolved = ResolveHelpFile(helpFile);
    if (resolved.IsEmpty()) {
        if (!NamesHelpFile(helpFile)) return;
        KorvoServerAppProxy* kernelCallbacks = KorvoServerAppProxy::Instance();
        if (data < 2 && kernelCallbacks && kernelCallbacks->IsViewerEdition()) return;
        OnHelpLink(Korvo::I18n::FormatTranslation(L"commands.HelpContents.context_url", static_cast<unsigned long long>(data)));
        return;
    }
    if (context >= 0) HtmlHelpW(nullptr, resolved, HH_HELP_CONTEXT, data);
    else HtmlHelpW(nullptr, resolved, HH_DISPLAY_TOC, 0);
}

CString CKvw32App::ResolveHelpFile(const CString& path) const {
    if (!path.IsEmpty()) {
        const CString absolute = Absolute(path);
        if (IsFile(absolute)) return absolute;
    }
    if (COUNTRY != kPartnerHelpCountry || GlobalContainer::IsMardel()) return {};
    const CString folder =
        ReadMachineString(L"SOFTWARE\\" + m_company + L"\\" + kPartnerLanguageKey + L"\\" + m_language, L"SetupHelpPath");
    if (folder.IsEmpty()) return {};
    const CString partner = JoinFolder(folder, kPartnerHelpFileName);
    return IsFile(partner) ? partner : CString();
}

CString CKvw32App::GetTutorialsFolder() const {
    const CString product = COUNTRY == kPartnerTutorialsCountry ? CString(L"Korvo Partner Tutorials 18") : CString(L"Korvo Tutorials 18");
    return ReadMachineString(L"SOFTWARE\\WOW6432Node\\" + m_company + L"\\" + product + L"\\" + m_language,
                             L"SetupDirectory");
}

void CKvw32App::OnTutorial() {
    const CString folder = GetTutorialsFolder();
    if (!folder.IsEmpty()) {
        ShowTutorial(!m_tutorHtm.IsEmpty() ? JoinFolder(folder, m_tutorHtm)
                                           : L"mk:@MSITStore:" + JoinFolder(folder, m_tutor));
        return;
    }
    if (m_tutorDownloadUri.IsEmpty()) {
        KVMessageBox::Show(KVLoadString(kTutorialsMissingMessage), MB_ICONINFORMATION);
        return;
    }
    if (KVMessageBox::Show(KVLoadString(kTutorialsMissingMessage), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    CMainFrame* frame = GetActiveMainFrame();
    ::ShellExecuteW(frame ? frame->GetSafeHwnd() : nullptr, nullptr, m_tutorDownloadUri, nullptr, nullptr, SW_SHOWNORMAL);
}
