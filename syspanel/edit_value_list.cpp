#include "syspanel/edit_value_list.h"

#include "syspanel/syspanel_edit.h"
#include "syspanel/syspanel_edit_ctrl.h"

namespace {

// The edit's margins (EM_SETMARGINS): the list button takes the right end of the edit.
constexpr UINT kSetMargins = 0x00D3;
constexpr WPARAM kLeftMargin = 0x0001;
constexpr WPARAM kRightMargin = 0x0002;
constexpr WORD kUseFontInfo = 0xFFFF;
constexpr WORD kListButtonMargin = 16;

}  // namespace

CMenuItemArray LoadEditValueList(int settingsKey1, int settingsKey2) {
    if (settingsKey1 < 1 || settingsKey2 < 1) return {};
    using namespace Korvo::ControlSettings;
    const EditSettings* settings = EditSettingsManager::Settings().GetEditSettigns(settingsKey1, settingsKey2, -1, 0);
    return EditSettingsAccessor::GetMenuItems(settings);
}

bool PickValueListEntry(CSyspanelEditCtrl& window, CSyspanelEdit& control, const CMenuItemArray& list, unsigned id) {
    if (id < 1 || id > static_cast<unsigned>(list.GetSize())) return false;
    // Replacing an empty text by the same nothing would not count as a change.
    if (control.GetEditText().IsEmpty()) control.SetEditText(L" ");
    window.ReplaceWholeText(list.GetAt(static_cast<int>(id) - 1));
    control.OnEditChanged();
    control.ApplyValue();
    return true;
}

unsigned TrackValueListMenu(CSyspanelEdit& control, const CMenuItemArray& list, CWnd& owner, const CWnd* button) {
    CXTPCommandBar* bar = control.GetParent();
    CXTPCommandBars* commandBars = bar ? bar->GetCommandBars() : nullptr;
    CXTPPopupBar* popup = CreateEditMenuPopup(commandBars, list, control.GetEditText());
    if (!popup) return 0;
    // The menu drops down from the bottom left of the button that opened it.
    RECT place{};
    const CWnd& anchor = button && button->GetSafeHwnd() ? *button : owner;
    anchor.GetWindowRect(&place);
    const UINT chosen =
        UIModuleProxy::Instance().TrackPopupMenu(popup, TPM_NONOTIFY, POINT{place.left, place.bottom}, &owner);
    popup->InternalRelease();
    return chosen;
}

void EditListButton::Layout(CWnd& editWindow, CListButtonXPParent& owner, bool wanted) {
    if (!wanted) {
        if (!button_ || !button_->GetSafeHwnd()) return;
        button_->ShowWindow(SW_HIDE);
        editWindow.SendMessage(kSetMargins, kRightMargin, MAKELPARAM(0, kUseFontInfo));
        return;
    }
    RECT client{};
    editWindow.GetClientRect(&client);
    const int height = client.bottom - client.top;
    const RECT place{client.right - height, client.top, client.right, client.bottom};
    if (!button_) {
        auto button = std::make_unique<CListButtonXP>();
        if (!button->CreateButton(owner, editWindow, place, static_cast<UINT>(editWindow.GetDlgCtrlID()))) return;
        button_ = std::move(button);
    } else {
        button_->MoveWindow(&place);
    }
    editWindow.ModifyStyle(0, WS_CLIPCHILDREN);
    editWindow.SendMessage(kSetMargins, kLeftMargin | kRightMargin, MAKELPARAM(0, kListButtonMargin));
    button_->ShowWindow(SW_SHOW);
}

void EditListButton::FollowEnabled(bool enabled) {
    if (button_ && button_->GetSafeHwnd()) button_->EnableWindow(enabled ? TRUE : FALSE);
}
