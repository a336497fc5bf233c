#include "mainframe/help/help_links.h"

#include <cstdint>
#include <string_view>

#include "services/application.h"
#include "mainframe/help/tutorial_document.h"
#include "mainframe/main_frame.h"
#include "platform/win32/icons.h"

namespace {

constexpr wchar_t kMarker[] = L"?kvcommand=";
constexpr UINT kShellFailedMessage = 43379;
constexpr UINT kExamplesMissingMessage = 41604;
constexpr UINT kTutorialCommand = 1206;
constexpr UINT kSupportCommand = 1048;

CString TutorialsFolder() {
    ApplicationServices* app = ApplicationServices::Instance();
    return app ? app->GetTutorialsFolder() : CString();
}

void PostToActiveFrame(UINT command) {
    if (CMainFrame* frame = CMainFrame::GetActive()) ::PostMessageW(frame->GetSafeHwnd(), WM_COMMAND, command, 0);
}

bool OpenThroughShell(const CString& target) {
    CMainFrame* frame = CMainFrame::GetActive();
    const HINSTANCE result = ::ShellExecuteW(frame ? frame->GetSafeHwnd() : nullptr, nullptr, target, L"", L"", SW_SHOW);
    if (reinterpret_cast<INT_PTR>(result) > 32) return true;
    KVMessageBox::Show(KVLoadFormatString(kShellFailedMessage, target.GetString()), MB_ICONERROR);
    return false;
}

void OpenDocument(const CString& path) {
    if (ApplicationServices* app = ApplicationServices::Instance()) app->OpenDocumentFile(path);
}

// "open": the argument in the case it was written, blanks as "%20".
void OpenLink(CString argument) {
    argument.Replace(L"%20", L" ");
    CString path;
    if (argument.Find(L'<') >= 0) {
        wchar_t resolved[MAX_PATH] = {};
        wchar_t current[MAX_PATH] = {};
        ::GetCurrentDirectoryW(MAX_PATH, current);
        path = KorvoDocument2::FindPathName(argument, current, resolved, 0, nullptr, nullptr, 1) ? CString(resolved) : argument;
    } else if (argument.Find(L':') > 0) {
        path = argument;
    } else {
        path = TutorialsFolder() + argument;
    }
    OpenDocument(path);
}

int PrototypeType(const CString& kind) {
    if (kind == L"2d") return 0;
    if (kind == L"3d") return 1;
    if (kind == L"2dassembly") return 3;
    if (kind == L"3dassembly") return 4;
    if (kind == L"sheetpart") return 5;
    return 0;
}

void NewDocumentLink(const CString& kind) {
    const ApplicationServices* app = ApplicationServices::Instance();
    if (!app) return;
    Korvo::DocumentManager& manager = Korvo::DocumentManager::Instance();
    Korvo::DocInitParams parameters = app->GetDocumentOpenParameters();
    parameters.options[0] = 1;
    parameters.options[1] = 0;
    manager.CreateAndSaveNewDocumentFromPrototype(NativeSettings::Files::GetPrototypeName(PrototypeType(kind)), parameters);
}

// Leading decimal digits; 0 for none or for a number past 32 bits.
UINT ContextNumber(const CString& argument) {
    std::uint64_t value = 0;
    for (int index = 0; index < argument.GetLength() && argument[index] >= L'0' && argument[index] <= L'9'; ++index) {
        value = value * 10 + static_cast<std::uint64_t>(argument[index] - L'0');
        if (value > 0xFFFFFFFFull) return 0;
    }
    return static_cast<UINT>(value);
}

void ShowInHelpFrame(const CString& url) {
    if (CMainFrame* frame = CMainFrame::GetActive()) frame->ShowEmbeddedHelp(url, 0);
}

void ContentsLink(const CString& argument) {
    CMainFrame* frame = CMainFrame::GetActive();
    if (frame) frame->CloseEmbeddedHelp();
    const int colon = argument.Find(L':');
    if (colon < 0) {
        PostToActiveFrame(kTutorialCommand);
        return;
    }
    ShowTutorialPage(TutorialsFolder() + argument.Mid(colon + 1));
}

// The folder of the configuration whose file name is `name` (ignoring case), or empty.
CString ExamplesFolder(const CString& name) {
    DocumentsMenu::IConfigurationsGroup* group = DocumentsMenu::GlobalCfgGroup();
    if (!group || name.IsEmpty()) return {};
    for (int index = 0; index < group->GetCount(); ++index) {
        DocumentsMenu::IConfiguration* configuration = group->GetConfigurationAt(index);
        if (!configuration) continue;
        const CString path = configuration->GetPath();
        const int start = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/')) + 1;
        const CString fileName = path.Mid(start);
        if (fileName.GetLength() == name.GetLength() && fileName.CompareNoCase(name) == 0) return path.Left(start);
    }
    return {};
}

void ExampleLink() {
    CString examples;
    if (KorvoServerAppProxy* server = KorvoServerAppProxy::Instance()) {
        kvio::IniFile ini;
        if (ini.Load(server->GetProductIniFileName())) examples = ini.GetString(L"SETTINGS", L"Examples", L"");
    }
    const CString folder = ExamplesFolder(examples);
    if (folder.IsEmpty()) {
        KVMessageBox::Show(KVLoadString(kExamplesMissingMessage), MB_OK);
        return;
    }
    // The product's own dialog, its settings kept under the examples' name.
    FileDialogInfo info(true);
    info.name = L"OpenExample";
    info.extension = L"grb";
    info.flags |= OFN_HIDEREADONLY;
    CKVFileDialog dialog(info, CMainFrame::GetActive());
    dialog.SetInitialPath(folder);
    if (dialog.DoModal() == IDOK) OpenDocument(dialog.GetPathName());
}

void ShellLink(const CString& argument) {
    const CString folder = TutorialsFolder();
    if (folder.IsEmpty() || !StaysInsideTutorials(argument)) {
        KVLog_WriteF(3, L"Help link not started: shell:%s", argument.GetString());
        return;
    }
    ::ShellExecuteW(nullptr, L"open", folder + argument, nullptr, nullptr, SW_SHOWNORMAL);
}

void VideoLink(const CString& argument) {
    ApplicationServices* app = ApplicationServices::Instance();
    const CString player = app ? app->GetVideoPlayer() : CString();
    if (player.IsEmpty()) {
        KVMessageBox::Show(L"Video Player is not Registered", MB_OK);
        return;
    }
    const CString folder = TutorialsFolder();
    if (folder.IsEmpty() || !StaysInsideTutorials(argument)) {
        KVLog_WriteF(3, L"Help link not played: video:%s", argument.GetString());
        return;
    }
    const CString playerPath = folder + player;
    const CString quotedPlayer = Korvo::QuoteCommandLineArgument(playerPath);
    const CString quotedFile = Korvo::QuoteCommandLineArgument(folder + argument);
    _wspawnl(_P_NOWAIT, playerPath, quotedPlayer.GetString(), quotedFile.GetString(), nullptr);
}

}  // namespace

