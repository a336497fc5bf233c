#include <cstdint>
#include <cwchar>

#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"

namespace platform::harness {

std::wstring Inspect::dumpFrames() const {
    const Korvo::UI::MainFrame* active = UIModuleProxy::Instance().GetActiveMainFrame();
    std::wstring dump;
    for (Korvo::UI::MainFrame* frame : UIModuleProxy::Instance().GetMainFrames()) {
        const CFrameWnd* window = frame->AsWindow();
        const HWND handle = window ? window->GetSafeHwnd() : nullptr;
        wchar_t handleText[16];
        std::swprintf(handleText, 16, L"0x%08x", static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(handle)));
        if (!dump.empty()) dump += L"\n";
        dump += handleText;
        dump += L" \"" + text(handle) + L"\" ";
        dump += frame == active ? L"active" : L"inactive";
    }
    return dump;
}

}  // namespace platform::harness
