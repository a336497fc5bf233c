// Automatic parameterisation and automatic dimensions: the sketching options of a 2D page. The
// viewer edition does not sketch, so here they do nothing and their items are disabled.
#include "app/commands/application_command_handlers.h"
#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"

namespace AppCommands {

namespace {

constexpr UINT kSketchCommandWhileIdle = 1012;

enum class SketchOption { AutoParameterization, AutoDimensions };

// The active view when it shows a 2D page.
CKVView* Active2DView() {
    CKvw32App* app = CKvw32App::Instance();
    CMainFrame* frame = app ? app->GetActiveMainFrame() : nullptr;
    CKVView* view = frame ? frame->GetActiveKorvoView() : nullptr;
    return view && view->Is2DView() && view->GetCurrentPage() != 0 ? view : nullptr;
}

bool IsViewerEdition() {
    KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance();
    return !kernel || kernel->IsViewerEdition();
}

// The settings byte of the option for the view's current page: one for pages of kind 1, one
// for the others.
BYTE& OptionByte(CKVView* view, SketchOption option) {
    const auto* document = dynamic_cast<CKvw32Doc*>(view->GetDocument());
    const STATUS* page = document ? document->Cont2D()->GetSafePage(view->GetCurrentPage()) : nullptr;
    const int index = page && page->GetKind() == 1 ? 1 : 0;
    NativeSettings& settings = GetSettings();
    return option == SketchOption::AutoParameterization ? settings.autoParameterization[index]
                                                        : settings.autoDimensions[index];
}

int ToggleOption(SketchOption option) {
    CKVView* view = Active2DView();
    if (!view || IsViewerEdition()) return 1;
    BYTE& value = OptionByte(view, option);
    value = value ? 0 : 1;
    if (option == SketchOption::AutoParameterization) AnnotateModuleProxy::AutoParameterizationChanged(view);
    return 1;
}

void UpdateOption(CCmdUI* cmdUI, SketchOption option) {
    CKVView* view = Active2DView();
    if (!view || IsViewerEdition()) {
        cmdUI->Enable(FALSE);
        return;
    }
    const UINT command = static_cast<UINT>(KVGetActiveCommandId());
    cmdUI->Enable(IsSketchDrawingCommand(command) || command == kSketchCommandWhileIdle);
    cmdUI->SetCheck(OptionByte(view, option) ? 1 : 0);
}

}  // namespace

bool IsSketchDrawingCommand(UINT id) {
    static constexpr std::pair<UINT, UINT> kRanges[] = {
        {1125, 1125}, {1640, 1644}, {1646, 1649}, {1651, 1656}, {1658, 1658}, {1791, 1791}, {1825, 1833},
        {1835, 1842}, {1850, 1854}, {2040, 2040}, {2870, 2870}, {2882, 2882}, {2934, 2934}, {2941, 2942},
        {3166, 3167}, {7304, 7304},
    };
    for (const auto& [first, last] : kRanges)
        if (id >= first && id <= last) return true;
    return false;
}

int OnEnableAutoParameterization(std::int64_t) { return ToggleOption(SketchOption::AutoParameterization); }
int OnEnableAutoDimensions(std::int64_t) { return ToggleOption(SketchOption::AutoDimensions); }
void UpdateEnableAutoParameterization(CCmdUI* cmdUI) { UpdateOption(cmdUI, SketchOption::AutoParameterization); }
void UpdateEnableAutoDimensions(CCmdUI* cmdUI) { UpdateOption(cmdUI, SketchOption::AutoDimensions); }

}  // namespace AppCommands
