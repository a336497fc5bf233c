#include "syspanel/syspanel_edit_ctrl.h"

#include <algorithm>
#include <cwchar>

#include "syspanel/edit_kernel_commands.h"
#include "syspanel/panel_parameters.h"
#include "syspanel/syspanel_edit.h"

namespace {

// Commands of the edit window.
constexpr UINT kCopy = 57634;
constexpr UINT kSelectAll = 57642;
constexpr UINT kWritingCommands[] = {57632, 57635, 57637, 57643};  // clear, cut, paste, undo
constexpr UINT kSpinDialog = 2145;
constexpr UINT kToggleSpinButtons = 2810;
constexpr UINT kInsertVariable = 2137;
constexpr UINT kTextModule = 2148;
constexpr UINT kAngleInfo = 2231;
// Commands the edit takes for its keys (F6, F9, F12, Alt+F9) or its menu and never enables.
constexpr UINT kNeverEnabled[] = {1114, 2138, 2140, 2142, 2232, 2493};
constexpr UINT kFirstNeverEnabledBlock = 1955;
constexpr UINT kLastNeverEnabledBlock = 1964;
constexpr UINT kFirstListEntry = 1;
constexpr UINT kLastListEntry = 501;

bool contains(const UINT* begin, const UINT* end, UINT id) { return std::find(begin, end, id) != end; }

}  // namespace

CSyspanelEditCtrl::CSyspanelEditCtrl(CSyspanelEdit& control, double controlStep)
    : control_(control),
      spinStep_(controlStep > 0.0 ? controlStep : 1.0),
      valueList_(LoadEditValueList(control.GetSettingsKey1(), control.GetSettingsKey2())) {}

void CSyspanelEditCtrl::SetSpinAction(unsigned mode, double step) {
    spinMode_ = mode;
    if (mode == kSpinByDefaultStep) spinStep_ = defaultStep_;
    if (mode == kSpinByOwnStep) spinStep_ = step > 0.0 ? step : 1.0;
}

void CSyspanelEditCtrl::replaceText(const CString& text) {
    control_.SetEditText(text);
    control_.OnEditChanged();
}

bool CSyspanelEditCtrl::SelectAdjacentItem(bool previous) {
    const CString current = control_.GetEditText();
    const auto it = std::find(valueList_.begin(), valueList_.end(), current);
    if (it == valueList_.end()) return false;
    if (previous && it == valueList_.begin()) return false;
    const auto next = previous ? it - 1 : it + 1;
    if (next == valueList_.end()) return false;
    replaceText(*next);
    return true;
}

void CSyspanelEditCtrl::Spin(int count) {
    if (!control_.GetEnabled() || count == 0) return;
    if (!control_.IsFocused()) control_.OnSetFocus();
    const double current = control_.GetNumericValue();
    if (spinMode_ == kSpinByDefaultStep || spinMode_ == kSpinByOwnStep) {
        double next = current + count * spinStep_;
        if (control_.GetParameterName() == "FontSize") {
            const double standard =
                count > 0 ? FontSizeManager::GetIncreasedSize(current, 1) : FontSizeManager::GetReducedSize(current, 1);
            if (standard != current) next = standard;
        }
        const unsigned style = control_.GetEditStyle();
        if (((style & CSyspanelEdit::kAtLeastOne) && next <= 0.0) || ((style & CSyspanelEdit::kNotNegative) && next < 0.0))
            return;
        CString text;
        text.Format(L"%lg", next);
        replaceText(text);
        return;
    }
    if (spinMode_ == kSpinThroughList) {
        if (!SelectAdjacentItem(count < 0)) MessageBeep(0xFFFFFFFF);
        return;
    }
    control_.SetModify(TRUE);
}

bool CSyspanelEditCtrl::OnKeyDown(UINT virtualKey, bool control) {
    switch (virtualKey) {
        case VK_UP:
        case VK_DOWN:
            SelectAdjacentItem(virtualKey == VK_UP);
            return false;  // the toolkit's handling follows
        case VK_ESCAPE:
            control_.UpdateEditText();
            [[fallthrough]];
        case VK_RETURN:
            // The focus goes to the document: the edit is left.
            if (Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame())
                if (CFrameWnd* active = frame->AsWindow()->GetActiveFrame()) active->SetFocus();
            if (control_.IsFocused()) control_.OnKillFocus();
            return true;
        case VK_F8: return OnCommand(control ? kTextModule : kInsertVariable), true;
        case VK_F11: return OnCommand(kAngleInfo), true;
        case VK_F6:
        case VK_F9:
        case VK_F12: return true;  // their commands are never enabled
        default: return false;
    }
}

bool CSyspanelEditCtrl::IsCommandEnabled(UINT id) const {
    const bool writable = !control_.GetReadOnly();
    if (id == kCopy || id == kSelectAll || id == kSpinDialog || id == kToggleSpinButtons) return true;
    if (contains(std::begin(kWritingCommands), std::end(kWritingCommands), id)) return writable;
    if (contains(std::begin(kNeverEnabled), std::end(kNeverEnabled), id)) return false;
    if (id >= kFirstNeverEnabledBlock && id <= kLastNeverEnabledBlock) return false;
    if (id == kInsertVariable) return writable && GetControlDocument(&control_) != nullptr;
    if (id == kTextModule || id == kAngleInfo) return writable;
    // Only ids that name an entry of the list pick one.
    if (id >= kFirstListEntry && id <= kLastListEntry) return writable && id <= valueList_.size();
    return false;
}

bool CSyspanelEditCtrl::OnCommand(UINT id) {
    if (!IsCommandEnabled(id)) return false;
    if (id == kToggleSpinButtons) {
        control_.ShowSpinButtons(!control_.IsSpinButtons());
    } else if (id == kInsertVariable) {
        RunInsertVariable(control_);
    } else if (id == kTextModule) {
        RunTextModule(control_);
    } else if (id == kAngleInfo) {
        RunAngleInfo(control_);
    } else if (id >= kFirstListEntry && id <= kLastListEntry) {
        PickValueListEntry(control_, valueList_, id);
    }
    return true;
}

bool CSyspanelEditCtrl::WantsListButton() const { return !valueList_.empty() && !control_.GetReadOnly(); }

void CSyspanelEditCtrl::LayoutListButton(CWnd& editWindow) {
    listButton_.Layout(editWindow, *this, WantsListButton());
    listButton_.FollowEnabled(control_.GetEnabled() != FALSE);
}

void CSyspanelEditCtrl::OpenValueList() {
    if (const UINT chosen = TrackValueListMenu(control_, valueList_)) OnCommand(chosen);
}

void CSyspanelEditCtrl::OnListButtonClicked(CListButtonXP&) { OpenValueList(); }
