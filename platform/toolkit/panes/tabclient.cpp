#include "platform/toolkit/panes/tabclient.h"

#include <algorithm>

#include "platform/toolkit/propexchange.h"

IMPLEMENT_DYNCREATE(CXTPTabClientWnd, CWnd)

namespace {

bool contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

// The average character width of the tab font, as the tab text is measured with it.
int averageCharWidth(HFONT font) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SelectObject(dc, font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::DeleteDC(dc);
    return metrics.tmAveCharWidth;
}

}  // namespace

// ---- Tab groups ------------------------------------------------------------------------------

CXTPTabManagerItem* CXTPTabManagerAtom::GetItem(int index) const {
    if (index < 0 || index >= GetItemCount()) return nullptr;
    return items_[static_cast<std::size_t>(index)].get();
}

CXTPTabManagerItem* CXTPTabManagerAtom::FindItem(HWND window) const {
    for (const auto& item : items_)
        if (item->GetHandle() == window && !item->IsNewWindowItem()) return item.get();
    return nullptr;
}

RECT CXTPTabManagerAtom::GetHeaderRect() const {
    const int height = client_->GetPaintManager()->GetHeaderHeight();
    RECT header = rect_;
    if (client_->GetTabPosition() == xtpTabPositionBottom) header.top = std::max(header.top, header.bottom - height);
    else header.bottom = std::min(header.bottom, header.top + height);
    return header;
}

BOOL CXTPTabManagerAtom::DrawIcon(HDC, POINT, CXTPTabManagerItem*, BOOL, SIZE& iconSize) {
    iconSize = client_->GetPaintManager()->m_bShowIcons ? client_->GetPaintManager()->GetIconSize() : SIZE{0, 0};
    return TRUE;
}

void CXTPTabManagerAtom::SetSelectedItem(CXTPTabManagerItem* item) {
    if (!item || item->IsNewWindowItem()) return;
    selected_ = item;
    CWnd* window = CWnd::FromHandle(item->GetHandle());
    CMDIFrameWnd* frame = client_->GetFrame();
    if (window && frame && frame->MDIGetActive() != window) client_->MDIActivate(window);
}

BOOL CXTPTabManagerAtom::OnBeforeItemClick(CXTPTabManagerItem* item) { return item != nullptr ? TRUE : FALSE; }

void CXTPTabManagerAtom::OnNavigateButtonClick(CXTPTabManagerNavigateButton* button) {
    if (!button || button->GetID() != xtpTabNavigateButtonClose) return;
    CXTPTabManagerItem* target = button->GetItem() ? button->GetItem() : selected_;
    if (target && target->GetHandle()) ::PostMessageW(target->GetHandle(), WM_CLOSE, 0, 0);
}

void CXTPTabManagerAtom::RepositionNavigateButtons() {
    for (const auto& item : items_) {
        RECT rect = item->GetRect();
        int right = rect.right - 2;
        for (auto& button : item->GetNavigateButtons()) {
            if (!button.IsVisible()) continue;
            const SIZE size = button.GetSize();
            const int top = rect.top + (rect.bottom - rect.top - size.cy) / 2;
            button.SetRect(RECT{right - size.cx, top, right, top + size.cy});
            right -= size.cx;
        }
    }
}

void CXTPTabManagerAtom::ClickItem(CXTPTabManagerItem* item) {
    if (!OnBeforeItemClick(item)) return;
    SetSelectedItem(item);
}

CXTPTabManagerItem* CXTPTabManagerAtom::HitTest(POINT point) const {
    for (const auto& item : items_)
        if (contains(item->GetRect(), point)) return item.get();
    return nullptr;
}

