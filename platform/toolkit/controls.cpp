#include "platform/toolkit/controls.h"

#include "platform/kernel/record.h"

void CXTPControls::CreateOriginalControls() {
    platform::kernel::recordCall(L"CXTPControls::CreateOriginalControls()");
    hasOriginal_ = true;
}
