#include "platform/kernel/ui/view_creation.h"

#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"
#include "platform/kernel/ui/uimodule.h"

namespace UIModule {

bool CreateDocumentView(CFrameWnd* mainFrame, CKvw32Doc* document, const std::vector<CRuntimeClass*>& viewClasses) {
    using namespace platform::kernel;
    recordCall(L"UIModule::CreateDocumentView(" + handleText(mainFrame ? mainFrame->GetSafeHwnd() : nullptr) + L", " +
               documentText(document) + L", " + std::to_wstring(viewClasses.size()) + L" view classes)");
    if (!mainFrame || !document) return false;
    Korvo::UI::MainFrame* active = UIModuleProxy::Instance().GetActiveMainFrame();
    if (!active || MainFrameWindow(active) != mainFrame) {
        recordWarning(L"UIModule::CreateDocumentView: the frame is not the active main frame");
        return false;
    }
    auto* docTemplate = dynamic_cast<CKVDocTemplate*>(document->GetDocTemplate());
    return docTemplate && docTemplate->OpenAnotherWindow(document);
}

}  // namespace UIModule
