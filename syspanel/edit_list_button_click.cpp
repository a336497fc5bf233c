#include "syspanel/edit_list_button_click.h"

#include "platform/korvoui.h"
#include "syspanel/syspanel_edit.h"

namespace {

constexpr WPARAM kLeftButtonDown = 0x0001;  // MK_LBUTTON

CSyspanelEdit* asEdit(CXTPControl* control) {
    auto* edit = dynamic_cast<CSyspanelEdit*>(control);
    return edit && edit->IsVisible() ? edit : nullptr;
}

// The parameter edit `id` a user sees in the frame: on the ribbon's current tab, or on a visible
// bar.
CSyspanelEdit* shownEdit(HWND frame, int id) {
    Korvo::UI::MainFrame* mainFrame = UIModuleProxy::Instance().GetMainFrameOf(frame);
    if (!mainFrame || mainFrame->AsWindow()->GetSafeHwnd() != frame) return nullptr;
    CXTPCommandBars* bars = mainFrame->GetCommandBars();
    for (int b = 0; bars && b < bars->GetCount(); ++b) {
        CXTPToolBar* bar = bars->GetAt(b);
        if (!bar->IsVisible()) continue;
        if (auto* ribbon = dynamic_cast<CXTPRibbonBar*>(bar)) {
            CXTPRibbonTab* tab = ribbon->IsRibbonMinimized() ? nullptr : ribbon->GetCurrentTab();
            for (int g = 0; tab && g < tab->GetGroupCount(); ++g)
                if (CXTPRibbonGroup* group = tab->GetGroup(g); group->IsVisible())
                    if (CSyspanelEdit* edit = asEdit(group->FindControl(id))) return edit;
            continue;
        }
        if (CSyspanelEdit* edit = asEdit(bar->GetControls()->FindControl(id))) return edit;
    }
    return nullptr;
}

}  // namespace

std::optional<std::wstring> ClickEditListButton(HWND frame, int id) {
    const std::wstring name = L"control " + std::to_wstring(id);
    CSyspanelEdit* edit = shownEdit(frame, id);
    if (!edit) return L"no parameter edit " + std::to_wstring(id) + L" is shown in the frame";
    CSyspanelEditCtrl* window = edit->GetSyspanelEditCtrl();
    if (!window) return name + L" has no edit window";
    CSyspanelEditCtrl& ctrl = *window;
    if (!ctrl.WantsListButton()) return name + L" shows no list button";
    if (!edit->GetEnabled()) return name + L" is disabled";
    edit->InternalAddRef();
    if (CListButtonXP* button = ctrl.GetListButton().GetButton(); button && button->GetSafeHwnd()) {
        // The edit's window shows the button: the click goes to it as the mouse's does.
        if (!ctrl.GetListButton().IsShown() || !button->IsWindowEnabled()) {
            edit->InternalRelease();
            return name + L"'s list button is hidden or disabled";
        }
        button->SendMessage(WM_LBUTTONDOWN, kLeftButtonDown, 0);
        button->SendMessage(WM_LBUTTONUP, 0, 0);
    } else {
        // An edit without a window of its own yet: its button would do no differently.
        ctrl.OpenValueList();
    }
    edit->InternalRelease();
    return std::nullopt;
}
