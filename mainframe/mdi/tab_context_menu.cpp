// The document tab's context menu and its commands.
#include "mainframe/mdi/shell_folder_window.h"
#include "mainframe/mdi/client_windows.h"
#include "mainframe/main_frame.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "platform/textcore/clipboard.h"

namespace {

constexpr UINT kTabMenu = 4014;
constexpr UINT kCloseTab = 600, kTabsTop = 601, kToggleTabs = 602, kTabsBottom = 603, kCloseEndingCommands = 604,
               kFixedWidth = 605, kOpenFolder = 606, kCopyPath = 607, kCloseAll = 1204, kNewMainWindow = 2046,
               kMoveToNewMainWindow = 2826, kWindowList = 61217, kFileClose = 57602, kToggleDocumentTabs = 805;
constexpr UINT kMoveToFrameFirst = 3450, kMoveToFrameLast = 3499;
// The move submenu lists no more frames than it has ids for.
constexpr std::size_t kMoveToFrameCount = kMoveToFrameLast - kMoveToFrameFirst + 1;

// The caption of the new-main-window item: kernel string 2046, or its second line.
CString NewMainWindowCaption() {
    CString text = KVLoadString(kNewMainWindow);
    const int lineFeed = text.Find(L'\n');
    return lineFeed >= 0 ? text.Mid(lineFeed + 1) : text;
}

bool MoveTo(CMainFrame* target, CWnd* child) {
    auto* childFrame = dynamic_cast<CMDIChildWnd*>(child);
    return target && childFrame && target->AttachChildFrame(childFrame);
}

}  // namespace

void CKVTabClientWnd::ShowContextMenu(POINT screenPoint) {
    UpdateContents();
    POINT point = screenPoint;
    ::ScreenToClient(m_hWnd, &point);
    CXTPTabManagerItem* item = HitTest(point);
    if (!item || !item->GetHandle()) return;
    HMENU menu = ::LoadMenuW(nullptr, kTabMenu);
    if (!menu) return;
    HMENU popup = ::GetSubMenu(menu, 0);
    if (!popup) {
        ::DestroyMenu(menu);
        return;
    }
    ::CheckMenuItem(popup, kFixedWidth, MF_BYCOMMAND | (GetOptions().fixedWidthTabs > 0 ? MF_CHECKED : MF_UNCHECKED));
    ::CheckMenuRadioItem(popup, kTabsTop, kTabsBottom, GetTabPosition() != xtpTabPositionTop ? kTabsBottom : kTabsTop,
                         MF_BYCOMMAND);
    const HWND window = item->GetHandle();
    CKvw32Doc* document = DocumentOfFrame(window);
    if (dynamic_cast<Korvo::UI::MdiChildFrame*>(CWnd::FromHandlePermanent(window))) {
        ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        const CString newWindow = NewMainWindowCaption();
        if (document) ::AppendMenuW(popup, MF_STRING, kNewMainWindow, newWindow);
        HMENU frames = ::CreatePopupMenu();
        std::vector<CMainFrame*> mainFrames;
        mainFrames = CMainFrame::GetAll();
        for (std::size_t i = 0; i < mainFrames.size() && i < kMoveToFrameCount; ++i) {
            CString title;
            mainFrames[i]->GetWindowText(title);
            const UINT checked = mainFrames[i] == GetFrame() ? MF_CHECKED : MF_UNCHECKED;
            ::AppendMenuW(frames, MF_STRING | checked, kMoveToFrameFirst + i, title);
        }
        ::AppendMenuW(frames, MF_STRING, kMoveToNewMainWindow, newWindow);
        ::AppendMenuW(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(frames), Korvo::I18n::Translate(L"move_to_main_window"));
    }
    if (!document || document->GetPathName().IsEmpty()) {
        ::EnableMenuItem(popup, kOpenFolder, MF_BYCOMMAND | MF_GRAYED);
        ::EnableMenuItem(popup, kCopyPath, MF_BYCOMMAND | MF_GRAYED);
    }
    // The menu is tracked through the frame's command bars, as every menu of the frame is.
    UINT chosen = 0;
    auto* site = dynamic_cast<CXTPMDIFrameWnd*>(GetFrame());
    CXTPCommandBars* bars = site ? site->GetCommandBars() : nullptr;
    if (CXTPPopupBar* bar = bars ? MenuPopupBar(bars, popup) : nullptr) {
        chosen = static_cast<UINT>(bars->TrackPopupMenu(bar, TPM_RETURNCMD | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y));
        bar->InternalRelease();
    }
    ::DestroyMenu(menu);
    if (chosen) OnTabCommand(chosen, CWnd::FromHandle(window));
}

void CKVTabClientWnd::OnTabCommand(UINT id, CWnd* child) {
    CMDIFrameWnd* frame = GetFrame();
    if (!frame || !child || !::IsWindow(child->GetSafeHwnd())) return;
    const HWND mainWindow = frame->GetSafeHwnd();
    CKvw32Doc* document = DocumentOfFrame(child->GetSafeHwnd());
    switch (id) {
        case kCloseTab: ::PostMessageW(child->GetSafeHwnd(), WM_SYSCOMMAND, SC_CLOSE, 0); return;
        case kTabsTop:
        case kTabsBottom:
            SetTabPosition(id == kTabsTop ? xtpTabPositionTop : xtpTabPositionBottom);
            Reposition();
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
            return;
        case kToggleTabs: ::PostMessageW(mainWindow, WM_COMMAND, kToggleDocumentTabs, 0); return;
        case kCloseEndingCommands:
            if (KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance()) kernel->TerminateAllCommands(nullptr, true);
            if (::IsWindow(child->GetSafeHwnd())) {
                frame->MDIActivate(child);
                if (auto* childFrame = dynamic_cast<CFrameWnd*>(child); childFrame && childFrame->GetActiveView())
                    childFrame->GetActiveView()->SetFocus();
                UpdateContents();
            }
            ::PostMessageW(mainWindow, WM_COMMAND, kFileClose, 0);
            return;
        case kFixedWidth:
            GetOptions().fixedWidthTabs = GetOptions().fixedWidthTabs > 0 ? 0 : 1;
            ApplyTabWidthOption();
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
            return;
        case kOpenFolder:
            if (document && !document->GetPathName().IsEmpty()) ShowFileInFolderWindow(document->GetPathName());
            return;
        case kCopyPath:
            if (document && !document->GetPathName().IsEmpty()) {
                Korvo::ClipboardManager clipboard;
                clipboard.Clear();
                clipboard.SetText(document->GetPathName());
            }
            return;
        case kCloseAll:
            if (CWinApp* app = AfxGetApp(); app && app->SaveAllModified()) app->CloseAllDocuments(FALSE);
            return;
        case kNewMainWindow: ::PostMessageW(mainWindow, WM_COMMAND, kNewMainWindow, 0); return;
        case kMoveToNewMainWindow:
            if (KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance())
                MoveTo(dynamic_cast<CMainFrame*>(kernel->CreateMainFrame()), child);
            return;
        case kWindowList: ::PostMessageW(mainWindow, WM_COMMAND, kWindowList, 0); return;
        default: break;
    }
    if (id >= kMoveToFrameFirst && id <= kMoveToFrameLast) {
        std::vector<CMainFrame*> mainFrames;
        mainFrames = CMainFrame::GetAll();
        const std::size_t index = id - kMoveToFrameFirst;
        if (index < mainFrames.size()) MoveTo(mainFrames[index], child);
    }
}
