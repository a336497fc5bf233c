// The bird's-eye-view pane as the harness sees it.
#include "services/application.h"
#include "auxiliary/birdseye/birds_eye_pane.h"

namespace {

std::wstring Outline() {
    ApplicationServices* app = ApplicationServices::Instance();
    const auto* pane = app ? dynamic_cast<const KVBEV*>(app->GetBirdsEyeViewWindow(false)) : nullptr;
    return pane && pane->GetSafeHwnd() ? pane->Outline() : std::wstring();
}

// The export is in place as soon as the program is loaded, before it starts.
[[maybe_unused]] const bool kExported = [] {
    GetApplicationExports().birdsEyeOutline = &Outline;
    return true;
}();

}  // namespace
