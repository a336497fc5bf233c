// The diagnostics pane's window as the harness sees it.
#include "services/application.h"
#include "auxiliary/error_window.h"

namespace {

std::wstring Outline() {
    ApplicationServices* app = ApplicationServices::Instance();
    const auto* window = app ? dynamic_cast<const ErrorWindow*>(app->GetErrorWindow()) : nullptr;
    return window && window->GetSafeHwnd() ? window->Outline() : std::wstring();
}

// The export is in place as soon as the program is loaded, before it starts.
[[maybe_unused]] const bool kExported = [] {
    GetApplicationExports().diagnosticsOutline = &Outline;
    return true;
}();

}  // namespace