CXTPTabManagerItem* CXTPTabManagerAtom::insert(std::unique_ptr<CXTPTabManagerItem> item, int index) {
    // Tabs stay in front of the new-window item, which is always last.
    int limit = GetItemCount();
    if (limit > 0 && items_.back()->IsNewWindowItem() && !item->IsNewWindowItem()) --limit;
    index = index < 0 || index > limit ? limit : index;
    CXTPTabManagerItem* raw = item.get();
    items_.insert(items_.begin() + index, std::move(item));
    reindex();
    return raw;
}

void CXTPTabManagerAtom::remove(HWND window) {
    std::erase_if(items_, [&](const std::unique_ptr<CXTPTabManagerItem>& item) {
        if (item->GetHandle() != window || item->IsNewWindowItem()) return false;
        if (selected_ == item.get()) selected_ = nullptr;
        return true;
    });
    reindex();
}

void CXTPTabManagerAtom::reindex() {
    for (std::size_t i = 0; i < items_.size(); ++i) items_[i]->index_ = static_cast<int>(i);
}

// ---- Tab client ------------------------------------------------------------------------------

CXTPTabClientWnd::CXTPTabClientWnd() = default;

CXTPTabClientWnd::~CXTPTabClientWnd() { Detach(); }

BOOL CXTPTabClientWnd::Attach(CMDIFrameWnd* frame, BOOL enableGroups) {
    if (!frame || !frame->m_hWndMDIClient || frame_ || GetSafeHwnd()) return FALSE;
    if (!SubclassWindow(frame->m_hWndMDIClient)) return FALSE;
    frame_ = frame;
    groups_ = enableGroups;
    RefreshTheme();
    UpdateContents();
    return TRUE;
}

void CXTPTabClientWnd::Detach() {
    if (!frame_) return;
    detaching_ = true;
    workspaces_.clear();
    if (GetSafeHwnd()) {
        if (::IsWindow(m_hWnd)) UnsubclassWindow();
        else CWnd::Detach();
    }
    frame_ = nullptr;
    detaching_ = false;
}

std::vector<HWND> CXTPTabClientWnd::children() const {
    std::vector<HWND> list;
    if (!m_hWnd || !::IsWindow(m_hWnd)) return list;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (::GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_MDICHILD) list.push_back(child);
    std::sort(list.begin(), list.end());  // handles grow with creation
    return list;
}

CXTPTabClientWnd::CWorkspace* CXTPTabClientWnd::GetWorkspace(int index) const {
    if (index < 0 || index >= GetWorkspaceCount()) return nullptr;
    return workspaces_[static_cast<std::size_t>(index)].get();
}

CXTPTabClientWnd::CWorkspace* CXTPTabClientWnd::FindWorkspace(HWND window) const {
    for (const auto& workspace : workspaces_)
        if (workspace->FindItem(window)) return workspace.get();
    return nullptr;
}

CXTPTabClientWnd::CWorkspace* CXTPTabClientWnd::GetActiveWorkspace() const {
    if (frame_)
        if (CMDIChildWnd* active = frame_->MDIGetActive())
            if (CWorkspace* workspace = FindWorkspace(active->GetSafeHwnd())) return workspace;
    return workspaces_.empty() ? nullptr : workspaces_.front().get();
}