bool StaysInsideTutorials(const CString& argument) {
    if (argument.IsEmpty() || argument.Find(L':') >= 0) return false;
    if (argument[0] == L'\\' || argument[0] == L'/') return false;
    std::wstring_view rest = argument.view();
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of(L"\\/");
        std::wstring_view part = rest.substr(0, end);
        // Windows drops trailing dots and blanks: ".. " and "..." name the parent too.
        while (!part.empty() && (part.back() == L' ' || part.back() == L'.')) part.remove_suffix(1);
        if (part.empty() && rest.substr(0, end).find(L'.') != std::wstring_view::npos) return false;
        if (end == std::wstring_view::npos) break;
        rest.remove_prefix(end + 1);
    }
    return true;
}

bool OnHelpLink(LPCWSTR url) {
    if (!url || !*url) return false;
    const CString original = url;
    CString lower = original;
    lower.MakeLower();
    const int marker = lower.Find(kMarker);
    if (marker < 0) {
        if (lower.Find(L"http://") == 0 || lower.Find(L"https://") == 0) return OpenThroughShell(original);
        if (lower.Find(L".pdf") > 0) {
            CString path = original;
            path.Replace(L"/", L"\\");
            return OpenThroughShell(KVAppendProgramPath(path, 0, true));
        }
        return false;
    }
    const int restStart = marker + static_cast<int>(std::size(kMarker) - 1);
    const CString rest = lower.Mid(restStart);
    // Verbs are found anywhere in the rest, in this order; the first found wins.
    static constexpr const wchar_t* kVerbs[] = {L"open", L"new", L"help", L"tutor:", L"tutorhtm:",
                                                L"contents", L"support", L"example", L"shell:", L"video:"};
    for (const wchar_t* verb : kVerbs) {
        const int at = rest.Find(verb);
        if (at < 0) continue;
        const int argumentStart = at + static_cast<int>(std::wcslen(verb));
        const CString argument = rest.Mid(argumentStart);
        const std::wstring_view name = verb;
        if (name == L"open") OpenLink(original.Mid(restStart + argumentStart));
        else if (name == L"new") NewDocumentLink(argument);
        else if (name == L"help") {
            if (const UINT context = ContextNumber(argument); context != 0) {
                if (ApplicationServices* app = ApplicationServices::Instance()) app->ShowHelpContext(context);
            }
        } else if (name == L"tutor:") ShowInHelpFrame(L"mk:@MSITStore:" + TutorialsFolder() + argument);
        else if (name == L"tutorhtm:") ShowInHelpFrame(TutorialsFolder() + argument);
        else if (name == L"contents") ContentsLink(argument);
        else if (name == L"support") PostToActiveFrame(kSupportCommand);
        else if (name == L"example") ExampleLink();
        else if (name == L"shell:") ShellLink(argument);
        else VideoLink(argument);
        return true;
    }
    return false;
}
