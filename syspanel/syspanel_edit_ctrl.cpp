#include "syspanel/syspanel_edit_ctrl.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "syspanel/edit_kernel_commands.h"
#include "syspanel/panel_parameters.h"
#include "syspanel/spin_action_dialog.h"
#include "syspanel/syspanel_edit.h"

namespace {

// Commands of the edit window.
constexpr UINT kClear = 57632;
constexpr UINT kCopy = 57634;
constexpr UINT kCut = 57635;
constexpr UINT kPaste = 57637;
constexpr UINT kSelectAll = 57642;
constexpr UINT kUndo = 57643;
constexpr UINT kSpinDialog = 2145;
constexpr UINT kToggleSpinButtons = 2810;
constexpr UINT kInsertVariable = 2137;
constexpr UINT kTextModule = 2148;
constexpr UINT kAngleInfo = 2231;
// Commands the edit takes for its keys (F6, F9, F12, Alt+F9) or its menu and never enables.
constexpr UINT kFormula = 2138;
constexpr UINT kMeasure = 2140;
constexpr UINT kMeasureOnce = 2142;
constexpr UINT kAngleFromObject = 2232;
constexpr UINT kNeverEnabled[] = {1114, kFormula, kMeasure, kMeasureOnce, kAngleFromObject, 2493};
constexpr UINT kFirstNeverEnabledBlock = 1955;
constexpr UINT kLastNeverEnabledBlock = 1964;
constexpr UINT kFirstListEntry = 1;
constexpr UINT kLastListEntry = 501;
constexpr UINT kSelectAllKey = 'A';

// Entries of the context menu the edit does not offer: first the value-exchange entries, then
// (after the spin-buttons entry is added) the formula, measuring and function entries.
const std::vector<int> kRemovedFirst = {2143, 2144, 2146, 2147};
const std::vector<int> kRemovedLast = {2142, 2140, 2232, 1114, 1955, 1956, 1957, 1958, 1959,
                                       1960, 1961, 1962, 1963, 1964, 2138, 2493};

bool contains(const UINT* begin, const UINT* end, UINT id) { return std::find(begin, end, id) != end; }

}  // namespace

CString NumberText(double value) {
    if (value == 0.0) return L"0";  // no "-0"
    char text[64];
    const double magnitude = std::fabs(value);
    const bool plain = magnitude >= 1e-4 && magnitude < 1e16;
    const auto written = plain ? std::to_chars(text, text + sizeof text, value, std::chars_format::fixed)
                               : std::to_chars(text, text + sizeof text, value);
    return CString(std::wstring(text, written.ptr).c_str());
}

BEGIN_MESSAGE_MAP(CSyspanelEditCtrl, CXTPControlEditCtrl)
    ON_MESSAGE(WM_KEYDOWN, &CSyspanelEditCtrl::OnEditKeyDownMessage)
    ON_MESSAGE(WM_SYSKEYDOWN, &CSyspanelEditCtrl::OnSysKeyDownMessage)
    ON_MESSAGE(WM_CONTEXTMENU, &CSyspanelEditCtrl::OnContextMenuMessage)
    ON_MESSAGE(WM_SIZE, &CSyspanelEditCtrl::OnSizeMessage)
    ON_MESSAGE(WM_ENABLE, &CSyspanelEditCtrl::OnEnableMessage)
END_MESSAGE_MAP()

CSyspanelEditCtrl::CSyspanelEditCtrl(CSyspanelEdit& control, double controlStep)
    : control_(control),
      spinStep_(controlStep > 0.0 ? controlStep : 1.0),
      valueList_(LoadEditValueList(control.GetSettingsKey1(), control.GetSettingsKey2())) {}

void CSyspanelEditCtrl::SetSpinAction(unsigned mode, double step) {
    spinMode_ = mode;
    if (mode == kSpinByDefaultStep) spinStep_ = defaultStep_;
    if (mode == kSpinByOwnStep) spinStep_ = step > 0.0 ? step : 1.0;
}

void CSyspanelEditCtrl::ReplaceWholeText(const CString& text) { ReplaceAllText(text); }

bool CSyspanelEditCtrl::SelectAdjacentItem(bool previous) {
    CString current;
    GetWindowText(current);
    CString adjacent;
    if (!valueList_.GetPrevNextStr(valueList_.ItemByStr(current), previous, adjacent)) return false;
    ReplaceWholeText(adjacent);
    return true;
}