void CXTPTabClientWnd::UpdateContents() {
    if (!frame_ || updating_ || detaching_) return;
    updating_ = true;
    const std::vector<HWND> live = children();
    // Tabs of windows that are gone go; groups left without tabs go with them.
    for (const auto& workspace : workspaces_)
        for (int i = workspace->GetItemCount() - 1; i >= 0; --i) {
            CXTPTabManagerItem* item = workspace->GetItem(i);
            if (!item->IsNewWindowItem() && std::find(live.begin(), live.end(), item->GetHandle()) == live.end())
                workspace->remove(item->GetHandle());
        }
    std::erase_if(workspaces_, [](const std::unique_ptr<CWorkspace>& workspace) {
        for (int i = 0; i < workspace->GetItemCount(); ++i)
            if (!workspace->GetItem(i)->IsNewWindowItem()) return false;
        return true;
    });
    for (HWND child : live)
        if (!FindWorkspace(child)) AddItem(CWnd::FromHandle(child));
    // The selection follows the active child; a group that lost its selected tab selects its first.
    HWND active = frame_->MDIGetActive() ? frame_->MDIGetActive()->GetSafeHwnd() : nullptr;
    for (const auto& workspace : workspaces_) {
        if (CXTPTabManagerItem* item = workspace->FindItem(active)) workspace->selected_ = item;
        else if (!workspace->selected_ && workspace->GetItemCount() > 0 && !workspace->GetItem(0)->IsNewWindowItem())
            workspace->selected_ = workspace->GetItem(0);
        const bool hasNewWindowItem = workspace->GetItemCount() > 0 && workspace->items_.back()->IsNewWindowItem();
        if (newWindowItem_ && !hasNewWindowItem)
            workspace->insert(std::make_unique<CXTPTabManagerItem>(nullptr, true), -1);
        if (!newWindowItem_ && hasNewWindowItem) workspace->items_.pop_back();
        for (const auto& item : workspace->items_) {
            if (item->IsNewWindowItem()) continue;
            item->SetCaption(GetItemText(CWnd::FromHandle(item->GetHandle())));
            item->SetTooltip(GetItemTooltip(item.get()));
            item->SetIcon(GetItemIcon(item.get()));
        }
    }
    updating_ = false;
    Reposition();
}

