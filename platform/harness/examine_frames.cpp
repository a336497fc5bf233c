#include <cwchar>

#include "platform/core/record.h"
#include "platform/harness.h"
#include "platform/harness/screen_layout.h"
#include "platform/harness/control_kind.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "platform/toolkit/commandbars/customize.h"

namespace platform::harness {

HWND Inspect::activeMainFrame() const {
    const Korvo::UI::MainFrame* active = UIModuleProxy::Instance().GetActiveMainFrame();
    const CFrameWnd* window = active ? active->AsWindow() : nullptr;
    return window ? window->GetSafeHwnd() : nullptr;
}

std::wstring Inspect::dumpFrames() const {
    const Korvo::UI::MainFrame* active = UIModuleProxy::Instance().GetActiveMainFrame();
    std::wstring dump;
    int number = 0;
    for (Korvo::UI::MainFrame* frame : UIModuleProxy::Instance().GetMainFrames()) {
        const CFrameWnd* window = frame->AsWindow();
        const HWND handle = window ? window->GetSafeHwnd() : nullptr;
        if (!dump.empty()) dump += L"\n";
        dump += std::to_wstring(++number) + L" " + platform::core::handleText(handle);
        dump += L" " + platform::core::quoted(text(handle)) + L" ";
        dump += frame == active ? L"active" : L"inactive";
    }
    return dump;
}

}  // namespace platform::harness

namespace platform::harness {
namespace {

const wchar_t* barKind(const CXTPCommandBar& bar) {
    switch (bar.GetType()) {
        case xtpBarTypeMenuBar: return L"menu";
        case xtpBarTypePopup: return L"popup";
        case xtpBarTypeRibbon: return L"ribbon";
        default: return L"toolbar";
    }
}

// "Ctrl+2", "Shift+Alt+0x70"; "none" without a key.
std::wstring acceleratorText(int modifiers, int key) {
    if (key == 0) return L"none";
    std::wstring text;
    if (modifiers & FCONTROL) text += L"Ctrl+";
    if (modifiers & FSHIFT) text += L"Shift+";
    if (modifiers & FALT) text += L"Alt+";
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return text + static_cast<wchar_t>(key);
    wchar_t hex[16];
    std::swprintf(hex, 16, L"0x%02X", key);
    return text + hex;
}

// The main bar's modes: each tab with its record, in tab order.
std::wstring commandSetsDump(const Korvo::UI::TabbableToolBar& bar) {
    std::wstring dump;
    for (int tab = 0; tab < bar.GetItemCount(); ++tab) {
        const CXTPTabToolBar::TabItem* item = bar.GetItem(tab);
        dump += L"\n  mode " + std::to_wstring(tab + 1) + L" " +
                std::wstring(Korvo::UniqueIdentifier(bar.GetTabIdentifier(tab)).ToString().view()) + L" " +
                platform::core::quoted(item->caption.GetString()) +
                (bar.IsCustomizeVisible(tab) ? L" visible" : L" hidden") + (bar.IsUserItem(tab) ? L" user" : L" original") +
                L" accel " + acceleratorText(bar.GetAccelModifiers(tab), bar.GetAccelKey(tab)) +
                (bar.GetCurSel() == tab ? L" current" : L"");
    }
    return dump;
}

}  // namespace

std::wstring barDump(const CXTPToolBar& bar) {
    std::wstring dump = L"bar " + std::to_wstring(bar.GetBarID()) + L" " + platform::core::quoted(bar.GetTitle().GetString()) +
                        L" " + barKind(bar) + (bar.IsVisible() ? L" visible" : L" hidden");
    const CXTPControls* controls = bar.GetControls();
    const bool tabbed = dynamic_cast<const CXTPTabToolBar*>(&bar) != nullptr;
    for (int c = 0; c < controls->GetCount(); ++c) {
        const CXTPControl* control = controls->GetAt(c);
        // A tabbed bar shows the current tab's category; the others' controls wait for their tab.
        if (tabbed && (control->GetHideFlags() & xtpHideTab)) continue;
        dump += L"\n  " + std::to_wstring(control->GetID()) + L" " + controlKind(*control) + L" " +
                platform::core::quoted(controlCaption(*control).GetString()) +
                (control->IsVisible() ? L" visible" : L" hidden") + (control->GetEnabled() ? L" enabled" : L" disabled") +
                (control->GetChecked() ? L" checked" : L" unchecked") +
                (static_cast<UINT>(control->GetIconId()) >= XTP_FIRST_CUSTOM_ICON_ID
                     ? L" icon " + std::to_wstring(control->GetIconId())
                     : std::wstring()) +
                (tabbed ? L" category " + platform::core::quoted(control->GetCategory().GetString()) : L"");
    }
    if (const auto* modes = dynamic_cast<const Korvo::UI::TabbableToolBar*>(&bar)) dump += commandSetsDump(*modes);
    return dump;
}

std::wstring Inspect::dumpBars(HWND frame) const {
    Korvo::UI::MainFrame* main = UIModuleProxy::Instance().GetMainFrameOf(frame);
    if (!main || !main->AsWindow() || main->AsWindow()->GetSafeHwnd() != frame) return {};
    CXTPCommandBars* bars = main->GetCommandBars();
    if (!bars) return {};
    std::wstring dump;
    for (int i = 0; i < bars->GetCount(); ++i) {
        if (!dump.empty()) dump += L"\n";
        dump += barDump(*bars->GetAt(i));
    }
    return dump;
}

}  // namespace platform::harness