void CSyspanelEditCtrl::Spin(int count) {
    if (!IsWindowEnabled() || count == 0) return;
    SetFocus();
    if (spinMode_ == kSpinByDefaultStep || spinMode_ == kSpinByOwnStep) {
        const double current = control_.GetNumericValue();
        double next = current + count * spinStep_;
        if (control_.GetParameterName() == "FontSize") {
            const double standard =
                count > 0 ? FontSizeManager::GetIncreasedSize(current, 1) : FontSizeManager::GetReducedSize(current, 1);
            if (standard != current) next = standard;
        }
        // A number the style refuses, or one beyond the double range, is dropped without a sound.
        if (!std::isfinite(next)) return;
        const unsigned style = control_.GetEditStyle();
        if (((style & CSyspanelEdit::kAtLeastOne) && next <= 0.0) || ((style & CSyspanelEdit::kNotNegative) && next < 0.0))
            return;
        ReplaceWholeText(NumberText(next));
        SetModify(TRUE);
        return;
    }
    if (spinMode_ == kSpinThroughList) {
        if (!SelectAdjacentItem(count < 0)) {
            MessageBeep(0xFFFFFFFF);
            return;
        }
    }
    SetModify(TRUE);
}

void CSyspanelEditCtrl::leaveEdit() {
    Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
    CFrameWnd* active = frame ? frame->AsWindow()->GetActiveFrame() : nullptr;
    if (active && active->GetSafeHwnd()) active->SetFocus();
}

LRESULT CSyspanelEditCtrl::OnEditKeyDownMessage(WPARAM key, LPARAM flags) {
    if (control_.OnHookKeyDown(static_cast<UINT>(key), static_cast<UINT>(flags))) return 0;
    const bool control = ::GetKeyState(VK_CONTROL) < 0;
    switch (static_cast<UINT>(key)) {
        case VK_UP:
        case VK_DOWN:
            if (!IsMultiLine()) SelectAdjacentItem(key == VK_UP);
            break;  // the toolkit's key handling follows
        case VK_ESCAPE:
            control_.UpdateEditText();
            leaveEdit();
            return 0;
        case VK_RETURN: leaveEdit(); return 0;
        case kSelectAllKey:
            if (!control) break;
            SetSel(0, -1);
            return 0;
        case VK_F8: runCommand(control ? kTextModule : kInsertVariable); return 0;
        case VK_F11: runCommand(kAngleInfo); return 0;
        case VK_F6: runCommand(kFormula); return 0;
        case VK_F9: runCommand(kMeasure); return 0;
        case VK_F12: runCommand(kAngleFromObject); return 0;
        default: break;
    }
    return OnKeyDownMessage(key, flags);
}

LRESULT CSyspanelEditCtrl::OnSysKeyDownMessage(WPARAM key, LPARAM flags) {
    if (key == VK_F9) {
        runCommand(kMeasureOnce);
        return 0;
    }
    return OnKeyDownMessage(key, flags);
}

bool CSyspanelEditCtrl::IsCommandEnabled(UINT id) const {
    const bool writable = !IsReadOnly();
    if (id == kCopy || id == kSelectAll || id == kSpinDialog || id == kToggleSpinButtons) return true;
    if (id == kClear || id == kCut || id == kPaste || id == kUndo) return writable;
    if (contains(std::begin(kNeverEnabled), std::end(kNeverEnabled), id)) return false;
    if (id >= kFirstNeverEnabledBlock && id <= kLastNeverEnabledBlock) return false;
    if (id == kInsertVariable) return writable && GetControlDocument(&control_) != nullptr;
    if (id == kTextModule || id == kAngleInfo) return writable;
    // Only ids that name an entry of the list pick one.
    if (id >= kFirstListEntry && id <= kLastListEntry) return writable && id <= static_cast<UINT>(valueList_.GetSize());
    return false;
}