void CXTPTabClientWnd::Reposition() {
    if (!m_hWnd || !::IsWindow(m_hWnd) || !IsLayoutAllowed()) return;
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    CalcWindowRect(&rect, 0);
    // The tab rows are drawn again with what they now show.
    for (const auto& workspace : workspaces_) {
        const RECT header = workspace->GetHeaderRect();
        ::InvalidateRect(m_hWnd, &header, TRUE);
    }
    // One group: its windows fill what the tabs leave of the client, each over the others.
    if (IsGroupsEnabled() || workspaces_.empty() || rect.right <= rect.left) return;
    for (const auto& item : workspaces_.front()->items_) {
        const HWND window = item->GetHandle();
        if (!window || ::GetParent(window) != m_hWnd) continue;
        RECT now{};
        ::GetWindowRect(window, &now);
        POINT topLeft{now.left, now.top};
        ::ScreenToClient(m_hWnd, &topLeft);
        if (topLeft.x == rect.left && topLeft.y == rect.top && now.right - now.left == rect.right - rect.left &&
            now.bottom - now.top == rect.bottom - rect.top)
            continue;
        ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CXTPTabClientWnd::CalcWindowRect(LPRECT rect, UINT) {
    if (!rect || workspaces_.empty()) return;
    // The toolkit's own layout: groups side by side in equal shares.
    const int count = GetWorkspaceCount();
    const int width = rect->right - rect->left;
    for (int i = 0; i < count; ++i) {
        CWorkspace* workspace = GetWorkspace(i);
        workspace->SetRect(RECT{rect->left + width * i / count, rect->top, rect->left + width * (i + 1) / count,
                                rect->bottom});
        placeTabs(*workspace);
        workspace->RepositionNavigateButtons();
    }
}

void CXTPTabClientWnd::placeTabs(CWorkspace& workspace) {
    const RECT header = workspace.GetHeaderRect();
    const CXTPTabPaintManager& paint = paintManager_;
    const int charWidth = averageCharWidth(paint.m_bBoldNormal ? paint.GetBoldFont() : paint.GetFont());
    int x = header.left;
    for (const auto& item : workspace.items_) {
        auto& buttons = item->GetNavigateButtons();
        const bool wantsClose = !item->IsNewWindowItem() && IsCloseButtonsOnTabs();
        if (wantsClose && buttons.empty()) buttons.emplace_back(xtpTabNavigateButtonClose, item.get());
        if (!wantsClose) buttons.clear();
        int width = 0;
        if (paint.GetLayout() == xtpTabLayoutFixed && paint.GetFixedTabWidth() > 0) {
            width = paint.GetFixedTabWidth();
        } else {
            SIZE icon{0, 0};
            workspace.DrawIcon(nullptr, POINT{x, header.top}, item.get(), FALSE, icon);
            width = static_cast<int>(item->GetCaption().GetLength()) * charWidth + paint.m_rcButtonMargin.left +
                    paint.m_rcButtonMargin.right + icon.cx + (wantsClose ? xtpTabCloseButtonWidth : 0);
            if (item->IsNewWindowItem()) width = header.bottom - header.top;
        }
        item->SetRect(RECT{x, header.top, x + width, header.bottom});
        x += width;
    }
}

int CXTPTabClientWnd::GetItemCount() const {
    int count = 0;
    for (const auto& workspace : workspaces_)
        for (const auto& item : workspace->items_) count += item->IsNewWindowItem() ? 0 : 1;
    return count;
}

HWND CXTPTabClientWnd::GetItemWindow(int index) const {
    for (const auto& workspace : workspaces_)
        for (const auto& item : workspace->items_) {
            if (item->IsNewWindowItem()) continue;
            if (index-- == 0) return item->GetHandle();
        }
    return nullptr;
}

int CXTPTabClientWnd::GetSelectedItem() const {
    if (!frame_ || !frame_->MDIGetActive()) return -1;
    const HWND active = frame_->MDIGetActive()->GetSafeHwnd();
    for (int i = 0, count = GetItemCount(); i < count; ++i)
        if (GetItemWindow(i) == active) return i;
    return -1;
}

CXTPTabManagerItem* CXTPTabClientWnd::HitTest(POINT point) const {
    for (const auto& workspace : workspaces_)
        if (CXTPTabManagerItem* item = workspace->HitTest(point)) return item;
    return nullptr;
}

CString CXTPTabClientWnd::GetItemText(CWnd* child) const {
    CString text;
    if (child) child->GetWindowText(text);
    return text;
}

CString CXTPTabClientWnd::GetItemTooltip(const CXTPTabManagerItem* item) const {
    return item ? GetItemText(CWnd::FromHandle(item->GetHandle())) : CString();
}

HICON CXTPTabClientWnd::GetItemIcon(const CXTPTabManagerItem*) const { return nullptr; }

void CXTPTabClientWnd::RefreshTheme() {}

CXTPTabClientWnd::CWorkspace* CXTPTabClientWnd::CreateWorkspace() { return new CWorkspace(this); }

BOOL CXTPTabClientWnd::OnFillBackground(HDC dc, const RECT& rect) {
    HBRUSH brush = ::CreateSolidBrush(RGB(0x80, 0x80, 0x80));
    ::FillRect(dc, &rect, brush);
    ::DeleteObject(brush);
    return TRUE;
}

void CXTPTabClientWnd::MDIActivate(CWnd* window) {
    if (frame_ && window) frame_->MDIActivate(window);
}

CXTPTabClientWnd::CWorkspace* CXTPTabClientWnd::AddWorkspace(int index) {
    std::unique_ptr<CWorkspace> workspace(CreateWorkspace());
    CWorkspace* raw = workspace.get();
    const int count = GetWorkspaceCount();
    index = index < 0 || index > count ? count : index;
    workspaces_.insert(workspaces_.begin() + index, std::move(workspace));
    return raw;
}

CXTPTabManagerItem* CXTPTabClientWnd::AddItem(CWnd* child) {
    if (!child) return nullptr;
    CWorkspace* workspace = GetActiveWorkspace();
    if (!workspace) workspace = AddWorkspace();
    int index = -1;
    if (nextToActive_ && workspace->GetSelectedItem()) index = workspace->GetSelectedItem()->GetIndex() + 1;
    nextToActive_ = false;
    return workspace->insert(std::make_unique<CXTPTabManagerItem>(child->GetSafeHwnd(), false), index);
}

void CXTPTabClientWnd::paintTabs(HDC dc) {
    const HWND active = frame_ && frame_->MDIGetActive() ? frame_->MDIGetActive()->GetSafeHwnd() : nullptr;
    constexpr int kIconSide = 16;
    for (const auto& workspace : workspaces_)
        for (const auto& item : workspace->items_) {
            const RECT rect = item->GetRect();
            if (item->IsNewWindowItem() || rect.right <= rect.left || rect.bottom <= rect.top) continue;
            HBRUSH ground = ::CreateSolidBrush(item->GetHandle() == active ? RGB(0xFF, 0xFF, 0xFF) : RGB(0xD0, 0xD4, 0xDA));
            ::FillRect(dc, &rect, ground);
            ::DeleteObject(ground);
            SIZE icon{0, 0};
            const POINT at{rect.left + paintManager_.m_rcButtonMargin.left,
                           rect.top + (rect.bottom - rect.top - kIconSide) / 2};
            workspace->DrawIcon(dc, at, item.get(), TRUE, icon);
        }
}

LRESULT CXTPTabClientWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT && frame_ && !workspaces_.empty()) {
        PAINTSTRUCT paint{};
        HDC dc = ::BeginPaint(m_hWnd, &paint);
        paintTabs(dc);
        ::EndPaint(m_hWnd, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND && frame_) {
        RECT rect{};
        ::GetClientRect(m_hWnd, &rect);
        if (OnFillBackground(reinterpret_cast<HDC>(wParam), rect)) return TRUE;
    }
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    switch (message) {
        case WM_MDICREATE:
        case WM_MDIDESTROY:
        case WM_MDIACTIVATE:
        case WM_MDINEXT:
        case WM_SIZE: UpdateContents(); break;
        default: break;
    }
    return result;
}

namespace {

constexpr const wchar_t* kPositionEntry = L"TabPosition";
constexpr const wchar_t* kStackedEntry = L"StackedGroups";
constexpr const wchar_t* kNewWindowItemEntry = L"NewWindowItem";
constexpr int kNoValue = -1;

}  // namespace

BOOL CXTPTabClientWnd::SaveState(LPCWSTR section) const {
    CWinApp* app = AfxGetApp();
    if (!app) return FALSE;
    return app->WriteProfileInt(section, kPositionEntry, position_) &&
           app->WriteProfileInt(section, kStackedEntry, stacked_ ? 1 : 0) &&
           app->WriteProfileInt(section, kNewWindowItemEntry, newWindowItem_ ? 1 : 0);
}

BOOL CXTPTabClientWnd::LoadState(LPCWSTR section) {
    CWinApp* app = AfxGetApp();
    if (!app) return FALSE;
    const int position = static_cast<int>(app->GetProfileInt(section, kPositionEntry, kNoValue));
    if (position < xtpTabPositionTop || position > xtpTabPositionRight) return FALSE;
    position_ = static_cast<XTPTabPosition>(position);
    stacked_ = app->GetProfileInt(section, kStackedEntry, stacked_) != 0;
    newWindowItem_ = app->GetProfileInt(section, kNewWindowItemEntry, newWindowItem_) != 0;
    return TRUE;
}

void CXTPTabClientWnd::DoPropExchange(CXTPPropExchange* px) {
    if (!px) return;
    int position = position_;
    int fixedWidth = paintManager_.GetFixedTabWidth();
    PX_Int(px, L"TabPosition", position, xtpTabPositionTop);
    PX_Int(px, L"FixedTabWidth", fixedWidth, 0);
    PX_Bool(px, L"NewWindowItem", newWindowItem_, FALSE);
    if (px->IsLoading()) {
        position_ = position >= 0 && position <= 3 ? static_cast<XTPTabPosition>(position) : xtpTabPositionTop;
        paintManager_.SetFixedTabWidth(fixedWidth);
    }
}
