// The frame's own commands (bars, panes, screen and workbook modes, moving document windows,
// the tabbed tool bar) and their update rules. A command without an update rule stays enabled.
#include <algorithm>

#include "services/application.h"
#include "auxiliary/varnel_frame.h"
#include "commandbars/tab_tool_bar.h"
#include "mainframe/main_frame.h"
#include "mainframe/window_list.h"
#include "mainframe/main_frame_commands.h"
#include "mainframe/toolsengine/customize_sheet.h"
#include "syspanel/sys_panel_toolbar.h"

namespace {

constexpr UINT kPropertiesCommand = 811;
constexpr UINT kPdmAssemblyCommand = 814;
constexpr UINT kTechRequirementsCommand = 823;
constexpr UINT kAutoMenuCommand = 800, kStatusLineCommand = 801, kSysPanelCommand = 802;
constexpr UINT kRulersCommand = 803, kPageTabsCommand = 804, kWorkbookCommand = 805, kRibbonModeCommand = 806;
constexpr UINT kTabbableBarCommand = 807, kLockPanesCommand = 903;
constexpr UINT kTabsShownCommand = 1067, kTabBarLockCommand = 1123, kPromptsCommand = 1126;
constexpr UINT kMoveButtonsCommand = 1202, kUserToolsCommand = 1215, kLargeIconsCommand = 1221;
constexpr UINT kFullScreenCommand = 1254, kCleanScreenCommand = 2814, kColourBookCommand = 2031;
constexpr UINT kNewMainWindowCommand = 2826;
constexpr UINT kCustomizeThirdPageCommand = 9607, kCustomizeFirstPageCommand = 35001;
constexpr UINT kFirstMoveToFrame = 3450, kLastMoveToFrame = 3499;
constexpr UINT kFirstToolBarTab = 7000, kLastToolBarTab = 7199;
constexpr UINT kFirstUserCommand = 37000, kLastUserCommand = 37999;
constexpr UINT kPaneSettingsChangedEvent = 1043;
constexpr UINT kColourControl = 904;
constexpr UINT kFirstWindowMenuItem = 65280;

// The two tabs of the tabbed tool bar whose choice the kernel remembers for document views.
constexpr GUID kFirstRememberedTab = {0x921ACC19, 0x6449, 0x482A, {0x8E, 0x3E, 0xF5, 0xCF, 0xB8, 0x22, 0x5D, 0xAB}};
constexpr GUID kSecondRememberedTab = {0x7E18D530, 0xB63A, 0x4B30, {0x90, 0xF7, 0x2A, 0xBE, 0xC8, 0x36, 0xDD, 0xD0}};

}  // namespace

int FramePdmPaneBit(UINT paneId) {
    switch (paneId) {
        case 1012: return 1;
        case 1019: return 2;
        case 1013: return 4;
        case 1014: return 8;
        case 1015: return 16;
        case 1027: return 32;
        case 1033: return 64;
        case 1040: return 128;
        default: return 0;
    }
}

UINT PdmPaneOfCommand(UINT command) {
    switch (command) {
        case 787: return 1012;
        case 788: return 1013;
        case 789: return 1014;
        case 791: return 1015;
        case 798: return 1027;
        default: return 0;
    }
}

int RememberedTabOption(const GUID& tab) {
    if (tab == kFirstRememberedTab) return 0;
    if (tab == kSecondRememberedTab) return 1;
    return -1;
}

RECT FindCommandPaneRect(RECT button, SIZE size, RECT workArea) {
    const LONG width = std::min<LONG>(size.cx, workArea.right - workArea.left);
    const LONG height = std::min<LONG>(size.cy, workArea.bottom - workArea.top);
    LONG left = std::max<LONG>(0, (button.left + button.right) / 2 - width / 2);
    LONG top = button.bottom;
    if (left + width > workArea.right) left = workArea.right - width;
    if (top + height > workArea.bottom) top = workArea.bottom - height;
    return RECT{left, top, left + width, top + height};
}

// ---- Bars and panes ------------------------------------------------------------------------------

void CMainFrame::OnToolBarCommand(UINT id) {
    CXTPToolBar* bar = GetToolBarByCommand(id);
    if (!bar) return;
    bar->SetVisible(!bar->IsVisible());
    RecalcLayout();
}

void CMainFrame::OnUpdateToolBarCommand(CCmdUI* cmdUI) {
    // A position past the list keeps whatever state the control has.
    if (CXTPToolBar* bar = GetToolBarByCommand(cmdUI->m_nID)) cmdUI->SetCheck(bar->IsVisible() ? 1 : 0);
}