bool CSyspanelEditCtrl::ExecuteCommand(UINT id) {
    if (!IsCommandEnabled(id)) return false;
    switch (id) {
        case kCopy: Copy(); break;
        case kSelectAll:
            SetSel(0, -1);
            ScrollCaret();
            break;
        case kClear: Clear(); break;
        case kCut: Cut(); break;
        case kPaste: Paste(); break;
        case kUndo: Undo(); break;
        case kToggleSpinButtons: control_.ShowSpinButtons(!control_.IsSpinButtons()); break;
        case kSpinDialog: RunSpinActionDialog(*this, &control_); break;
        case kInsertVariable: RunInsertVariable(*this, control_); break;
        case kTextModule: RunTextModule(*this, control_); break;
        case kAngleInfo: RunAngleInfo(*this, control_); break;
        default: PickValueListEntry(*this, control_, valueList_, id); break;
    }
    return true;
}

BOOL CSyspanelEditCtrl::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (lParam != 0) return CXTPControlEditCtrl::OnCommand(wParam, lParam);
    ExecuteCommand(LOWORD(wParam));
    return TRUE;
}

BOOL CSyspanelEditCtrl::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
    if (code != CN_UPDATE_COMMAND_UI || !extra) return CXTPControlEditCtrl::OnCmdMsg(id, code, extra, handlerInfo);
    auto& update = *static_cast<CCmdUI*>(extra);
    int start = 0, end = 0;
    GetSel(start, end);
    const bool selected = start != end;
    bool enabled = IsCommandEnabled(id);
    if (id == kUndo && !CanUndo()) enabled = false;
    if ((id == kCut || id == kCopy || id == kClear) && !selected) enabled = false;
    update.Enable(enabled ? TRUE : FALSE);
    if (id == kToggleSpinButtons) update.SetCheck(control_.IsSpinButtons() ? 1 : 0);
    return TRUE;
}

LRESULT CSyspanelEditCtrl::OnContextMenuMessage(WPARAM, LPARAM point) {
    ShowContextMenu(POINT{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))});
    return 0;
}

void CSyspanelEditCtrl::ShowContextMenu(POINT screen) {
    CXTPCommandBar* bar = control_.GetParent();
    CXTPCommandBars* bars = bar ? bar->GetCommandBars() : nullptr;
    if (!bars) return;
    CXTPPopupBar* popup = LoadMenuPopupBar(bars, kContextMenuId);
    if (!popup) return;
    RemoveMenuItems(popup, kRemovedFirst);
    CXTPControl* spinButtons = popup->GetControls()->Add(xtpControlButton, static_cast<int>(kToggleSpinButtons));
    spinButtons->SetCaption(KVLoadString(kSpinButtonsStringId));
    RemoveMenuItems(popup, kRemovedLast);

    UINT flags = TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON;
    if (bar->GetSafeHwnd() && (bar->GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RIGHT))) flags |= TPM_RIGHTALIGN;
    // The entries' states come from this window's update pass. The bar keeps the edit while the
    // menu is up: the chosen command is for the text as the user left it.
    const int chosen = [&] {
        CXTPMouseManager* mouse = XTPMouseManager();
        mouse->LowerTrackingCount();
        const int answer = bars->TrackPopupMenu(popup, flags, screen.x, screen.y, this);
        mouse->RaiseTrackingCount();
        return answer;
    }();
    popup->InternalRelease();
    if (chosen <= 0) return;
    bars->SetCommandUsed(static_cast<UINT>(chosen));
    PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
}

bool CSyspanelEditCtrl::WantsListButton() const { return !valueList_.IsEmpty() && !control_.GetReadOnly(); }

void CSyspanelEditCtrl::layOutListButton() {
    listButton_.Layout(*this, *this, WantsListButton());
    listButton_.FollowEnabled(IsWindowEnabled() != FALSE);
}

LRESULT CSyspanelEditCtrl::OnSizeMessage(WPARAM, LPARAM) {
    layOutListButton();
    return Default();
}

LRESULT CSyspanelEditCtrl::OnEnableMessage(WPARAM enabled, LPARAM) {
    listButton_.FollowEnabled(enabled != FALSE);
    return Default();
}

void CSyspanelEditCtrl::OpenValueList() {
    if (const UINT chosen = TrackValueListMenu(control_, valueList_, *this, listButton_.GetButton())) ExecuteCommand(chosen);
}

void CSyspanelEditCtrl::OnListButtonClicked(CListButtonXP&) { OpenValueList(); }
