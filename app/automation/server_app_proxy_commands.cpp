// The kernel callback object: application commands with their icons and tooltips, and items of
// the ribbon's system menu.
#include <algorithm>
#include <vector>

#include "app/automation/server_app_proxy.h"
#include "app/kvw32_app.h"
#include "commandbars/command_tooltips.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/main_frame.h"
#include "platform/win32/icons.h"

namespace {

constexpr UINT kQuitCommand = 1019;
constexpr UINT kFirstRecentFileCommand = 57616;
constexpr UINT kExitCommand = 57665;
constexpr std::uint64_t kLargestSvg = 0xFFFFFFFFull;

// The toolkit's global image manager, then each main frame's, each once.
std::vector<CXTPImageManager*> EveryImageManager(const CKvw32App& app) {
    std::vector<CXTPImageManager*> managers{XTPImageManager()};
    app.ForEachMainFrame([&](CMainFrame* frame) {
        CXTPCommandBars* bars = frame->GetCommandBars();
        CXTPImageManager* manager = bars ? bars->GetImageManager() : nullptr;
        if (manager && std::find(managers.begin(), managers.end(), manager) == managers.end()) managers.push_back(manager);
    });
    return managers;
}

bool HasVectorIcons(const CXTPImageManager& manager, UINT id) {
    const CXTPImageManagerIconSet* set = manager.GetIconSet(id);
    if (!set) return false;
    return std::any_of(set->GetIcons().begin(), set->GetIcons().end(),
                       [](const auto& entry) { return entry.second && entry.second->IsVectorIcon(); });
}

// The icon's size as the image manager keeps it; false for a handle that is no icon.
bool SetFromHandle(CXTPImageManager& manager, UINT id, HICON icon) {
    int width = 0, height = 0;
    if (!platform::win32::iconSize(icon, width, height)) return false;
    manager.SetIcon(id, width);
    return true;
}

}  // namespace

// ---- Application commands ------------------------------------------------------------------------

UINT ServerAppProxy::RegisterAppCommand(std::unique_ptr<IApplicationCommand> command, UINT iconId, HICON largeIcon,
                                        HICON smallIcon, const CommandTooltipInfo* tooltip) {
    if (!GlobalContainer::InAppCreateToolsMode() || !command) return 0;
    IApplicationCommand* registered = app_->RegisterApplicationCommand(std::move(command), false);
    if (!registered) return 0;
    const UINT id = registered->GetCommandId();

    if (iconId != 0) {
        SetCommandIcon(id, iconId, true);
    } else if (!largeIcon && !smallIcon) {
        // An earlier command of this id may have left its icon behind.
        for (CXTPImageManager* manager : EveryImageManager(*app_)) manager->RemoveIcon(id);
    } else {
        for (CXTPImageManager* manager : EveryImageManager(*app_)) {
            if (HasVectorIcons(*manager, id)) continue;
            manager->RemoveIcon(id);
            if (largeIcon) SetFromHandle(*manager, id, largeIcon);
            if (smallIcon && smallIcon != largeIcon) SetFromHandle(*manager, id, smallIcon);
        }
    }

    if (tooltip) {
        auto strings = UIModuleProxy::CommandStrings::FromPromptString(registered->GetPromptString());
        if (!tooltip->title.IsEmpty()) {
            if (strings.tooltipTitle == strings.caption) strings.tooltipTitle = tooltip->title;
            strings.caption = tooltip->title;
        }
        if (!tooltip->text.IsEmpty()) {
            if (strings.description == strings.tooltip) strings.description = tooltip->text;
            strings.tooltip = tooltip->text;
        }
        if (!tooltip->longText.IsEmpty()) strings.prompt = tooltip->longText;
        UIModuleProxy::Instance().SetCommandStrings(id, strings);
        SetCommandTooltipInfo(id, *tooltip);
    }
    app_->NotifyCommandRegistered(id);
    return id;
}

void ServerAppProxy::SetCommandIcon(UINT id, HMODULE module, LPCWSTR resourceName) {
    if (!resourceName) return;
    const auto resource = static_cast<UINT>(reinterpret_cast<UINT_PTR>(resourceName));
    const UIModuleProxy& ui = UIModuleProxy::Instance();
    // The given module, else the one the framework takes its resources from.
    HICON icon = ui.LoadIconFromResources(module, resource);
    if (!icon && module) icon = ui.LoadIconFromResources(nullptr, resource);
    if (!icon) return;
    for (CXTPImageManager* manager : EveryImageManager(*app_)) {
        if (HasVectorIcons(*manager, id)) continue;
        int width = 0, height = 0;
        if (platform::win32::iconSize(icon, width, height)) manager->SetIcon(id, width, resource);
    }
    DestroyIcon(icon);
}

