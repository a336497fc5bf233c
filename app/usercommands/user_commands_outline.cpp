#include "app/usercommands/user_commands_outline.h"

#include "app/kvw32_app.h"
#include "commandbars/usercommands/byte_streams.h"
#include "commandbars/usercommands/user_command_kinds.h"
#include "mainframe/main_frame.h"

namespace {

std::wstring Quoted(const CString& text) { return L"\"" + std::wstring(text.view()) + L"\""; }

// The kind's own fields, named as the registry names them.
std::wstring OwnFields(const CKVUserCommand& command) {
    if (const auto* macro = dynamic_cast<const CKVMacroUserCommand*>(&command)) return L"Macro " + Quoted(macro->Macro);
    if (const auto* app = dynamic_cast<const CKVExternalAppUserCommand*>(&command))
        return L"App " + Quoted(app->App) + L" Args " + Quoted(app->Args) + L" Wait " + std::to_wstring(app->Wait);
    if (const auto* library = dynamic_cast<const CKVOpenLibraryUserCommand*>(&command))
        return L"Library " + Quoted(library->Library) + L" Mode " + std::to_wstring(library->Mode);
    if (const auto* file = dynamic_cast<const CKVOpenFileUserCommand*>(&command)) return L"File " + Quoted(file->File);
    if (const auto* folder = dynamic_cast<const CKVOpenFolderUserCommand*>(&command)) return L"Folder " + Quoted(folder->Folder);
    if (const auto* fragment = dynamic_cast<const CKVFragmentUserCommand*>(&command)) return L"Path " + Quoted(fragment->Path);
    if (const auto* document = dynamic_cast<const CKVCreateDocumentUserCommand*>(&command))
        return L"Prototype " + Quoted(document->Prototype);
    return {};
}

std::wstring IconWidths(CXTPImageManager* images, UINT id) {
    const CXTPImageManagerIconSet* set = images ? images->GetIconSet(id) : nullptr;
    if (!set || set->GetIcons().empty()) return L"none";
    std::wstring widths;
    for (const auto& [width, icon] : set->GetIcons()) widths += (widths.empty() ? L"" : L",") + std::to_wstring(width);
    return widths;
}

}  // namespace

std::wstring UserCommandsOutline() {
    CKvw32App* app = CKvw32App::Instance();
    if (!app) return {};
    std::wstring text;
    const std::vector<Korvo::UI::MainFrame*> frames = UIModuleProxy::Instance().GetMainFrames();
    app->GetUserCommands().ForEach([&](UINT id, const CKVUserCommand& command) {
        text += std::to_wstring(id) + L" type " + std::to_wstring(command.GetType()) + L" prompt " + Quoted(command.Prompt) +
                L" tooltip " + Quoted(command.Tooltip) + L" icon " + Quoted(command.Icon) + L" " + OwnFields(command) + L"\n";
        for (std::size_t index = 0; index < frames.size(); ++index) {
            CXTPCommandBars* bars = frames[index]->GetCommandBars();
            text += L"  frame " + std::to_wstring(index + 1) + L" icon " +
                    IconWidths(bars ? bars->GetImageManager() : nullptr, id) + L"\n";
        }
    });
    return text;
}

std::wstring ImportUserCommandsFile(const std::wstring& path, bool& ok) {
    ok = false;
    CKvw32App* app = CKvw32App::Instance();
    if (!app) return L"the program is not running";
    if (!Korvo::UserCommands::ReadWholeFile(path.c_str())) return L"\"" + path + L"\" cannot be read";
    if (!app->GetUserCommands().ImportFromFile(path.c_str())) return L"\"" + path + L"\" is no command file";
    ok = true;
    return std::to_wstring(app->GetUserCommands().GetCount()) + L" commands";
}
