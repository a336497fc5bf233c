// The Inspect facet: read-only views of the running program, which the console's dumps print too.
#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "platform/win32/control.h"

namespace platform::harness {

std::vector<HWND> Inspect::mainFrames() const {
    std::vector<HWND> frames;
    for (Korvo::UI::MainFrame* frame : UIModuleProxy::Instance().GetMainFrames()) {
        if (CFrameWnd* window = frame->AsWindow()) frames.push_back(window->GetSafeHwnd());
    }
    return frames;
}

std::vector<HWND> Inspect::topLevelWindows() const { return platform::core::control::topLevelWindows(); }

std::wstring Inspect::text(HWND window) const {
    auto info = platform::core::control::window(window);
    return info ? info->text : std::wstring{};
}

bool Inspect::visible(HWND window) const { return IsWindowVisible(window) != FALSE; }

std::wstring Inspect::dumpWindows() const { return platform::core::control::dumpWindows(); }

}  // namespace platform::harness
