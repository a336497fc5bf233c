#include "mainframe/mdi/client_windows.h"
#include "mainframe/mdi/tab_group_layout.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"

namespace {

Korvo::UI::MdiChildFrame* KernelChildFrame(HWND window) {
    return dynamic_cast<Korvo::UI::MdiChildFrame*>(CWnd::FromHandlePermanent(window));
}

HWND WindowOf(const CXTPTabManagerItem* item) { return item ? item->GetHandle() : nullptr; }

}  // namespace

// ---- Tab groups ------------------------------------------------------------------------------

BOOL CKVWorkspace::DrawIcon(HDC dc, POINT point, CXTPTabManagerItem* item, BOOL draw, SIZE& iconSize) {
    const BOOL result = CXTPTabClientWnd::CWorkspace::DrawIcon(dc, point, item, draw, iconSize);
    if (!item || item->IsNewWindowItem()) return result;
    CKvw32Doc* document = DocumentOfFrame(item->GetHandle());
    if (!document || !document->IsReadOnly()) return result;
    // The read-only mark (image kReadOnlyImage at 16 pixels) follows the document icon.
    const int iconWidth = iconSize.cx;
    iconSize.cx += 2 + iconSize.cx;
    if (!draw || !dc) return result;
    constexpr int kMarkSize = 16;
    const auto* frame = dynamic_cast<const CXTPMDIFrameWnd*>(GetClient()->GetFrame());
    const CXTPCommandBars* bars = frame ? frame->GetCommandBars() : nullptr;
    CXTPImageManagerIcon* mark = bars ? bars->GetImageManager()->GetImage(kReadOnlyImage, kMarkSize) : nullptr;
    if (!mark) mark = XTPImageManager()->GetImage(kReadOnlyImage, kMarkSize);
    if (mark) mark->Draw(dc, POINT{point.x + iconWidth + 2, point.y}, SIZE{kMarkSize, kMarkSize});
    return result;
}

void CKVWorkspace::SetSelectedItem(CXTPTabManagerItem* item) {
    if (item && item->IsNewWindowItem()) {
        // The new-window item stands for the tab before it.
        const int count = GetItemCount();
        item = count >= 2 ? GetItem(count - 2) : nullptr;
        if (!item || item->IsNewWindowItem()) return;
    }
    // Only the selected document window's splitter shows; the group's others hide theirs.
    for (int i = 0; i < GetItemCount(); ++i) {
        const CXTPTabManagerItem* other = GetItem(i);
        if (CSplitterWnd* splitter = other->IsNewWindowItem() ? nullptr : CSplitterWnd::OfFrame(other->GetHandle()))
            splitter->ShowWindow(other == item ? SW_SHOW : SW_HIDE);
    }
    CXTPTabClientWnd::CWorkspace::SetSelectedItem(item);
}

BOOL CKVWorkspace::OnBeforeItemClick(CXTPTabManagerItem* item) {
    if (!CXTPTabClientWnd::CWorkspace::OnBeforeItemClick(item)) return FALSE;
    if (IsKeptOnPinnedDocument(WindowOf(GetSelectedItem()), WindowOf(item))) return FALSE;
    return TRUE;
}

void CKVWorkspace::OnNavigateButtonClick(CXTPTabManagerNavigateButton* button) {
    if (!button || button->GetID() != xtpTabNavigateButtonClose) {
        CXTPTabClientWnd::CWorkspace::OnNavigateButtonClick(button);
        return;
    }
    CXTPTabManagerItem* target = button->GetItem() ? button->GetItem() : GetSelectedItem();
    if (!target || !target->GetHandle()) return;
    ::PostMessageW(GetClient()->GetSafeHwnd(), WM_IDLEUPDATECMDUI, 0, 0);
    if (Korvo::UI::MdiChildFrame* frame = KernelChildFrame(target->GetHandle()); frame && !frame->OnCloseCommand())
        return;
    ::PostMessageW(target->GetHandle(), WM_CLOSE, 0, 0);
}

