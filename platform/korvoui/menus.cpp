#include "platform/korvoui/menus.h"

#include <mutex>
#include <set>
#include <string>

#include "platform/core/text.h"
#include "platform/kernel/record.h"
#include "platform/korvoui/context_menu_control.h"

namespace {

struct ContextMenuCommands {
    std::mutex mutex;
    std::vector<platform::korvoui::ContextMenuCommand> commands;  // registration order
    std::set<UINT> ids;
    // Definitions name commands by symbol; case does not tell symbols apart.
    std::set<std::wstring, platform::core::NoCaseLess> symbols;
    int commandSetRegistrations = 0;
};

ContextMenuCommands& contextMenuCommandState() {
    static ContextMenuCommands state;
    return state;
}

}  // namespace

namespace Korvo::UI {

bool GlobalContextMenuContainer::RegisterCommand(int id, std::wstring_view symbol) {
    const auto refuse = [&](const wchar_t* why) {
        platform::kernel::recordWarning(L"Korvo::UI::GlobalContextMenuContainer::RegisterCommand: command " +
                                        std::to_wstring(id) + L" " + platform::kernel::quoted(symbol) + why +
                                        L"; not registered");
        return false;
    };
    if (id < 1 || id > 0xFFFF || symbol.empty()) return refuse(L" is not a valid command");
    auto& state = contextMenuCommandState();
    std::lock_guard lock(state.mutex);
    const UINT commandId = static_cast<UINT>(id);
    if (state.ids.contains(commandId) || state.symbols.contains(symbol)) return refuse(L" is registered already");
    state.ids.insert(commandId);
    state.symbols.emplace(symbol);
    state.commands.push_back({commandId, std::wstring(symbol)});
    return true;
}

void GlobalContextMenuContainer::RegisterCommands() {
    platform::kernel::recordCall(L"Korvo::UI::GlobalContextMenuContainer::RegisterCommands()");
    auto& state = contextMenuCommandState();
    std::lock_guard lock(state.mutex);
    ++state.commandSetRegistrations;
}

}  // namespace Korvo::UI

namespace platform::korvoui {

std::vector<ContextMenuCommand> contextMenuCommands() {
    auto& state = contextMenuCommandState();
    std::lock_guard lock(state.mutex);
    return state.commands;
}

int contextMenuCommandSetRegistrations() {
    auto& state = contextMenuCommandState();
    std::lock_guard lock(state.mutex);
    return state.commandSetRegistrations;
}

}  // namespace platform::korvoui

namespace Korvo::UI {

void GlobalContextMenuContainer::Load() { platform::kernel::recordCall(L"Korvo::UI::GlobalContextMenuContainer::Load()"); }

}  // namespace Korvo::UI

namespace Korvo::UI {

IMPLEMENT_DYNCREATE(AutoMenuToolBar, CXTPToolBar)
IMPLEMENT_DYNCREATE(TabbableToolBar, CXTPTabToolBar)

IMPLEMENT_DYNCREATE(SelectionFilterConfigurationButton, CXTPControlButton)

bool AutoMenuController::OwnsBar(const CXTPCommandBar* bar) { return DYNAMIC_DOWNCAST(AutoMenuToolBar, bar) != nullptr; }

// The stand-in's running commands put no controls of their own on the auto menu.
CXTPControl* AutoMenuController::CreateControl(UINT, CXTPCommandBar*) { return nullptr; }

int TabbableToolBar::AddOriginalTab(LPCWSTR name, const UINT* ids, int count, int iconId, bool visible,
                                    const GUID& guid) {
    Tab tab;
    tab.caption = name ? name : L"";
    if (ids && count > 0) tab.commandIds.assign(ids, ids + count);
    tab.iconId = iconId;
    tab.visible = visible;
    tab.guid = guid;
    return InsertTab(std::move(tab));
}

bool TabbableToolBar::SetTabAccelerator(const GUID& guid, const ACCEL& accelerator) {
    Tab* tab = FindTab(guid);
    if (!tab) return false;
    tab->accelerator = accelerator;
    return true;
}

void TabbableToolBar::UpdateAccelerators(CXTPShortcutManager& shortcuts, UINT firstCommand, UINT count) const {
    std::vector<ACCEL> entries;
    for (const ACCEL& entry : shortcuts.GetAccelerators())
        if (entry.cmd < firstCommand || entry.cmd >= firstCommand + count) entries.push_back(entry);
    const std::vector<Tab>& tabs = GetTabs();
    for (UINT index = 0; index < tabs.size() && index < count; ++index) {
        ACCEL accelerator = tabs[index].accelerator;
        if (accelerator.key == 0) continue;
        accelerator.cmd = static_cast<WORD>(firstCommand + index);
        entries.push_back(accelerator);
    }
    shortcuts.SetAccelerators(std::move(entries));
}

void TabbableToolBar::BuildPopupMenu(CXTPControls& items, UINT firstCommand, UINT count,
                                     const CXTPShortcutManager* shortcuts) const {
    items.RemoveAll();
    const std::vector<Tab>& tabs = GetTabs();
    for (UINT index = 0; index < tabs.size() && index < count; ++index) {
        const UINT command = firstCommand + index;
        CXTPControl* item = items.Add(xtpControlButton, static_cast<int>(command));
        if (!item) continue;
        item->SetCaption(tabs[index].caption);
        if (shortcuts) item->SetShortcutText(shortcuts->FindShortcutText(command));
    }
}

}  // namespace Korvo::UI

namespace Korvo::UI {

CXTPControls* EmptiedPopupItems(CXTPControlPopup& popup) {
    CXTPCommandBar* parent = popup.GetParent();
    if (!parent || !parent->GetCommandBars()) return nullptr;
    if (!popup.GetCommandBar()) {
        CXTPPopupBar* bar = CXTPPopupBar::CreatePopupBar(parent->GetCommandBars());
        popup.SetCommandBar(bar);
        bar->InternalRelease();
    }
    CXTPControls* items = popup.GetCommandBar()->GetControls();
    items->RemoveAll();
    return items;
}

}  // namespace Korvo::UI
