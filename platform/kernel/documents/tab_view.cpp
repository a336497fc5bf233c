// The rulers and page tabs of the kernel's tab view, and the split tool bar that shows the rulers.
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"

using platform::kernel::boolText;
using platform::kernel::recordCall;

void CKVSplitToolBar::SetRulersState(bool shown) {
    recordCall(std::wstring(L"CKVSplitToolBar::SetRulersState(") + boolText(shown) + L")");
    rulers_ = shown;
}

void CKVTabView::ShowRulers(bool shown) {
    recordCall(std::wstring(L"CKVTabView::ShowRulers(") + boolText(shown) + L")");
    rulers_ = shown;
}

void CKVTabView::ShowTabs(bool shown) {
    recordCall(std::wstring(L"CKVTabView::ShowTabs(") + boolText(shown) + L")");
    tabs_ = shown;
}

void CKVTabView::OnUpdateShowRulers(CCmdUI* cmdUI) const {
    if (!cmdUI) return;
    cmdUI->Enable(TRUE);
    cmdUI->SetCheck(rulers_ ? 1 : 0);
}

void CKVTabView::OnUpdateTabs(CCmdUI* cmdUI) const {
    if (!cmdUI) return;
    cmdUI->Enable(TRUE);
    cmdUI->SetCheck(tabs_ ? 1 : 0);
}
