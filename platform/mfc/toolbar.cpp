#include "platform/mfc/toolbar.h"

#include <algorithm>
#include <map>

#include "platform/faults.h"
#include "platform/mfc/cmdtarget.h"
#include "platform/mfc/framework_state.h"

IMPLEMENT_DYNAMIC(CToolBar, CWnd)

namespace {

constexpr int kBarHeight = 22;

std::map<UINT, ToolBarResource>& resources() {
    static std::map<UINT, ToolBarResource> table;
    return table;
}

}  // namespace

void AfxAddToolBarResource(ToolBarResource resource) { resources()[resource.id] = std::move(resource); }

BOOL CToolBar::CreateEx(CWnd* parent, DWORD controlStyle, DWORD style, RECT, UINT id) {
    if (!parent || !parent->GetSafeHwnd()) return FALSE;
    barStyle_ = style | controlStyle;
    RECT client{};
    ::GetClientRect(parent->GetSafeHwnd(), &client);
    const DWORD windowStyle = WS_CHILD | (style & WS_VISIBLE);
    return CWnd::CreateEx(0, platform::mfc::detail::registerWindowClass(L"ToolbarWindow32", 0), L"", windowStyle, RECT{0, 0, client.right, kBarHeight}, parent, id);
}

BOOL CToolBar::LoadToolBar(UINT resourceId) {
    if (platform::faultInjected(L"CToolBar::LoadToolBar")) return FALSE;
    const auto found = resources().find(resourceId);
    if (found == resources().end()) return FALSE;
    buttons_ = found->second.items;
    buttonSize_ = found->second.button;
    return TRUE;
}

BOOL CToolBar::IsButtonChecked(UINT id) const {
    return std::find(checked_.begin(), checked_.end(), id) != checked_.end();
}

void CToolBar::SetButtonChecked(UINT id, BOOL checked) {
    checked_.erase(std::remove(checked_.begin(), checked_.end(), id), checked_.end());
    if (checked) checked_.push_back(id);
}

void CToolBar::UpdateButtons(CCmdTarget* target) {
    if (!target) return;
    for (const UINT id : buttons_) {
        if (id == 0) continue;
        CCmdUI state;
        state.m_nID = id;
        state.m_pOther = this;
        state.DoUpdate(target, FALSE);
        SetButtonChecked(id, state.m_stateCheck == 1);
    }
}
