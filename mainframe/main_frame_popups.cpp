// The popups the frame builds when the command bars ask for a control: the fixed popups of the
// display and snap commands, the tool-bar mode popup, and the popup of a command's group, each a
// popup tool bar the user may tear off.
#include "commandbars/tab_tool_bar.h"
#include "commandbars/tool_bars.h"
#include "mainframe/main_frame.h"
#include "mainframe/toolsengine/command_groups.h"

namespace {

constexpr UINT kSpacerCommand = 1202;
constexpr UINT kToolBarModePopup = 1075;
constexpr UINT kFirstToolBarTab = 7000, kMaxToolBarTabs = 200;
constexpr DWORD kToolBarModeFlag = 16;
constexpr int kTearOffWidth = 400, kPopupBarWidth = 10000;

struct FixedPopup {
    UINT id;
    std::vector<UINT> commands;
};

const std::vector<FixedPopup>& FixedPopups() {
    static const std::vector<FixedPopup> popups = {
        {1340, {1275, 1276, 1273, 1813, 1997, 1270, 1968, 1274, 1969, 1794, 1271, 1272, 1970, 1277, 2896, 3173, 1278, 1811}},
        {1122, {1236, 2135, 1043, 1993, 1706, 1237, 1239, 1112, 1361, 8382, kSpacerCommand}},
        {1339, {1365, 1324, 1323, 1325, 2059, 2060, 2061, 1396, 3144}},
        // 1338 stands twice, as the popup has always listed it; tearing the popup off puts its
        // buttons in order once each.
        {1341, {1352, 1348, 1353, 1338, 1350, 1346, 1351, 1347, 1336, 1349, 1337, 1338}},
        {1416, {1416, 1417}},
    };
    return popups;
}

CString CommandCaption(UINT id) { return CMainFrame::PopupButtonTooltip(id); }

CXTPControl* PopupToolBar(UINT id, XTPControlType type, const std::vector<UINT>& commands, const CString& caption,
                          CXTPCommandBars* bars) {
    auto* popup = new CXTPControlPopup;
    popup->SetType(type);
    popup->SetID(static_cast<int>(id));
    CXTPPopupBar* bar = CXTPPopupBar::CreatePopupBar(bars);
    for (const UINT command : commands) {
        auto* button = new CKVControlButton;
        CXTPControl* added = bar->GetControls()->Add(button, static_cast<int>(command));
        if (added) added->SetTooltip(CommandCaption(command));
    }
    bar->SetTearOffPopup(caption, id, kTearOffWidth);
    bar->SetWidth(kPopupBarWidth);
    popup->SetCommandBar(bar);
    bar->InternalRelease();
    return popup;
}

}  // namespace

CXTPControl* CMainFrame::CreateCommandPopup(UINT id) {
    CXTPCommandBars* bars = CXTPMDIFrameWnd::GetCommandBars();
    if (!bars) return nullptr;
    for (const FixedPopup& fixed : FixedPopups()) {
        if (fixed.id != id) continue;
        const CString caption = id == 1416 ? Korvo::I18n::Translate(L"panels.ribbon.enableclipplane") : CommandCaption(id);
        return PopupToolBar(id, xtpControlButtonPopup, fixed.commands, caption, bars);
    }
    if (id == kToolBarModePopup) {
        auto* popup = new CXTPControlPopup;
        popup->SetType(xtpControlButtonPopup);
        popup->SetID(static_cast<int>(id));
        popup->SetFlags(popup->GetFlags() | kToolBarModeFlag);
        CXTPPopupBar* menu = CXTPPopupBar::CreatePopupBar(bars);
        if (const CKVTabToolBar* tabBar = GetTabToolBar())
            tabBar->BuildPopupMenu(*menu->GetControls(), kFirstToolBarTab, kMaxToolBarTabs, bars->GetShortcutManager());
        popup->SetCommandBar(menu);
        menu->InternalRelease();
        return popup;
    }
    const CommandGroup* group = FindCommandGroup(id);
    if (!group) return nullptr;
    std::vector<UINT> commands;
    const KVCommandContainer& container = KVCommandContainer::Instance();
    for (const UINT member : group->members)
        if (container.IsRegistered(member)) commands.push_back(member);
    commands.push_back(kSpacerCommand);
    const CString caption = group->head != -1 ? GetStrWithoutCommandLetters(KVLoadString(static_cast<UINT>(group->head)))
                                              : CommandCaption(id);
    return PopupToolBar(id, xtpControlSplitButtonPopup, commands, caption, bars);
}

void CMainFrame::OnInitCommandsPopup(CXTPPopupBar* popup) {
    Korvo::UI::MdiMainFrame::OnInitCommandsPopup(popup);
    const CXTPControlPopup* control = popup ? popup->GetControlPopup() : nullptr;
    CKVTabToolBar* tabBar = GetTabToolBar();
    CXTPCommandBars* bars = CXTPMDIFrameWnd::GetCommandBars();
    if (!control || control->GetID() != static_cast<int>(kToolBarModePopup) || !tabBar || !bars) return;
    // The tabs may have changed since the popup was made: it lists them as they are now, with the
    // keys that select them.
    tabBar->UpdateAccelerators();
    tabBar->BuildPopupMenu(*popup->GetControls(), kFirstToolBarTab, kMaxToolBarTabs, bars->GetShortcutManager());
}

CString CMainFrame::PopupButtonTooltip(UINT command) {
    const auto strings = UIModuleProxy::Instance().GetCommandStrings(command);
    if (!strings || strings->size() < 2) return CString();
    return GetStrWithoutCommandLetters((*strings)[1]);
}
