#include "platform/korvoui/menus.h"

#include <bitset>
#include <mutex>
#include <string>
#include <unordered_set>

#include "platform/core/text.h"
#include "platform/kernel/record.h"
#include "platform/korvoui/context_menu_control.h"

namespace {

struct ContextMenuCommands {
    std::mutex mutex;
    std::vector<platform::korvoui::ContextMenuCommand> commands;  // registration order
    // Every id a command may have (1 to 65535), taken or not: the start-up registers hundreds.
    std::bitset<0x10000> ids;
    // Definitions name commands by symbol; case does not tell symbols apart, so the set holds
    // each symbol case-folded.
    std::unordered_set<std::wstring> foldedSymbols;
    int commandSetRegistrations = 0;

    // Room for what a start-up registers, so that neither list grows by steps while it does.
    ContextMenuCommands() {
        commands.reserve(kExpectedCommands);
        foldedSymbols.reserve(kExpectedCommands);
    }
    static constexpr std::size_t kExpectedCommands = 512;
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
    std::wstring folded = platform::core::foldCase(symbol);
    if (state.ids.test(commandId) || state.foldedSymbols.contains(folded)) return refuse(L" is registered already");
    state.ids.set(commandId);
    state.foldedSymbols.insert(std::move(folded));
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
    TabItem* item = InsertCategory(name, ids, count > 0 ? count : 0);
    if (!item) return -1;
    item->iconId = iconId;
    AttachRecord(item, guid, visible, false);
    const int index = IndexOf(item);
    SetItemVisible(index, visible);
    return index;
}

int TabbableToolBar::FindTab(const GUID& guid) const {
    for (int tab = 0; tab < GetItemCount(); ++tab)
        if (GetTabIdentifier(tab) == guid) return tab;
    return -1;
}

bool TabbableToolBar::SetTabAccelerator(const GUID& guid, const ACCEL& accelerator) {
    const int tab = FindTab(guid);
    if (tab < 0) return false;
    SetAccel(tab, accelerator.fVirt, accelerator.key);
    return true;
}

void TabbableToolBar::UpdateAccelerators() {
    CXTPCommandBars* bars = GetCommandBars();
    if (!bars) return;
    CXTPShortcutManager* shortcuts = bars->GetShortcutManager();
    std::vector<ACCEL> entries;
    for (const ACCEL& entry : shortcuts->GetAccelerators())
        if (entry.cmd < kFirstTabCommand || entry.cmd > kLastTabCommand) entries.push_back(entry);
    for (int tab = 0; tab < GetItemCount() && kFirstTabCommand + tab <= kLastTabCommand; ++tab) {
        const int key = GetAccelKey(tab);
        if (key == 0) continue;
        ACCEL entry;
        entry.fVirt = static_cast<BYTE>(GetAccelModifiers(tab) | FVIRTKEY);
        entry.key = static_cast<WORD>(key);
        entry.cmd = static_cast<WORD>(kFirstTabCommand + tab);
        entries.push_back(entry);
    }
    shortcuts->SetAccelerators(std::move(entries));
}

void TabbableToolBar::BuildPopupMenu(CXTPControls& items, UINT firstCommand, UINT count,
                                     const CXTPShortcutManager* shortcuts) const {
    items.RemoveAll();
    for (int tab = 0; tab < GetItemCount() && static_cast<UINT>(tab) < count; ++tab) {
        const UINT command = firstCommand + static_cast<UINT>(tab);
        CXTPControl* item = items.Add(xtpControlButton, static_cast<int>(command));
        if (!item) continue;
        item->SetCaption(GetItem(tab)->caption);
        if (shortcuts) item->SetShortcutText(shortcuts->FindShortcutText(command));
    }
}

CString TabbableToolBar::GetMenuStringW(int tab) const {
    const TabItem* item = GetItem(tab);
    if (!item) return CString();
    CString text = item->caption;
    if (const int key = GetAccelKey(tab); key != 0) {
        ACCEL accel;
        accel.fVirt = static_cast<BYTE>(GetAccelModifiers(tab) | FVIRTKEY);
        accel.key = static_cast<WORD>(key);
        static const CXTPShortcutManager plainNames;
        const CXTPShortcutManager* shortcuts = GetCommandBars() ? GetCommandBars()->GetShortcutManager() : &plainNames;
        text += L"\t" + shortcuts->Format(accel);
    }
    return text;
}

GUID TabbableToolBar::GetTabIdentifier(int) const { return GUID{}; }
bool TabbableToolBar::IsCustomizeVisible(int tab) const { return GetItem(tab) && GetItem(tab)->visible; }
void TabbableToolBar::SetCustomizeVisible(int tab, bool visible) { SetItemVisible(tab, visible); }
bool TabbableToolBar::IsUserItem(int) const { return false; }
void TabbableToolBar::SetAccel(int, int, int) {}
int TabbableToolBar::GetAccelModifiers(int) const { return 0; }
int TabbableToolBar::GetAccelKey(int) const { return 0; }

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