void CKVWorkspace::RepositionNavigateButtons() {
    const CXTPTabPaintManager* paint = GetClient()->GetPaintManager();
    const XTPTabPosition position = GetClient()->GetTabPosition();
    const bool horizontal = position == xtpTabPositionTop || position == xtpTabPositionBottom;
    for (int i = 0; i < GetItemCount(); ++i) {
        auto& buttons = GetItem(i)->GetNavigateButtons();
        std::vector<SIZE> sizes;
        std::vector<CXTPTabManagerNavigateButton*> visible;
        for (auto& button : buttons) {
            if (!button.IsVisible()) continue;
            sizes.push_back(button.GetSize());
            visible.push_back(&button);
        }
        if (visible.empty()) continue;
        const std::vector<RECT> placed = PlaceTabButtons(GetItem(i)->GetRect(), paint->m_rcButtonMargin, horizontal, sizes);
        for (std::size_t b = 0; b < visible.size(); ++b) visible[b]->SetRect(placed[b]);
    }
}

// ---- Tab client ------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKVTabClientWnd, CXTPTabClientWnd)
    ON_MESSAGE(WM_CONTEXTMENU, &CKVTabClientWnd::OnContextMenuMessage)
    ON_MESSAGE(WM_NCCALCSIZE, &CKVTabClientWnd::OnNcCalcSizeMessage)
    ON_MESSAGE(WM_NCPAINT, &CKVTabClientWnd::OnNcPaintMessage)
    ON_MESSAGE(WM_SIZE, &CKVTabClientWnd::OnSizeMessage)
    ON_MESSAGE(WM_MBUTTONDOWN, &CKVTabClientWnd::OnMiddleButtonMessage)
    ON_MESSAGE(WM_MBUTTONDBLCLK, &CKVTabClientWnd::OnMiddleButtonMessage)
END_MESSAGE_MAP()

CKVTabClientWnd::CKVTabClientWnd() : m_background(CMDIClientWndBackground::Acquire()) {
    // The tab row's navigation images are the kernel's, and so is the read-only mark, which
    // nothing else puts into an image manager.
    constexpr std::pair<UINT, UINT> kKernelImages[] = {{9157, 487}, {9158, 501},
                                                        {CKVWorkspace::kReadOnlyImage, CKVWorkspace::kReadOnlyImage}};
    for (const auto& [image, icon] : kKernelImages) {
        XTPImageManager()->RemoveIcon(image);
        UIModuleProxy::Instance().BindIcon(XTPImageManager(), image, icon);
    }
}

bool CKVTabClientWnd::LoadState() {
    // The saved tab settings come with the window layout; until it is read the defaults hold.
    if (!IsAttached()) return false;
    ApplyTabWidthOption();
    return true;
}

