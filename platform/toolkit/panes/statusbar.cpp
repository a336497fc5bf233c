#include "platform/toolkit/panes/statusbar.h"

#include "platform/toolkit/commandbars/images.h"

#include <algorithm>

#include "platform/toolkit/window_classes.h"

IMPLEMENT_DYNCREATE(CXTPStatusBar, CWnd)

BEGIN_MESSAGE_MAP(CXTPStatusBar, CWnd)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CXTPStatusBar::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CXTPStatusBar::~CXTPStatusBar() { RemoveAll(); }

BOOL CXTPStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
    if (!parent || !parent->GetSafeHwnd()) return FALSE;
    RECT client{};
    parent->GetClientRect(&client);
    const RECT rect{0, client.bottom - kHeight, client.right, client.bottom};
    return CreateEx(0, platform::toolkit::toolkitWindowClass(L"XTPStatusBar"), L"", style | WS_CHILD, rect, parent, id);
}

BOOL CXTPStatusBar::SetIndicators(const UINT* ids, int count) {
    RemoveAll();
    for (int i = 0; i < count; ++i) {
        const UINT id = ids ? ids[i] : 0;
        auto* pane = new CXTPStatusBarPane(id);
        panes_.push_back(pane);
    }
    return TRUE;
}

CXTPStatusBarPane* CXTPStatusBar::AddIndicator(UINT id, int index) {
    if (id != 0 && FindPane(id)) return nullptr;
    auto* pane = new CXTPStatusBarPane(id);
    const auto at = index < 0 || index >= GetPaneCount() ? panes_.end() : panes_.begin() + index;
    panes_.insert(at, pane);
    return pane;
}

BOOL CXTPStatusBar::RemoveIndicator(UINT id) {
    const int index = CommandToIndex(id);
    if (index < 0) return FALSE;
    panes_[static_cast<std::size_t>(index)]->InternalRelease();
    panes_.erase(panes_.begin() + index);
    return TRUE;
}

void CXTPStatusBar::RemoveAll() {
    for (CXTPStatusBarPane* pane : panes_) pane->InternalRelease();
    panes_.clear();
}

CXTPStatusBarPane* CXTPStatusBar::GetPane(int index) const {
    if (index < 0 || index >= GetPaneCount()) return nullptr;
    return panes_[static_cast<std::size_t>(index)];
}

CXTPStatusBarPane* CXTPStatusBar::FindPane(UINT id) const { return GetPane(CommandToIndex(id)); }

int CXTPStatusBar::CommandToIndex(UINT id) const {
    for (std::size_t i = 0; i < panes_.size(); ++i)
        if (panes_[i]->GetID() == id) return static_cast<int>(i);
    return -1;
}

BOOL CXTPStatusBar::SetPaneText(int index, LPCWSTR text) {
    CXTPStatusBarPane* pane = GetPane(index);
    if (!pane) return FALSE;
    pane->SetText(text);
    return TRUE;
}

CString CXTPStatusBar::GetPaneText(int index) const {
    const CXTPStatusBarPane* pane = GetPane(index);
    return pane ? pane->GetText() : CString();
}

void CXTPStatusBar::SetPaneWidth(int index, int width) {
    if (CXTPStatusBarPane* pane = GetPane(index)) pane->SetWidth(width);
}

void CXTPStatusBar::SetPaneStyle(int index, UINT style) {
    if (CXTPStatusBarPane* pane = GetPane(index)) pane->SetStyle(style);
}

void CXTPStatusBar::GetItemRect(int index, LPRECT rect) const {
    *rect = RECT{};
    const CXTPStatusBarPane* target = GetPane(index);
    if (!target || !target->IsVisible() || !m_hWnd) return;
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    int fixed = 0;
    int stretching = 0;
    for (const CXTPStatusBarPane* pane : panes_) {
        if (!pane->IsVisible()) continue;
        if (pane->GetStyle() & SBPS_STRETCH) ++stretching;
        else fixed += pane->GetWidth();
    }
    const int spare = std::max(0, static_cast<int>(client.right - client.left) - fixed);
    int x = client.left;
    int stretchIndex = 0;
    for (const CXTPStatusBarPane* pane : panes_) {
        if (!pane->IsVisible()) continue;
        int width = pane->GetWidth();
        if (pane->GetStyle() & SBPS_STRETCH) {
            // The first stretching panes take the remainder of an uneven share.
            width = spare / stretching + (stretchIndex < spare % stretching ? 1 : 0);
            ++stretchIndex;
        }
        if (pane == target) {
            *rect = RECT{x, client.top, x + width, client.bottom};
            return;
        }
        x += width;
    }
}

namespace {

class CStatusCmdUI : public CCmdUI {
public:
    explicit CStatusCmdUI(CXTPStatusBarPane* pane) : pane_(pane) {}
    void Enable(BOOL on) override {
        CCmdUI::Enable(on);
        const UINT style = pane_->GetStyle();
        pane_->SetStyle(on ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED));
    }
    void SetText(LPCWSTR text) override {
        CCmdUI::SetText(text);
        pane_->SetText(text);
    }

private:
    CXTPStatusBarPane* pane_;
};

}  // namespace

LRESULT CXTPStatusBar::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
    CFrameWnd* frame = GetParentFrame();
    if (!frame || !IsWindowVisible()) return 0;
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        CXTPStatusBarPane* pane = panes_[i];
        if (pane->GetID() == 0) continue;
        // A handler may remove indicators; the pane it updates lives until the update is done.
        pane->InternalAddRef();
        CStatusCmdUI update(pane);
        update.m_nID = pane->GetID();
        update.m_nIndex = static_cast<UINT>(i);
        update.m_nIndexMax = static_cast<UINT>(panes_.size());
        // Panes keep their text when nobody on the route updates them.
        update.DoUpdate(frame, FALSE);
        pane->InternalRelease();
    }
    return 0;
}

CXTPImageManager* CXTPStatusBar::GetImageManager() const { return XTPImageManager(); }