void CMainFrame::ShowDockingPane(UINT id) {
    if (id == kPropertiesCommand) {
        CWnd* properties = ApplicationServices::Instance() ? ApplicationServices::Instance()->GetPropertiesWindow(false) : nullptr;
        if (properties && properties->IsWindowVisible())
            if (CView* view = GetActiveKorvoView()) view->SetFocus();
    }
    CXTPDockingPane* pane = FindPaneByCommand(id);
    if (!pane) return;
    // The requirements pane toggles: shown, its command closes it.
    if (id == kTechRequirementsCommand && !pane->IsClosed()) {
        const HWND child = pane->GetChild();
        if (child && ::IsWindowVisible(child)) {
            m_paneManager.ClosePane(pane);
            return;
        }
    }
    // Showing a pane selects it in its tab group.
    m_paneManager.ShowPane(pane, TRUE);
}

void CMainFrame::OnUpdateDockingPane(CCmdUI* cmdUI) {
    ApplicationServices* app = ApplicationServices::Instance();
    const UINT id = cmdUI->m_nID;
    const bool connected = KVPDMWorkMix::IsActive();
    if (const UINT paneId = PdmPaneOfCommand(id); paneId != 0 && app) {
        // Made on demand once connected: a pane the user never opened still offers its explorer.
        int kind = CVarnelFrame::kDesktop;
        while (kind < CVarnelFrame::kLibraryElements && CVarnelFrame::PaneIdOf(kind) != paneId) ++kind;
        auto* window = dynamic_cast<CVarnelFrame*>(app->GetVarnelWindow(kind, false, connected));
        const bool visible = window && window->IsWindowVisible();
        cmdUI->Enable(visible || (window && window->IsAvailable()));
        cmdUI->SetCheck(visible ? 1 : 0);
        if (connected && window) {
            CString caption;
            window->GetWindowText(caption);
            if (!caption.IsEmpty()) cmdUI->SetText(caption);
        }
        return;
    }
    if (id == kPdmAssemblyCommand && app) {
        auto* window = dynamic_cast<CVarnelAssemblyWnd*>(app->GetVarnelAssemblyWindow(false, false));
        const bool visible = window && window->IsWindowVisible();
        cmdUI->Enable(visible || (window && window->HasContents()));
        cmdUI->SetCheck(visible ? 1 : 0);
        if (connected && window) {
            CString caption;
            window->GetWindowText(caption);
            if (!caption.IsEmpty()) cmdUI->SetText(caption);
        }
        return;
    }
    CXTPDockingPane* pane = FindPaneByCommand(id);
    cmdUI->Enable(pane != nullptr);
    cmdUI->SetCheck(pane && !pane->IsClosed() ? 1 : 0);
}

// ---- The frame's own commands ---------------------------------------------------------------------

void CMainFrame::OnFrameCommand(UINT id) {
    ApplicationServices* app = ApplicationServices::Instance();
    if (id >= kFirstMoveToFrame && id <= kLastMoveToFrame) {
        MoveActiveChildToFrame(id - kFirstMoveToFrame);
        return;
    }
    if (id >= kFirstToolBarTab && id <= kLastToolBarTab) {
        SelectToolBarTab(id - kFirstToolBarTab);
        return;
    }
    if (id >= kFirstUserCommand && id <= kLastUserCommand) {
        ExecuteRegisteredCommand(id);
        return;
    }
    CKVTabToolBar* tabBar = GetTabToolBar();
    switch (id) {
        case kAutoMenuCommand:
            if (CXTPToolBar* bar = GetAutoMenuToolBar(); bar && !IsRibbonMode()) {
                bar->SetVisible(!bar->IsVisible());
                m_showClassicAutoMenu = bar->IsVisible() != FALSE;
                RecalcLayout();
            }
            return;
        case kStatusLineCommand: {
            CStatusLine& status = GetStatusLine();
            if (!status.GetSafeHwnd()) return;
            status.ShowWindow(status.IsWindowVisible() ? SW_HIDE : SW_SHOW);
            RecalcLayout();
            return;
        }
        case kSysPanelCommand:
            if (CSysPanelToolbar* panel = GetSysPanelToolbar()) {
                panel->SetVisible(!panel->IsVisible());
                RecalcLayout();
            }
            return;
        case kRulersCommand:
            OnShowRulers();
            return;
        case kPageTabsCommand:
            OnTabs();
            return;
        case kUserToolsCommand:
            ShowUserToolsPage();
            return;
        case kCustomizeThirdPageCommand:
            ShowCustomizeSheet(CustomizeSheet::kRibbonPageMode, 0);
            return;
        case kCustomizeFirstPageCommand:
            ShowCustomizeSheet(0, 0);
            return;
        case kWorkbookCommand:
            if (GetScreenMode() != 2) SetWorkbookMode(!IsWorkbookMode());
            return;
        case kRibbonModeCommand:
            if (app) app->SetRibbonMode(!IsRibbonMode());
            return;
        case kTabbableBarCommand:
            if (tabBar) {
                tabBar->SetVisible(!tabBar->IsVisible());
                RecalcLayout();
            }
            return;
        case kLockPanesCommand: {
            const NativeSettings before = GetSettings();
            GetSettings().lockPanes = !before.lockPanes;
            AnnotateModuleProxy::SettingsChanged(before);
            ApplicationEventManager::Instance().Raise(kPaneSettingsChangedEvent, ApplicationEventArgs());
            return;
        }
        case kTabsShownCommand:
            if (!tabBar) return;
            tabBar->ShowTabs(!tabBar->IsTabsShown());
            RedrawAllCommandBars();
            return;
        case kTabBarLockCommand:
            if (tabBar) tabBar->SetLocked(!tabBar->IsLocked());
            return;
        case kPromptsCommand:
            if (!tabBar) return;
            tabBar->ShowPrompts(!tabBar->IsPromptsShown());
            RedrawAllCommandBars();
            return;
        case kLargeIconsCommand:
            if (tabBar) tabBar->SetLargeIcons(!tabBar->IsLargeIcons());
            return;
        case kFullScreenCommand:
            SetScreenMode(GetScreenMode() == 1 ? 0 : 1);
            return;
        case kCleanScreenCommand:
            SetScreenMode(GetScreenMode() == 2 ? 0 : 2);
            return;
        case kColourBookCommand:
            SelectColourFromBook();
            return;
        case kNewMainWindowCommand:
            MoveActiveChildToNewFrame();
            return;
        default:
            OnPdmCommand(id);
            return;
    }
}

