#include "platform/core/record.h"
#include "platform/harness.h"
#include "platform/harness/screen_layout.h"
#include "platform/harness/control_kind.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"

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

}  // namespace

std::wstring barDump(const CXTPToolBar& bar) {
    std::wstring dump = L"bar " + std::to_wstring(bar.GetBarID()) + L" " + platform::core::quoted(bar.GetTitle().GetString()) +
                        L" " + barKind(bar) + (bar.IsVisible() ? L" visible" : L" hidden");
    const CXTPControls* controls = bar.GetControls();
    for (int c = 0; c < controls->GetCount(); ++c) {
        const CXTPControl* control = controls->GetAt(c);
        dump += L"\n  " + std::to_wstring(control->GetID()) + L" " + controlKind(*control) + L" " +
                platform::core::quoted(readable(control->GetCaption()).GetString()) +
                (control->IsVisible() ? L" visible" : L" hidden") + (control->GetEnabled() ? L" enabled" : L" disabled") +
                (control->GetChecked() ? L" checked" : L" unchecked");
    }
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
