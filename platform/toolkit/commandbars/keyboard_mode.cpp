// Keyboard mode of the command bars: the user walks a bar's controls with the arrow keys.
#include <algorithm>
#include <vector>

#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/toolkit/commandbars/commandbars.h"
#include "platform/toolkit/commandbars/ribbon.h"

namespace {

// The controls a user walks in `bar`, in the order they stand.
std::vector<CXTPControl*> walkedControls(CXTPCommandBar& bar) {
    std::vector<CXTPControl*> walked;
    const auto add = [&](CXTPControls* controls) {
        for (int i = 0; controls && i < controls->GetCount(); ++i)
            if (CXTPControl* control = controls->GetAt(i); bar.IsControlShown(control)) walked.push_back(control);
    };
    if (auto* ribbon = dynamic_cast<CXTPRibbonBar*>(&bar)) {
        CXTPRibbonTab* tab = ribbon->IsRibbonMinimized() ? nullptr : ribbon->GetCurrentTab();
        for (int g = 0; tab && g < tab->GetGroupCount(); ++g)
            if (CXTPRibbonGroup* group = tab->GetGroup(g); group->IsVisible()) add(group->GetControls());
        return walked;
    }
    add(bar.GetControls());
    return walked;
}

bool isSelected(const CXTPControl* control) {
    const CXTPCommandBar* parent = control->GetParent();
    return parent && parent->GetSelected() == control;
}

void select(CXTPControl* control) {
    if (CXTPCommandBar* parent = control->GetParent()) parent->SetSelected(control);
}

}  // namespace

BOOL CXTPCommandBars::EnterKeyboardMode(CXTPCommandBar* bar) {
    if (!bar || !bar->IsVisible() || !bar->GetSafeHwnd()) return FALSE;
    const std::vector<CXTPControl*> walked = walkedControls(*bar);
    if (walked.empty()) return FALSE;
    LeaveKeyboardMode();
    keyboardBar_ = bar;
    bar->SetTrackingMode(TRUE);
    platform::core::recordCall(L"keyboard mode in " + platform::core::quoted(std::wstring(bar->GetTitle().view())));
    select(walked.front());
    return TRUE;
}

void CXTPCommandBars::LeaveKeyboardMode() {
    CXTPCommandBar* bar = std::exchange(keyboardBar_, nullptr);
    if (!bar) return;
    for (CXTPControl* control : walkedControls(*bar))
        if (isSelected(control)) control->GetParent()->SetSelected(nullptr);
    bar->SetSelected(nullptr);
    bar->SetTrackingMode(FALSE);
    platform::core::recordCall(L"keyboard mode left");
}

BOOL CXTPCommandBars::TranslateKeyboardMode(const MSG& msg) {
    const HWND site = site_ ? site_->GetSafeHwnd() : nullptr;
    if (!site || (msg.hwnd != site && !::IsChild(site, msg.hwnd))) return FALSE;
    const auto key = static_cast<UINT>(msg.wParam);
    constexpr LPARAM kRepeated = LPARAM{1} << 30;
    switch (msg.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (key == static_cast<UINT>(VK_MENU)) {
                if (!(msg.lParam & kRepeated)) altAlone_ = true;
                return FALSE;
            }
            altAlone_ = false;
            return keyboardBar_ ? MoveInKeyboardBar(key) : FALSE;
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            if (key != static_cast<UINT>(VK_MENU) || !std::exchange(altAlone_, false)) return FALSE;
            if (keyboardBar_) {
                LeaveKeyboardMode();
                return TRUE;
            }
            if (!::IsWindowEnabled(site)) return FALSE;
            CXTPCommandBar* bar = nullptr;
            for (CXTPToolBar* each : bars_)
                if (dynamic_cast<CXTPRibbonBar*>(each) && each->IsVisible()) bar = each;
            if (!bar || !IsRibbonMode()) bar = menuBar_;
            return EnterKeyboardMode(bar);
        }
        default: return FALSE;
    }
}

BOOL CXTPCommandBars::MoveInKeyboardBar(UINT key) {
    const std::vector<CXTPControl*> walked = walkedControls(*keyboardBar_);
    if (walked.empty() || key == VK_ESCAPE) {
        LeaveKeyboardMode();
        return key == VK_ESCAPE;
    }
    const auto at = std::find_if(walked.begin(), walked.end(), isSelected);
    const std::size_t index = at == walked.end() ? 0 : static_cast<std::size_t>(at - walked.begin());
    const std::size_t count = walked.size();
    switch (key) {
        case VK_LEFT:
        case VK_UP: select(walked[(index + count - 1) % count]); return TRUE;
        case VK_RIGHT:
        case VK_DOWN: select(walked[at == walked.end() ? 0 : (index + 1) % count]); return TRUE;
        case VK_HOME: select(walked.front()); return TRUE;
        case VK_END: select(walked.back()); return TRUE;
        case VK_RETURN: {
            CXTPControl* chosen = at == walked.end() ? nullptr : *at;
            LeaveKeyboardMode();
            if (chosen && chosen->GetEnabled()) {
                chosen->InternalAddRef();
                chosen->OnExecute();
                chosen->InternalRelease();
            }
            return TRUE;
        }
        default: LeaveKeyboardMode(); return FALSE;
    }
}