void CMainFrame::OnUpdateFrameCommand(CCmdUI* cmdUI) {
    const UINT id = cmdUI->m_nID;
    if (id >= kFirstToolBarTab && id <= kLastToolBarTab) {
        const CKVTabToolBar* tabBar = GetTabToolBar();
        cmdUI->SetCheck(tabBar && tabBar->GetCurSel() == static_cast<int>(id - kFirstToolBarTab) ? 1 : 0);
        return;
    }
    if (id >= kFirstUserCommand && id <= kLastUserCommand) {
        OnUpdateRegisteredCommand(cmdUI);
        return;
    }
    const CKVTabToolBar* tabBar = GetTabToolBar();
    auto checkOrDisable = [cmdUI](const CXTPToolBar* bar) {
        if (!bar) cmdUI->Enable(FALSE);
        else cmdUI->SetCheck(bar->IsVisible() ? 1 : 0);
    };
    switch (id) {
        case kAutoMenuCommand:
            if (IsRibbonMode()) cmdUI->Enable(FALSE);
            else checkOrDisable(GetAutoMenuToolBar());
            return;
        case kStatusLineCommand: {
            const CStatusLine& status = GetStatusLine();
            if (!status.GetSafeHwnd()) cmdUI->Enable(FALSE);
            else cmdUI->SetCheck(status.IsWindowVisible() ? 1 : 0);
            return;
        }
        case kSysPanelCommand: checkOrDisable(GetSysPanelToolbar()); return;
        case kRulersCommand: OnUpdateShowRulers(cmdUI); return;
        case kPageTabsCommand: OnUpdateTabs(cmdUI); return;
        case kWorkbookCommand:
            cmdUI->SetCheck(IsWorkbookMode() ? 1 : 0);
            if (GetScreenMode() == 2) cmdUI->Enable(FALSE);
            return;
        case kRibbonModeCommand: cmdUI->SetCheck(IsRibbonMode() ? 1 : 0); return;
        case kTabbableBarCommand: checkOrDisable(tabBar); return;
        case kLockPanesCommand: cmdUI->SetCheck(GetSettings().lockPanes ? 1 : 0); return;
        case kTabsShownCommand: cmdUI->SetCheck(tabBar && tabBar->IsTabsShown() ? 1 : 0); return;
        case kTabBarLockCommand: cmdUI->SetCheck(tabBar && tabBar->IsLocked() ? 1 : 0); return;
        case kPromptsCommand: cmdUI->SetCheck(tabBar && tabBar->IsPromptsShown() ? 1 : 0); return;
        case kLargeIconsCommand: {
            const auto* bars = CXTPMDIFrameWnd::GetCommandBars();
            const bool wideScreen = bars && const_cast<CXTPCommandBars*>(bars)->GetCommandBarsOptions()->bLargeIcons;
            cmdUI->SetCheck(wideScreen || (tabBar && tabBar->IsLargeIcons()) ? 1 : 0);
            if (wideScreen) cmdUI->Enable(FALSE);
            return;
        }
        case kMoveButtonsCommand: cmdUI->Enable(TRUE); return;
        case kFullScreenCommand: cmdUI->SetCheck(GetScreenMode() == 1 ? 1 : 0); return;
        case kCleanScreenCommand: cmdUI->SetCheck(GetScreenMode() == 2 ? 1 : 0); return;
        case kColourBookCommand: cmdUI->Enable(GetActiveKorvoDocument() != nullptr); return;
        default: OnUpdatePdmCommand(cmdUI); return;
    }
}

