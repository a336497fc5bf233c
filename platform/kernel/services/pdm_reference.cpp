#include "platform/kernel/services/pdm_reference.h"

#include <string>

#include "platform/kernel/record.h"
#include "platform/kernel/services/pdm.h"
#include "platform/kernel/services/pdm_control.h"
#include "platform/mfc/ole.h"
#include "platform/win32.h"
#include "platform/win32/icons.h"

namespace {

using platform::kernel::recordCall;

void failWhenAsked(const wchar_t* call) {
    if (platform::kernel::pdmControl().failingCalls.contains(call))
        throw new KVPDMExceptionProxy(CString(L"The PDM system did not answer: ") + call);
}

std::wstring keyText(const GUID& key) { return platform::mfc::formatGuid(key); }

}  // namespace

KVPDMObjectRef KVPDMObjectRef::Find(const GUID& key) {
    recordCall(L"KVPDMWorkMix::FindObject(" + keyText(key) + L")");
    failWhenAsked(L"FindObject");
    if (key == GUID{} || !KVPDMWorkMix::IsActive())
        throw new KVPDMExceptionProxy(CString(L"No PDM object ") + keyText(key).c_str());
    return KVPDMObjectRef(key);
}

KVPDMReferenceControl* KVPDMObjectRef::CreateReferenceControl(HWND parent) const {
    recordCall(L"KVPDMObject::CreateReferenceControl(" + keyText(key_) + L")");
    failWhenAsked(L"CreateReferenceControl");
    const std::wstring text = L"PDM object " + keyText(key_);
    const HWND window = ::CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr,
                                          nullptr, nullptr);
    return new KVPDMReferenceControl(key_, window);
}

KVPDMReferenceControl::KVPDMReferenceControl(const GUID& key, HWND window) : key_(key), window_(window) {
    ++platform::kernel::pdmControl().referenceControlsAlive;
}

KVPDMReferenceControl::~KVPDMReferenceControl() { --platform::kernel::pdmControl().referenceControlsAlive; }

CString KVPDMReferenceControl::GetCaption() const {
    failWhenAsked(L"GetReferenceCaption");
    return CString(L"PDM object ") + keyText(key_).c_str();
}

HICON KVPDMReferenceControl::GetIcon() const { return platform::win32::createIcon(16, 16); }

void KVPDMReferenceControl::Close() {
    recordCall(L"KVPDMReferenceControl::Close(" + keyText(key_) + L")");
    failWhenAsked(L"CloseReferenceControl");
    if (!platform::kernel::pdmControl().referenceControlsLeaveWindows && window_ && ::IsWindow(window_))
        ::DestroyWindow(window_);
    window_ = nullptr;
}

void KVPDMReferenceControl::Release() {
    if (--references_ == 0) delete this;
}
