// The document-protection module (KVDocAccess.dll): its one export, the protection wizard,
// "ShowDocAccessWizard(HWND parent)". The module file is a manifest naming the export set
// "docaccess"; the wizard has no window to show: it is recorded and answers IDOK.
#pragma once

namespace platform::kernel {
// Makes the module's export set known (the harness does so before the program starts).
void installDocAccessModule();
}  // namespace platform::kernel
