#include <stdexcept>

#include "platform/core/api_text.h"
#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/core/threads.h"
#include "platform/harness.h"

#include "platform/faults.h"
#include "platform/kernel/ui/control.h"
#include "platform/mfc/control.h"

namespace platform::harness {

void Faults::failSessionStep(std::wstring_view step) {
    if (!platform::kernel::failSessionStep(step)) {
        throw std::invalid_argument("harness: no session step \"" + platform::core::toUtf8(step) +
                                    "\" (PreInitSession, PostInitSession, FinishInitSession)");
    }
}

void Faults::failDocumentOpen(std::wstring_view windowsPath, bool throwException) {
    platform::kernel::failDocumentOpen(windowsPath, throwException);
}

void Faults::failTheme(std::wstring_view themeName) {
    platform::kernel::control().failingThemes.insert(std::wstring(themeName));
}

namespace {

HHOOK frameCreationHook = nullptr;

bool isMainFrameCreation(const CREATESTRUCTW& create) {
    if (create.hwndParent || (static_cast<DWORD>(create.style) & WS_CHILD)) return false;
    const std::wstring_view className = platform::core::viewOf(create.lpszClass);
    if (platform::core::equalsNoCase(className, L"#32770")) return false;  // dialogs and message boxes
    if (platform::core::equalsNoCase(className, platform::mfc::mdiFrameWindowClassName()) ||
        platform::core::equalsNoCase(className, platform::mfc::frameWindowClassName())) {
        return true;
    }
    return (static_cast<DWORD>(create.style) & WS_CAPTION) == WS_CAPTION;
}

// Refuses the creation of the first main frame window of the UI thread, as a failing
// CreateWindowEx would, then steps aside.
LRESULT failFrameCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && frameCreationHook) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        if (create && create->lpcs && isMainFrameCreation(*create->lpcs)) {
            HHOOK hook = frameCreationHook;
            frameCreationHook = nullptr;
            UnhookWindowsHookEx(hook);
            platform::core::journal().add(
                "fault", L"the creation of the main frame window (class " +
                             platform::core::quoted(platform::core::viewOf(create->lpcs->lpszClass)) + L") fails");
            return 1;
        }
    }
    return CallNextHookEx(frameCreationHook, code, wParam, lParam);
}

}  // namespace

void Faults::failAt(std::wstring_view point) { platform::faults::arm(std::wstring(point)); }

void Faults::failMainFrameCreation() {
    if (frameCreationHook) return;
    frameCreationHook = SetWindowsHookExW(WH_CBT, &failFrameCreation, nullptr, platform::core::kUiThreadId);
    if (!frameCreationHook) throw std::runtime_error("harness: cannot install the frame-creation fault");
}

}  // namespace platform::harness