void CKVTabClientWnd::EnableTabs(bool show) {
    if (static_cast<BOOL>(show) == IsTabsShown()) return;
    ShowTabs(show);
    if (GetSafeHwnd() && ::IsWindowVisible(m_hWnd)) {
        Reposition();
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
}

void CKVTabClientWnd::ApplyTabWidthOption() {
    CXTPTabPaintManager* paint = GetPaintManager();
    if (GetOptions().fixedWidthTabs != 1) {
        paint->SetLayout(xtpTabLayoutAutoSize);
        Reposition();
        return;
    }
    HDC dc = ::GetDC(GetSafeHwnd());
    // Without a window DC the screen's compatible one measures the text; it is deleted, not released.
    const bool windowDc = dc != nullptr;
    if (!windowDc) dc = ::CreateCompatibleDC(nullptr);
    const bool bold = paint->m_bBoldNormal || paint->m_bBoldSelected;
    ::SelectObject(dc, bold ? paint->GetBoldFont() : paint->GetFont());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    int width = ::MulDiv(16 * metrics.tmAveCharWidth, ::GetDeviceCaps(dc, LOGPIXELSX), 72) +
                paint->m_rcButtonMargin.left + paint->m_rcButtonMargin.right;
    if (windowDc) ::ReleaseDC(m_hWnd, dc);
    else ::DeleteDC(dc);
    if (paint->m_bShowIcons) width += paint->GetIconSize().cx;
    if (IsCloseButtonsOnTabs()) width += xtpTabCloseButtonWidth;
    paint->SetFixedTabWidth(width);
    paint->SetLayout(xtpTabLayoutFixed);
    Reposition();
}

CString CKVTabClientWnd::GetItemText(CWnd* child) const {
    CKvw32Doc* document = child ? DocumentOfFrame(child->GetSafeHwnd()) : nullptr;
    if (!document) return CXTPTabClientWnd::GetItemText(child);
    if (Korvo::UI::MdiChildFrame* frame = KernelChildFrame(child->GetSafeHwnd()); frame && !frame->GetTabText().IsEmpty())
        return frame->GetTabText();
    CString text;
    child->GetWindowText(text);
    const CString title = document->GetTitle();
    const CString shortTitle = document->GetShortTitle();
    if (!document->KeepsFullTitle() && !shortTitle.IsEmpty() && shortTitle != title && !title.IsEmpty())
        text.Replace(title, shortTitle);
    return text;
}

CString CKVTabClientWnd::GetItemTooltip(const CXTPTabManagerItem* item) const {
    const HWND window = WindowOf(item);
    if (!window || !DocumentOfFrame(window)) return CString();
    if (Korvo::UI::MdiChildFrame* frame = KernelChildFrame(window); frame && !frame->GetTabText().IsEmpty())
        return frame->GetTabText();
    CString text;
    CWnd::FromHandle(window)->GetWindowText(text);
    return text;
}

HICON CKVTabClientWnd::GetItemIcon(const CXTPTabManagerItem* item) const {
    const HWND window = WindowOf(item);
    if (window)
        if (auto icon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0))) return icon;
    return CXTPTabClientWnd::GetItemIcon(item);
}

void CKVTabClientWnd::RefreshTheme() {
    CXTPTabClientWnd::RefreshTheme();
    CXTPTabPaintManager* paint = GetPaintManager();
    paint->m_bBoldNormal = TRUE;
    paint->m_bStaticFrame = FALSE;
    SetClientFrame(IsTabsShown() ? xtpTabFrameSingleLine : xtpTabFrameNone);
    // The toolkit's own theme gets its flat tab look with a small margin around the tabs.
    constexpr int kToolkitTheme = 6, kFlatTabs = 10, kMargin = 2;
    const auto* frame = dynamic_cast<const CXTPMDIFrameWnd*>(GetFrame());
    if (const CXTPCommandBars* bars = frame ? frame->GetCommandBars() : nullptr; bars && bars->GetTheme() == kToolkitTheme) {
        if (paint->GetAppearance() != kFlatTabs) paint->SetAppearance(kFlatTabs);
        const int x = XTPDpiHelper()->ScaleX(kMargin), y = XTPDpiHelper()->ScaleY(kMargin);
        paint->m_rcControlMargin = RECT{x, y, x, y};
    }
    paint->RefreshMetrics();
}

CXTPTabClientWnd::CWorkspace* CKVTabClientWnd::CreateWorkspace() { return new CKVWorkspace(this); }

BOOL CKVTabClientWnd::OnFillBackground(HDC dc, const RECT& rect) {
    if (m_background->Paint(dc, rect)) return TRUE;
    return CXTPTabClientWnd::OnFillBackground(dc, rect);
}

void CKVTabClientWnd::MDIActivate(CWnd* window) {
    // The views of the splitter panes hear of the activation through the framework's own view
    // activation; the frame has no splitter of its own here.
    CXTPTabClientWnd::MDIActivate(window);
}

CXTPTabClientWnd::CWorkspace* CKVTabClientWnd::AddWorkspace(int index) {
    CWorkspace* workspace = CXTPTabClientWnd::AddWorkspace(index);
    ApplyTabWidthOption();
    return workspace;
}

