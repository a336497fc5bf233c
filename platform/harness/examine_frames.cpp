#include "platform/core/record.h"
#include "platform/harness.h"
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
    for (Korvo::UI::MainFrame* frame : UIModuleProxy::Instance().GetMainFrames()) {
        const CFrameWnd* window = frame->AsWindow();
        const HWND handle = window ? window->GetSafeHwnd() : nullptr;
        if (!dump.empty()) dump += L"\n";
        dump += platform::core::handleText(handle);
        dump += L" " + platform::core::quoted(text(handle)) + L" ";
        dump += frame == active ? L"active" : L"inactive";
    }
    return dump;
}

}  // namespace platform::harness
