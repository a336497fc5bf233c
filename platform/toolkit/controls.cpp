#include "platform/toolkit/controls.h"

#include <algorithm>

#include "platform/core/record.h"

CXTPControls::~CXTPControls() { RemoveAll(); }

CXTPControl* CXTPControls::Add(XTPControlType type, int id, LPCWSTR, int before, BOOL) {
    auto* control = new CXTPControl(type);
    control->SetID(id);
    control->parent_ = this;
    const auto position = before < 0 || before >= GetCount() ? controls_.end() : controls_.begin() + before;
    controls_.insert(position, control);
    return control;
}

CXTPControl* CXTPControls::GetAt(int index) const {
    if (index < 0 || index >= GetCount()) return nullptr;
    return controls_[static_cast<std::size_t>(index)];
}

void CXTPControls::Remove(CXTPControl* control) {
    const auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    controls_.erase(it);
    control->parent_ = nullptr;
    control->InternalRelease();
}

void CXTPControls::RemoveAll() {
    while (!controls_.empty()) Remove(controls_.back());
}

void CXTPControls::CreateOriginalControls() {
    platform::core::recordCall(L"CXTPControls::CreateOriginalControls()");
    hasOriginal_ = true;
}
