#include "platform/kernel/services/doc_access_module.h"

#include "platform/kernel/record.h"
#include "platform/win32/process/module.h"
#include "platform/win32/window/window.h"

namespace platform::kernel {

namespace {

int ShowDocAccessWizard(HWND parent) {
    recordCall(L"ShowDocAccessWizard(" + handleText(parent) + L")");
    return IDOK;
}

}  // namespace

void installDocAccessModule() {
    platform::modules::registerExportSet(
        "docaccess", {{"ShowDocAccessWizard", reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&ShowDocAccessWizard))}});
}

}  // namespace platform::kernel
