#include "platform/kernel/ui/backstage_services.h"

#include "platform/core/record.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/profiles/settings.h"
#include "platform/kernel/services/serverapp.h"

HelpIDModifier::~HelpIDModifier() { Reset(); }

void HelpIDModifier::SetHelpID(UINT helpId, LPCWSTR, bool) {
    KorvoServerAppProxy* app = KorvoServerAppProxy::Instance();
    if (!app) return;
    const UINT replaced = app->SetHelpContext(helpId, nullptr);
    // A second id on the same modifier still puts back the one it first replaced.
    if (!active_) previous_ = replaced;
    active_ = true;
}

void HelpIDModifier::Reset() {
    if (!active_) return;
    active_ = false;
    if (KorvoServerAppProxy* app = KorvoServerAppProxy::Instance()) app->SetHelpContext(previous_, nullptr);
}

BOOL KVPrintWnd::CreatePrintWindow(DWORD style, const RECT& rect, CWnd* parent) {
    return CreateEx(0, AfxRegisterWndClass(0), L"Print", style, rect, parent, 0);
}

std::unique_ptr<KVPrintWnd> create_print_wnd(const Korvo::Print::PrintDrawingContext& context) {
    platform::core::recordCall(L"create_print_wnd(drawing context)");
    return std::make_unique<KVPrintWnd>(context.GetDocument());
}

std::unique_ptr<KVPrintWnd> create_print_wnd(CKvw32Doc* document) {
    platform::core::recordCall(L"create_print_wnd(" + platform::core::handleText(document) + L")");
    if (!document) return nullptr;
    return std::make_unique<KVPrintWnd>(document);
}

CString KVNewOptions::GetTemplateFolder() { return GetSettings().templateFolder; }
