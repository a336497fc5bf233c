#include "commandbars/backstage/ribbon_backstage_view.h"

#include <algorithm>

#include "commandbars/backstage/backstage_pages.h"
#include "platform/kernel.h"

IMPLEMENT_DYNCREATE(RibbonBackstageView, CXTPRibbonBackstageView)

namespace {
constexpr int kPrintId = 1027;
}  // namespace

void RibbonBackstageView::Popup() {
    if (IsOpen()) return;
    // While the framework's direct print runs the kernel prints without its page: the tab goes
    // and the plain print control comes.
    const bool direct = GetSettings().directPrint;
    for (int i = 0; i < GetTabCount(); ++i)
        if (Tab* tab = GetTab(i); tab->id == kPrintId) tab->visible = direct ? FALSE : TRUE;
    for (int i = 0; i < GetControls()->GetCount(); ++i)
        if (CXTPControl* control = GetControls()->GetAt(i); control->GetID() == kPrintId) control->SetVisible(direct ? TRUE : FALSE);
    if (floatingWindows_) {
        for (HWND window : floatingWindows_()) {
            if (!::IsWindowVisible(window) || std::find(hidden_.begin(), hidden_.end(), window) != hidden_.end()) continue;
            ::ShowWindow(window, SW_HIDE);
            hidden_.push_back(window);
        }
    }
    CXTPRibbonBackstageView::Popup();
}

void RibbonBackstageView::Close() {
    if (!IsOpen()) return;
    // A pane or bar destroyed while the view was open leaves a handle that may name another
    // window by now.
    for (HWND window : hidden_)
        if (::IsWindow(window)) ::ShowWindow(window, SW_SHOWNOACTIVATE);
    hidden_.clear();
    for (int i = 0; i < GetTabCount(); ++i)
        if (auto* print = dynamic_cast<KVRibbonBackstagePrintPage*>(GetTab(i)->page)) print->DropPrintWindow();
    CXTPRibbonBackstageView::Close();
}

CXTPCommandBar* RibbonBackstageView::Clone(BOOL recursive) {
    auto* copy = new RibbonBackstageView;
    copy->Copy(this, recursive);
    copy->floatingWindows_ = floatingWindows_;
    return copy;
}

void BackstageTabCmdUi::Enable(BOOL on) {
    CCmdUI::Enable(on);
    tab_.enabled = on ? TRUE : FALSE;
}

SavedDefaultItems::SavedDefaultItems(CXTPRibbonBackstageView& view, int index) : view_(view) {
    for (int i = 0; i < view.GetTabCount(); ++i) marks_.push_back(view.GetTab(i)->defaultItem);
    view.SetDefaultItem(index);
}

SavedDefaultItems::~SavedDefaultItems() {
    for (int i = 0; i < view_.GetTabCount() && i < static_cast<int>(marks_.size()); ++i) view_.GetTab(i)->defaultItem = marks_[i];
}
