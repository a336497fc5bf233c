// The frame tools that act on the active document view: its rulers and page tabs, and the view
// commands other parts send the frame (message 1387) with an argument.
#include "mainframe/main_frame.h"
#include "mainframe/toolsengine/frame_tools_engine.h"
#include "platform/kernel/documents/fragment_path.h"

namespace {

constexpr UINT kViewMessage = 1387;  // WM_USER + 363

bool IsForwardedViewCommand(WPARAM command) { return command == 1211 || command == 1214 || command == 1216; }
bool IsInsertCommand(WPARAM command) { return command == 1212 || command == 1609 || command == 1610; }

}  // namespace

CView* CFrameToolsEngine::ActiveView() const {
    CFrameWnd* child = m_frame ? m_frame->GetActiveFrame() : nullptr;
    return child ? child->GetActiveView() : nullptr;
}

CKVTabView* CFrameToolsEngine::ActiveTabView() const { return dynamic_cast<CKVTabView*>(ActiveView()); }

void CFrameToolsEngine::OnShowRulers() {
    CKVTabView* view = ActiveTabView();
    if (!view) return;
    view->ShowRulers(!view->AreRulersShown());
    view->GetSplitToolBar().SetRulersState(view->AreRulersShown());
}

void CFrameToolsEngine::OnTabs() {
    if (CKVTabView* view = ActiveTabView()) view->ShowTabs(!view->AreTabsShown());
}

void CFrameToolsEngine::OnUpdateShowRulers(CCmdUI* cmdUI) const {
    if (const CKVTabView* view = ActiveTabView())
        view->OnUpdateShowRulers(cmdUI);
    else
        cmdUI->Enable(FALSE);
}

void CFrameToolsEngine::OnUpdateTabs(CCmdUI* cmdUI) const {
    if (const CKVTabView* view = ActiveTabView())
        view->OnUpdateTabs(cmdUI);
    else
        cmdUI->Enable(FALSE);
}

LRESULT CFrameToolsEngine::OnViewCommand(WPARAM command, LPARAM argument) {
    if (IsForwardedViewCommand(command)) {
        if (CView* view = ActiveView(); view && view->GetSafeHwnd()) view->SendMessage(kViewMessage, command, argument);
    } else if (IsInsertCommand(command)) {
        const auto* record = reinterpret_cast<const CFragmentPath*>(argument);
        if (const CString path = record ? record->GetPath() : CString(); !path.IsEmpty())
            AnnotateModuleProxy::Instance().Insert(static_cast<UINT>(command), path);
    }
    return 0;
}
