#include "app/document_opener.h"

#include "platform/kernel.h"

CDocument* OpenDocumentFile(LPCWSTR path) {
    if (!path || !*path) return nullptr;
    const std::vector<CKVDocTemplate*> templates = CKVDocTemplate::GetTemplates();
    if (templates.empty()) return nullptr;
    try {
        return templates.front()->OpenDocumentFile(path, TRUE);
    } catch (CException* e) {
        e->Delete();
        return nullptr;
    }
}