void ServerAppProxy::SetCommandIcon(UINT id, const BYTE* svg, std::uint64_t size) {
    if (!svg || size == 0 || size > kLargestSvg) return;
    const std::string_view text(reinterpret_cast<const char*>(svg), static_cast<std::size_t>(size));
    // A vector image draws at every size: one icon of the set stands for all.
    if (text.find("<svg") == std::string_view::npos) return;
    constexpr int kVectorWidth = 16;
    for (CXTPImageManager* manager : EveryImageManager(*app_)) manager->SetIcon(id, kVectorWidth, true);
}

void ServerAppProxy::SetCommandIcon(UINT id, CXTPImageManagerIcon* icon) {
    if (!icon) return;
    for (CXTPImageManager* manager : EveryImageManager(*app_))
        manager->SetIcon(id, icon->GetWidth(), icon->IsVectorIcon());
}

void ServerAppProxy::SetCommandIcon(UINT id, HICON icon) {
    for (CXTPImageManager* manager : EveryImageManager(*app_)) SetFromHandle(*manager, id, icon);
}

void ServerAppProxy::SetCommandIcon(UINT id, UINT iconId, bool fromResources) {
    if (fromResources) {
        const UINT resource = iconId & 0xFFFF;
        if (resource != 0) SetCommandIcon(id, nullptr, reinterpret_cast<LPCWSTR>(static_cast<UINT_PTR>(resource)));
        return;
    }
    const std::vector<CXTPImageManager*> managers = EveryImageManager(*app_);
    const CXTPImageManagerIconSet* source = nullptr;
    for (CXTPImageManager* manager : managers) {
        if ((source = manager->GetIconSet(iconId)) != nullptr) break;
    }
    if (!source) return;
    // The set's icons are copied first: the command's own set may be the source.
    std::vector<std::pair<int, bool>> icons;
    for (const auto& [width, icon] : source->GetIcons()) icons.emplace_back(width, icon && icon->IsVectorIcon());
    for (CXTPImageManager* manager : managers) {
        manager->RemoveIcon(id);
        for (const auto& [width, vector] : icons) manager->SetIcon(id, width, vector);
    }
}

int ServerAppProxy::GetApplicationCommandCount() { return app_->GetApplicationCommands().GetCount(); }

IApplicationCommand* ServerAppProxy::GetApplicationCommand(int index) { return app_->GetApplicationCommands().Get(index); }

IApplicationCommand* ServerAppProxy::GetApplicationCommandById(UINT id) {
    return app_->GetApplicationCommands().GetById(id);
}

// The kernel names a command by its unique identifier in text form.
IApplicationCommand* ServerAppProxy::FindApplicationCommand(LPCWSTR name) {
    Korvo::UniqueIdentifier key;
    if (!name || !Korvo::UniqueIdentifier::TryParse(name, key)) return nullptr;
    const ApplicationCommands& commands = app_->GetApplicationCommands();
    return commands.GetById(commands.Find(key, IApplicationCommand::kUniqueCommand));
}

IApplicationCommand* ServerAppProxy::FindApplicationCommandById(UINT id) { return GetApplicationCommandById(id); }

// ---- The ribbon's system menu ----------------------------------------------------------------------

void ServerAppProxy::InsertRibbonSystemMenuItem(UINT id, LPCWSTR caption, UINT position, bool after) {
    if (id == 0) return;
    CString text = caption ? caption : L"";
    if (text.IsEmpty()) {
        if (const IApplicationCommand* command = app_->GetApplicationCommands().GetById(id))
            text = UIModuleProxy::CommandStrings::FromPromptString(command->GetPromptString()).caption;
        else
            text = KVLoadString(id);
    }
    app_->ForEachMainFrame([&](CMainFrame* frame) {
        KVRibbonBar* ribbon = frame->IsRibbonMode() ? frame->GetRibbonBar() : nullptr;
        CXTPRibbonControlSystemButton* button = ribbon ? ribbon->GetSystemButton() : nullptr;
        CXTPCommandBar* popup = button ? button->GetCommandBar() : nullptr;
        CXTPControls* controls = popup ? popup->GetControls() : nullptr;
        if (!controls || controls->FindControl(static_cast<int>(id))) return;
        int before = -1;
        if (CXTPControl* anchor = controls->FindControl(static_cast<int>(position))) {
            before = controls->IndexOf(anchor) + (after ? 1 : 0);
        } else {
            for (int i = 0; i < controls->GetCount() && before < 0; ++i) {
                const auto each = static_cast<UINT>(controls->GetAt(i)->GetID());
                if (each == kQuitCommand || each == kFirstRecentFileCommand || each == kExitCommand) before = i;
            }
        }
        if (before >= controls->GetCount()) before = -1;
        if (CXTPControl* item = controls->Add(xtpControlButton, static_cast<int>(id), nullptr, before)) item->SetCaption(text);
    });
}
