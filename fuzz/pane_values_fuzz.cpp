// The docking panes' own values: any "Values" section is loaded by each pane window of the first
// frame, or refused; a window that loaded stores its values again.
#include "fuzz/program_support.h"
#include "mainframe/main_frame.h"
#include "platform/korvoui.h"

FUZZ_TARGET(pane_values) {
    fuzz::Program& program = fuzz::Program::instance();
    if (!program.session().running()) return 0;
    const std::wstring text = fuzz::wideOf(data, size);
    auto* frame = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(program.session().inspect().mainFrames().at(0)));
    FUZZ_CHECK(frame != nullptr);
    for (CXTPDockingPane* pane : frame->GetPaneManager().GetPaneList()) {
        auto* child = dynamic_cast<Korvo::UI::DockingPaneChild*>(CWnd::FromHandlePermanent(pane->GetChild()));
        if (!child) continue;
        CXTPPropExchangeXMLNode loading(TRUE, L"Values");
        if (!loading.LoadFromString(text, L"fuzz.xml")) break;
        if (!child->DoPropExchange(&loading)) continue;
        CXTPPropExchangeXMLNode storing(FALSE, L"Values");
        child->DoPropExchange(&storing);
    }
    program.run("idle");
    program.forget();
    return 0;
}