CXTPTabManagerItem* CKVTabClientWnd::AddItem(CWnd* child) {
    // A second window of the same document opens its tab next to the active one.
    if (CWorkspace* workspace = GetActiveWorkspace(); workspace && child)
        if (CXTPTabManagerItem* selected = workspace->GetSelectedItem(); selected && selected->GetHandle()) {
            CKvw32Doc* document = DocumentOfFrame(child->GetSafeHwnd());
            if (document && document == DocumentOfFrame(selected->GetHandle())) SetNextItemNextToActive();
        }
    CXTPTabManagerItem* item = CXTPTabClientWnd::AddItem(child);
    ApplyTabWidthOption();
    return item;
}

void CKVTabClientWnd::CalcWindowRect(LPRECT rect, UINT adjust) {
    if (!rect || GetWorkspaceCount() == 0 || !IsLayoutAllowed()) return;
    if (IsGroupsEnabled()) {
        std::vector<double> ratios;
        for (int i = 0; i < GetWorkspaceCount(); ++i) ratios.push_back(GetWorkspace(i)->m_dSplitterRatio);
        const TabGroupPlacement placement = PlaceTabGroups(*rect, IsStackedGroups() != FALSE, ratios, GetSplitterWidth());
        for (int i = 0; i < GetWorkspaceCount(); ++i) {
            CWorkspace* workspace = GetWorkspace(i);
            workspace->SetRect(placement.groups[static_cast<std::size_t>(i)]);
            workspace->m_rcSplitter = i + 1 < GetWorkspaceCount() ? placement.splitters[static_cast<std::size_t>(i)] : RECT{};
            placeTabs(*workspace);
            // The group's document windows fill the group below (or above) its tabs.
            RECT area = workspace->GetRect();
            const RECT header = workspace->GetHeaderRect();
            if (GetTabPosition() == xtpTabPositionBottom) area.bottom = header.top;
            else area.top = header.bottom;
            for (int t = 0; t < workspace->GetItemCount(); ++t)
                if (HWND window = workspace->GetItem(t)->GetHandle())
                    ::SetWindowPos(window, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
    } else {
        CWorkspace* workspace = GetWorkspace(0);
        workspace->SetRect(*rect);
        placeTabs(*workspace);
        const RECT header = workspace->GetHeaderRect();
        if (GetTabPosition() == xtpTabPositionBottom) rect->bottom = header.top;
        else rect->top = header.bottom;
        if (rect->bottom < rect->top) *rect = RECT{};
    }
    (void)adjust;
    for (int i = 0; i < GetWorkspaceCount(); ++i) GetWorkspace(i)->RepositionNavigateButtons();
}

LRESULT CKVTabClientWnd::OnContextMenuMessage(WPARAM, LPARAM lParam) {
    const POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ShowContextMenu(screen);
    return 0;
}

LRESULT CKVTabClientWnd::OnNcCalcSizeMessage(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Default();
    // No sunken edge around the documents: the client takes the edge's room.
    RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    if (client) {
        const int cx = ::GetSystemMetrics(SM_CXEDGE), cy = ::GetSystemMetrics(SM_CYEDGE);
        client->left -= cx;
        client->right += cx;
        client->top -= cy;
        client->bottom += cy;
    }
    return result;
}

LRESULT CKVTabClientWnd::OnNcPaintMessage(WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(m_hWnd, WM_NCPAINT, wParam, lParam);
}

LRESULT CKVTabClientWnd::OnSizeMessage(WPARAM, LPARAM) {
    const LRESULT result = Default();
    UpdateContents();
    if (GetWorkspaceCount() == 0) ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return result;
}

LRESULT CKVTabClientWnd::OnMiddleButtonMessage(WPARAM, LPARAM lParam) {
    if (!IsGroupsEnabled()) return Default();
    UpdateContents();
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (CXTPTabManagerItem* item = HitTest(point); item && item->GetHandle()) {
        ::SendMessageW(item->GetHandle(), WM_CLOSE, 0, 0);
        UpdateContents();
    }
    return 0;
}
