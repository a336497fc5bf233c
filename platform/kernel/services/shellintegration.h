// The kernel's integration with the Windows shell: file-type registration and the DDE command
// the shell handed over when it started the program.
#pragma once

#include "platform/mfc.h"

// Registers the document type of string resource `resourceId` ("\nName\nNew\nFilter\n.ext\n
// ProgId\nType name") under HKEY_CLASSES_ROOT: the extension, the type with its icon and, when
// asked, the open command (with DDE when `withDde`).
void KVRegisterShellFileTypes(UINT resourceId, bool withOpenCommand, bool withDde);

class ShellDDERespondWindow {
public:
    // The DDE command text the shell sent before the program was ready; empty when none.
    static CString GetShellCommand();
};
