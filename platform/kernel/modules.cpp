#include "platform/kernel/modules.h"

#include "platform/kernel/documents.h"
#include "platform/kernel/record.h"

CKVCom_Is3D& CKVCom_Is3D::Instance() {
    static CKVCom_Is3D instance;
    return instance;
}

void CKVCom_Is3D::OnStartup() { platform::kernel::recordCall(L"CKVCom_Is3D::OnStartup()"); }

void CKVCom_Is3D::OnStartupCompleted() { platform::kernel::recordCall(L"CKVCom_Is3D::OnStartupCompleted()"); }

AnnotateModuleProxy& AnnotateModuleProxy::Instance() {
    static AnnotateModuleProxy instance;
    return instance;
}

CDocument* AnnotateModuleProxy::OpenDocument(LPCWSTR path, int mode, int page, int flags) {
    platform::kernel::recordCall(L"AnnotateModuleProxy::OpenDocument(" + platform::kernel::quoted(path) + L", " +
                                 std::to_wstring(mode) + L", " + std::to_wstring(page) + L", " +
                                 std::to_wstring(flags) + L")");
    // The module opens documents as the kernel's template does.
    const auto templates = CKVDocTemplate::GetTemplates();
    if (templates.empty()) return nullptr;
    return templates.back()->OpenDocumentFile(path, TRUE);
}
