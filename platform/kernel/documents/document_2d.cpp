#include "platform/kernel/documents/document_2d.h"

#include <algorithm>
#include <cwctype>

#include "platform/kernel/record.h"
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

KVDocument::KVDocument() : requirements_(std::make_unique<platform::kernel::TechRequirementStore>(*this)) {}
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
