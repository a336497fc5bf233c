#include "platform/kernel/services/materials.h"

#include "platform/kernel/documents/document_text.h"

namespace {

constexpr int kMaterialParameter = 7;

std::wstring rectText(RECT rect) {
    return L"(" + std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"," + std::to_wstring(rect.right) +
           L"," + std::to_wstring(rect.bottom) + L")";
}

}  // namespace

KVMaterialChooser::KVMaterialChooser(CKvw32Doc* document, IKVMaterialComboBox* combo, RECT rect, int mode,
                                     const KVMaterialRecord& record)
    : document_(document), combo_(combo), rect_(rect), mode_(mode) {
    platform::kernel::recordCall(L"KVMaterialChooser::Create(" + platform::kernel::documentText(document) + L", " +
                                 rectText(rect) + L", mode " + std::to_wstring(mode) + L", " +
                                 platform::kernel::quoted(record.name.view()) + L")");
}

KVMaterialChooser::~KVMaterialChooser() { platform::kernel::recordCall(L"KVMaterialChooser::Destroy()"); }

void KVMaterialChooser::Show(RECT rect, const KVMaterialRecord& record) {
    rect_ = rect;
    shown_ = true;
    platform::kernel::recordCall(L"KVMaterialChooser::Show(" + rectText(rect) + L", " +
                                 platform::kernel::quoted(record.name.view()) + L")");
}

void KVMaterialChooser::Hide() {
    shown_ = false;
    platform::kernel::recordCall(L"KVMaterialChooser::Hide()");
}

bool KVMaterialChooser::Choose(const CString& name) {
    if (!shown_ || !KV3DMaterials::IsKnownMaterial(name)) return false;
    combo_->SelectMaterial({1, -1, -1, name});
    return true;
}

void KVMaterialChooser::OnArguments(int first, int second) {
    platform::kernel::recordCall(L"KVMaterialChooser::OnArguments(" + std::to_wstring(first) + L", " +
                                 std::to_wstring(second) + L")");
}

const std::vector<CString>& KVMaterialChooser::Library() {
    static const std::vector<CString> library{L"Steel", L"Aluminium", L"Brass", L"Oak"};
    return library;
}

KVMaterialLibraryManager& KVMaterialLibraryManager::Instance() {
    static KVMaterialLibraryManager manager;
    return manager;
}

void KVMaterialLibraryManager::Clear() {
    platform::kernel::recordCall(L"KVMaterialLibraryManager::Clear()");
    open_ = false;
}

void KVMaterialLibraryManager::Open() { open_ = true; }

bool KVMaterialLibraryManager::IsOpen() const { return open_; }

namespace KV3DMaterials {

std::unique_ptr<KVMaterialChooser> CreateChooser(CKvw32Doc* document, IKVMaterialComboBox* combo, RECT rect, int mode,
                                                 const KVMaterialRecord& record) {
    if (!document || !document->Get3DContainer()) return nullptr;
    KVMaterialLibraryManager::Instance().Open();
    return std::make_unique<KVMaterialChooser>(document, combo, rect, mode, record);
}

CKVObject* GetBodyOfObject(CKvw32Doc* document, int index) {
    if (!document || !document->Get3DContainer() || !document->Cont2D()) return nullptr;
    return document->Cont2D()->GetSafeObject(index);
}

bool IsKnownMaterial(const CString& name) {
    for (const CString& known : KVMaterialChooser::Library())
        if (known.view() == name.view()) return true;
    return false;
}

bool ApplyMaterial(CKVObject* body, const CString& name, bool forBodies, bool inUndoStep) {
    if (!body || !IsKnownMaterial(name)) return false;
    int shared = 0;
    const bool changed = GetMaterialName(body, shared).view() != name.view();
    body->SetParameterValue(kMaterialParameter, kveval::VariantParameter(name));
    platform::kernel::recordCall(L"KV3DMaterials::ApplyMaterial(" + platform::kernel::quoted(name.view()) + L", " +
                                 (forBodies ? L"true" : L"false") + L", " + (inUndoStep ? L"in step" : L"no step") +
                                 L") = " + (changed ? L"changed" : L"unchanged"));
    return changed;
}

CString GetMaterialName(const CKVObject* body, int& shared) {
    shared = 0;
    const auto value = body ? body->GetParameterValue(kMaterialParameter) : std::nullopt;
    const CString* name = value ? value->Get<CString>() : nullptr;
    return name ? *name : CString();
}

bool IsAssignmentAllowed(CKvw32Doc* document) { return document && document->Get3DContainer(); }

}  // namespace KV3DMaterials
