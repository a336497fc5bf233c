// Help: the compiled help file at a context or topic, the on-line help when the file is not
// installed, and the tutorials.
#include "app/kvw32_app.h"
#include "app/startup/machine_registry.h"
#include "mainframe/help/help_links.h"
#include "mainframe/help/tutorial_document.h"
#include "mainframe/main_frame.h"

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
    if (!m_helpFile.IsEmpty()) m_helpFile = Absolute(m_helpFile);
    WinHelpInternal(m_helpId, HELP_CONTEXT);
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
        // Application commands (17000-32000) carry their own help file and id; none are loaded
        // yet, so every number is a topic.
        topicId = static_cast<int>(data / 100);
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
    // The download address goes to the shell once the platform can start programs by address.
    KVMessageBox::Show(KVLoadString(kTutorialsMissingMessage), MB_YESNO | MB_ICONQUESTION);
}
