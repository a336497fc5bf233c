#include "platform/kernel/services/model_trees.h"

#include <string>

#include "platform/kernel/documents/document_text.h"
#include "platform/kernel/documents/documents.h"
#include "platform/kernel/record.h"
#include "platform/kernel/ui/control.h"
#include "platform/win32.h"
#include "platform/win32/icons.h"

namespace {

using platform::kernel::recordCall;

int& alive() {
    static int count = 0;
    return count;
}

}  // namespace

KVModelTree* KVModelTrees::Create(const std::vector<BYTE>& state, LPCWSTR specType, int groupType) {
    recordCall(L"CKVCom_Is3D::CreateModelTree(" + std::to_wstring(state.size()) + L" bytes, " +
               platform::kernel::quoted(specType ? specType : L"") + L", " + std::to_wstring(groupType) + L")");
    if (platform::kernel::control().modelTreesRefused) return nullptr;
    ++alive();
    return new KVModelTree(state, specType ? specType : L"", groupType);
}

void KVModelTrees::Destroy(KVModelTree* tree) {
    if (!tree) return;
    recordCall(L"CKVCom_Is3D::DestroyModelTree()");
    --alive();
    delete tree;
}

void KVModelTrees::RegisterWindow(KVModelTree* tree, HWND window) {
    if (tree) tree->window_ = window;
}

void KVModelTrees::SetDocument(KVModelTree* tree, CKvw32Doc* document) {
    if (!tree) return;
    recordCall(L"CKVCom_Is3D::SetModelTreeDocument(" + platform::kernel::documentText(document) + L")");
    tree->document_ = document;
}

void KVModelTrees::DocumentClosed(KVModelTree* tree, CKvw32Doc* document) {
    if (!tree) return;
    recordCall(L"CKVCom_Is3D::ModelTreeDocumentClosed(" + platform::kernel::documentText(document) + L")");
    if (tree->document_ == document) tree->document_ = nullptr;
}

CString KVModelTrees::GetCaption(const KVModelTree* tree) {
    if (!tree) return L"";
    if (!tree->document_) return L"Model tree";
    return CString(L"Model tree: ") + platform::kernel::documentText(tree->document_).c_str();
}

HICON KVModelTrees::GetIcon(const KVModelTree* tree, int& iconId) {
    iconId = tree ? 785 : 0;
    return tree ? platform::win32::createIcon(16, 16) : nullptr;
}

int KVModelTrees::Count() { return alive(); }