void CMainFrame::OnNoAction() {}

void CMainFrame::OnFrameHelp() {
    if (ApplicationServices* app = ApplicationServices::Instance()) app->OnHelp();
}

// The framework's context help: until a command is chosen (its help shows instead) or Esc is
// pressed, the frame is in help mode. Not while a modal state keeps the user elsewhere.
void CMainFrame::OnContextHelp() {
    if (m_contextHelpMode || !IsWindowEnabled()) return;
    m_contextHelpMode = true;
}

void CMainFrame::OnWindowList() {
    CMainFrameWindowList dialog(this, IsWorkbookMode());
    dialog.DoModal();
}

void CMainFrame::OnUpdateWindowMenu(CCmdUI* cmdUI) {
    CString text;
    if (GetWindowMenuItemText(cmdUI->m_nID, text)) cmdUI->SetText(text);
}

// ---- Moving document windows and the tabbed tool bar ------------------------------------------

void CMainFrame::MoveActiveChildToFrame(UINT index) {
    const std::vector<CMainFrame*> frames = CMainFrame::GetAll();
    if (index >= frames.size()) return;
    CMDIChildWnd* child = GetActiveChildFrame();
    if (!child || frames[index] == this) return;
    frames[index]->AttachChildFrame(child);
}

void CMainFrame::MoveActiveChildToNewFrame() {
    CMDIChildWnd* child = GetActiveChildFrame();
    KorvoServerAppProxy* kernelCallbacks = KorvoServerAppProxy::Instance();
    CFrameWnd* created = kernelCallbacks ? kernelCallbacks->CreateMainFrame() : nullptr;
    auto* frame = dynamic_cast<CMainFrame*>(created);
    if (frame && child) frame->AttachChildFrame(child);
}

void CMainFrame::SelectToolBarTab(UINT index) {
    CKVTabToolBar* tabBar = GetTabToolBar();
    if (!tabBar || static_cast<int>(index) >= tabBar->GetItemCount()) return;
    tabBar->SetCurSel(static_cast<int>(index));
    CKVView* view = GetActiveKorvoView();
    if (!view || !view->IsRememberingToolBarTab()) return;
    if (const int option = RememberedTabOption(tabBar->GetTabIdentifier(static_cast<int>(index))); option >= 0)
        GetSettings().lastToolBarTab = option;
}

void CMainFrame::SelectColourFromBook() {
    CKvw32Doc* document = GetActiveKorvoDocument();
    if (!document) return;
    AlterColorSelectArgs args;
    args.owner = m_hWnd;
    // The colour books open where the user is pointing.
    ::GetCursorPos(&args.cursor);
    args.origin = args.cursor;
    const NativeSettings& settings = GetSettings();
    if (settings.colorBookFolder.IsEmpty()) {
        args.folder = KVAppendProgramPath(L"ColorBooks\\");
    } else if (kvio::IsRelativePath(settings.colorBookFolder.GetString())) {
        CString base = settings.templateFolder;
        if (!base.IsEmpty() && base.Right(1) != L"\\") base += L"\\";
        args.folder = base + settings.colorBookFolder;
    } else {
        args.folder = settings.colorBookFolder;
    }
    ApplicationEventManager::Instance().Raise(kEventColourBookSelection, args);
    if (!args.chosen) return;
    const int value = static_cast<int>(args.color << 8);
    set_syspanel_int(document->Cont2D(), kColourControl, value);
    SendMessage(WM_COMMAND, kColourControl);
}

bool CMainFrame::GetWindowMenuItemText(UINT id, CString& text) {
    // The framework numbers the document windows of the MDI client from 1 in its window menu.
    const UINT wanted = id - kFirstWindowMenuItem;
    UINT index = 0;
    for (HWND child = ::GetTopWindow(m_hWndMDIClient); child; child = ::GetWindow(child, GW_HWNDNEXT), ++index) {
        if (index != wanted) continue;
        CString title;
        if (CWnd* window = CWnd::FromHandlePermanent(child)) window->GetWindowText(title);
        text.Format(L"&%u %s", index + 1, title.GetString());
        return true;
    }
    return false;
}

void CMainFrame::RedrawAllCommandBars() {
    if (CXTPCommandBars* bars = CXTPMDIFrameWnd::GetCommandBars()) bars->RecalcFrameLayout();
    RecalcLayout();
}
