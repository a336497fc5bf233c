#include "platform/kernel/documents/document_2d.h"

#include <algorithm>
#include <cwctype>

#include "platform/kernel/record.h"
#include "platform/kernel/documents/coordinate_systems.h"
#include "platform/kernel/techreq/store.h"

namespace {

// A variable name: a letter or "_" first, then letters, digits or "_".
bool isName(const CString& text) {
    if (text.IsEmpty()) return false;
    const std::wstring_view view = text.view();
    if (!std::iswalpha(view[0]) && view[0] != L'_') return false;
    for (const wchar_t c : view)
        if (!std::iswalnum(c) && c != L'_') return false;
    return true;
}

}  // namespace

double FONT_STYLE::GetSizeFromPage(const STATUS* status, int) { return status ? status->GetProperties().fontSize : 0.0; }

CString FORMULA::GetNameOrExpression(const KVVariable& variable) {
    return variable.name.IsEmpty() ? variable.expression : variable.name;
}

const KVVariable* KVDocument::GetVariable(int index) const {
    if (index < 0 || index >= static_cast<int>(variables_.size())) return nullptr;
    return &variables_[static_cast<std::size_t>(index)];
}

int KVDocument::AddVariable(const CString& name, double value) {
    variables_.push_back({name, CString(), value});
    return static_cast<int>(variables_.size()) - 1;
}

int KVDocument::FindVariable(const CString& name) const {
    for (std::size_t i = 0; i < variables_.size(); ++i)
        if (variables_[i].name.CompareNoCase(name) == 0) return static_cast<int>(i);
    return -1;
}

int KVDocument::CreateVar(const CString& name) {
    platform::kernel::recordCall(L"KVDocument::CreateVar(" + platform::kernel::quoted(name.view()) + L")");
    return AddVariable(name, 0.0);
}

KVVariable* KVDocument::GetVariableForEdit(int index) {
    if (index < 0 || index >= static_cast<int>(variables_.size())) return nullptr;
    return &variables_[static_cast<std::size_t>(index)];
}

void KVDocument::Regenerate() { platform::kernel::recordCall(L"KVDocument::Regenerate()"); }

int KVDocument::create_real_var(LPCWSTR text, int& index, double& value, double current, int flag) {
    CString name(text ? text : L"");
    name.Trim();
    platform::kernel::recordCall(L"KVDocument::create_real_var(" + platform::kernel::quoted(name.GetString()) + L", " +
                                 std::to_wstring(flag) + L")");
    if (forcedVariableResult_) return *forcedVariableResult_;
    if (!isName(name)) return 0;
    for (std::size_t i = 0; i < variables_.size(); ++i) {
        if (variables_[i].name != name) continue;
        index = static_cast<int>(i);
        value = variables_[i].value;
        return 1;
    }
    if (flag == 3) return 0;
    index = AddVariable(name, current);
    value = current;
    return 1;
}

void KVDocument::start_undo_block(int state, int code) {
    platform::kernel::recordCall(L"KVDocument::start_undo_block(" + std::to_wstring(state) + L", " +
                                 std::to_wstring(code) + L")");
    undoMode_ = 1;
}

void KVDocument::end_undo_block() {
    platform::kernel::recordCall(L"KVDocument::end_undo_block()");
    undoMode_ = 0;
}

const STATUS* KVDocument::GetPageStatus(int) const { return &page_; }

void STATUS::PrepareGC(KVScreenGC&) const {
    platform::kernel::recordCall(L"STATUS::PrepareGC(" + platform::kernel::quoted(name_.view()) + L")");
}

KVDocument::KVDocument()
    : requirements_(std::make_unique<platform::kernel::TechRequirementStore>(*this)),
      coordinateSystems_(std::make_unique<platform::kernel::CoordinateSystemStore>()) {
    layers_ = {{0, L"0", 0}, {1, L"Dimensions", 0}};
}

int KVDocument::create_text_var(LPCWSTR name, int index, LPCWSTR value, int size, int flags) {
    const CString text(name ? name : L"");
    CString contents(value ? value : L"");
    platform::kernel::recordCall(L"KVDocument::create_text_var(" + platform::kernel::quoted(text.view()) + L", " +
                                 std::to_wstring(index) + L", " + platform::kernel::quoted(contents.view()) + L", " +
                                 std::to_wstring(size) + L", " + std::to_wstring(flags) + L")");
    // Two double quotes are the kernel's empty text.
    if (contents == L"\"\"") contents.Empty();
    if (size >= 0 && contents.GetLength() > size) contents = contents.Left(size);
    // A text variable's name is a name after a dollar sign.
    if (text.GetLength() < 2 || text[0] != L'$' || !isName(text.Mid(1))) return -1;
    for (std::size_t i = 0; i < textVariables_.size(); ++i)
        if (textVariables_[i].name == text) {
            textVariables_[i].value = contents;
            return static_cast<int>(i);
        }
    textVariables_.push_back({text, contents});
    return static_cast<int>(textVariables_.size()) - 1;
}

const KVLayer* KVDocument::GetLayer(int number) const {
    for (const KVLayer& layer : layers_)
        if (layer.number == number) return &layer;
    return nullptr;
}

const KVLayer* KVDocument::FindLayer(const CString& name) const {
    for (const KVLayer& layer : layers_)
        if (layer.name.view() == name.view()) return &layer;
    return nullptr;
}

int KVDocument::CreateLayer(const CString& name) {
    const int number = layers_.empty() ? 0 : layers_.back().number + 1;
    layers_.push_back({number, name, 0});
    platform::kernel::recordCall(L"KVDocument::CreateLayer(" + platform::kernel::quoted(name.view()) + L") = " +
                                 std::to_wstring(number));
    return number;
}

void KVDocument::SetLayerState(int number, DWORD state) {
    for (KVLayer& layer : layers_)
        if (layer.number == number) layer.state = state;
}
KVDocument::~KVDocument() = default;

int KVDocument::AddPage(const CString& name) {
    const int id = AddPageObject(std::make_unique<STATUS>(name));
    pageIds_.push_back(id);
    return id;
}

STATUS* KVDocument::GetSafePage(int pageId) const {
    if (std::find(pageIds_.begin(), pageIds_.end(), pageId) == pageIds_.end()) return nullptr;
    return dynamic_cast<STATUS*>(GetSafeObject(pageId));
}

int KVDocument::GetTechRequirementCount() const { return requirements_->Count(); }

int KVDocument::FindElementByName(LPCWSTR name) const {
    platform::kernel::recordCall(L"KVDocument::FindElementByName(" + platform::kernel::quoted(name ? name : L"") + L")");
    if (!name || !*name) return -1;
    for (int i = 0; i < GetObjectCount(); ++i)
        if (const CKVObject* object = GetSafeObject(i); object && object->GetName() == name) return i;
    return -1;
}
