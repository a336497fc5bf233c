#include "platform/kernel/ui/manip_panel.h"

#include <algorithm>

#include "platform/core/record.h"
#include "platform/toolkit.h"

CKVSysPanelCtrlImpl::~CKVSysPanelCtrlImpl() {
    // The views outlive the object only as long as their bars keep them: they must not come back.
    const std::vector<CXTPControl*> views = views_;
    views_.clear();
    for (CXTPControl* view : views)
        if (auto* listener = dynamic_cast<KVSysPanelCtrlView*>(view)) listener->OnKernelObjectDestroyed();
}

void CKVSysPanelCtrlImpl::addControl(CKVSysPanelCtrlImpl* object, CXTPControl* view) {
    if (!object || !view) return;
    object->views_.push_back(view);
    object->journal(L"addControl", view);
}

void CKVSysPanelCtrlImpl::removeControl(CKVSysPanelCtrlImpl* object, CXTPControl* view) {
    if (!object) return;
    const auto it = std::find(object->views_.begin(), object->views_.end(), view);
    if (it == object->views_.end()) return;
    object->journal(L"removeControl", view);
    object->views_.erase(it);
}

void CKVSysPanelCtrlImpl::journal(const wchar_t* what, CXTPControl* view, const std::wstring& extra) const {
    const auto it = std::find(views_.begin(), views_.end(), view);
    const std::wstring place = it == views_.end() ? L"?" : std::to_wstring(it - views_.begin() + 1);
    platform::core::recordCall(L"CKVSysPanelCtrlImpl::" + std::wstring(what) + L"(\"" + name_ + L"\", view " + place +
                               extra + L")");
}

void CKVSysPanelCtrlImpl::OnFirstNotify(CXTPControl* view) { journal(L"OnFirstNotify", view); }
void CKVSysPanelCtrlImpl::OnSecondNotify(CXTPControl* view) { journal(L"OnSecondNotify", view); }
void CKVSysPanelCtrlImpl::OnThirdNotify(CXTPControl* view) { journal(L"OnThirdNotify", view); }

int CKVSysPanelCtrlImpl::OnKeyHook(CXTPControl* view, UINT key, UINT) {
    const bool taken = std::find(hookedKeys_.begin(), hookedKeys_.end(), key) != hookedKeys_.end();
    journal(L"OnKeyHook", view, L", key " + std::to_wstring(key) + (taken ? L": taken" : L""));
    return taken ? 1 : 0;
}
