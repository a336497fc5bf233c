// The window commands of the application command table: arranging the documents' windows, a
// new main window, the materials pane and the start page.
#include "app/commands/application_command_handlers.h"
#include "app/kvw32_app.h"
#include "auxiliary/start_page.h"
#include "mainframe/main_frame.h"

namespace AppCommands {

namespace {

constexpr UINT kShowMaterialsCommand = 794;

// Arranging works on free windows: the active frame leaves workbook mode first.
int ArrangeWindows(UINT message, WPARAM wParam) {
    CKvw32App* app = CKvw32App::Instance();
    CMainFrame* frame = app ? app->GetActiveMainFrame() : nullptr;
    if (!frame) return 1;
    frame->SetWorkbookMode(false);
    if (frame->m_hWndMDIClient) ::SendMessageW(frame->m_hWndMDIClient, message, wParam, 0);
    return 1;
}

}  // namespace

int OnWindowTileHorizontal(std::int64_t) { return ArrangeWindows(WM_MDITILE, MDITILE_HORIZONTAL); }
int OnWindowTileVertical(std::int64_t) { return ArrangeWindows(WM_MDITILE, MDITILE_VERTICAL); }
int OnWindowCascade(std::int64_t) { return ArrangeWindows(WM_MDICASCADE, 0); }
int OnWindowArrange(std::int64_t) { return ArrangeWindows(WM_MDIICONARRANGE, 0); }

int OnNewMainWindow(std::int64_t) {
    CKvw32App* app = CKvw32App::Instance();
    KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance();
    if (!app || !kernel) return 0;
    CMainFrame* active = app->GetActiveMainFrame();
    CKvw32Doc* document = active ? KVGetActiveDoc(active) : nullptr;
    const std::vector<CRuntimeClass*> viewClasses = document ? document->GetViewClasses() : std::vector<CRuntimeClass*>();
    CFrameWnd* frame = kernel->CreateMainFrame();
    if (!document) return frame ? 1 : 0;
    if (!frame) return 0;
    frame->ActivateFrame();
    return UIModule::CreateDocumentView(frame, document, viewClasses) ? 1 : 0;
}

int OnEditMaterials(std::int64_t) {
    CKvw32App* app = CKvw32App::Instance();
    if (CMainFrame* frame = app ? app->GetActiveMainFrame() : nullptr)
        frame->SendMessage(WM_COMMAND, kShowMaterialsCommand, 0);
    return 1;
}

int OnWindowStartPage(std::int64_t) {
    ShowStartPageOnStartup();
    return 1;
}

}  // namespace AppCommands
