#include "syspanel/edit_value_list.h"

#include "syspanel/edit_whole_text.h"
#include "syspanel/syspanel_edit.h"

namespace {

// The edit's margins (EM_SETMARGINS): the list button takes the right end of the edit.
constexpr UINT kSetMargins = 0x00D3;
constexpr WPARAM kLeftMargin = 0x0001;
constexpr WPARAM kRightMargin = 0x0002;
constexpr WORD kUseFontInfo = 0xFFFF;
constexpr WORD kListButtonMargin = 16;

}  // namespace

std::vector<CString> LoadEditValueList(int settingsKey1, int settingsKey2) {
    if (settingsKey1 < 1 || settingsKey2 < 1) return {};
    using namespace Korvo::ControlSettings;
    const EditSettings* settings = EditSettingsManager::Settings().GetEditSettigns(settingsKey1, settingsKey2, -1, 0);
    return EditSettingsAccessor::GetMenuItems(settings).Items();
}

bool PickValueListEntry(CSyspanelEdit& control, const std::vector<CString>& list, unsigned id) {
    if (id < 1 || id > list.size()) return false;
    // Replacing an empty text by the same nothing would not count as a change.
    if (control.GetEditText().IsEmpty()) control.SetEditText(L" ");
    ReplaceWholeEditText(control, list[id - 1]);
    control.SetModify(TRUE);
    control.OnEditChanged();
    control.ApplyValue();
    return true;
}

unsigned TrackValueListMenu(CSyspanelEdit& control, const std::vector<CString>& list) {
    CXTPCommandBar* bar = control.GetParent();
    CXTPCommandBars* commandBars = bar ? bar->GetCommandBars() : nullptr;
    CXTPPopupBar* popup = CreateEditMenuPopup(commandBars, CMenuItemArray(list), control.GetEditText());
    if (!popup) return 0;
    const UINT chosen = UIModuleProxy::Instance().TrackPopupMenu(commandBars, popup);
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
