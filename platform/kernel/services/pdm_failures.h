// The PDM client stand-in's failures a test asked for: a call made to fail throws the PDM system's
// exception, as the real client does when the system does not answer.
#pragma once

#include "platform/kernel/services/pdm.h"
#include "platform/kernel/services/pdm_control.h"

namespace platform::kernel {

inline void throwIfPdmCallFails(const wchar_t* call) {
    if (!pdmControl().failingCalls.contains(call)) return;
    throw new KVPDMExceptionProxy(CString(L"The PDM system did not answer: ") + call);
}

}  // namespace platform::kernel
