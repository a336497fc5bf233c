// Control surface of the kernel stand-in for the harness and tests (never for shell code): the
// document state the kernel's own work would set, and the answers of the UI module, the 3D part
// and the macro manager around frames, themes and document activation.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/core/text.h"

#include "platform/kernel/documents/documents.h"

namespace platform::kernel {

// Sets what the kernel keeps about a document.
struct DocumentAccess {
    static void setEditInPlace(CKvw32Doc& document, CKvw32Doc* assembly, CKvw32Doc* fragment);
    static void clearEditInPlace(CKvw32Doc& document);
    static void setAssemblyDocument(CKvw32Doc& document, CKvw32Doc* assembly);
    static void setErrorContainer(CKvw32Doc& document, bool present);
    // A 3D container reporting `mode`, or none.
    static void set3DContainer(CKvw32Doc& document, std::optional<int> mode);
    static void setInCommand(CKvw32Doc& document, bool inCommand);
    static void setRepaintFlag(CKvw32Doc& document, bool on);
    static void setStoredSelection(CKvw32Doc& document, int count);
};

struct UiControl {
    // Whether the 3D part asks for the system-panel defaults when a document becomes current.
    bool syspanelDefaultsWanted = true;
    // Whether the kernel has a macro manager.
    bool macroManagerPresent = false;
    // Whether its running macro refuses to stop when the program wants to close.
    bool macroManagerRefusesStop = false;
    // The macros the manager has installed, by name.
    std::vector<std::wstring> macros;
    // Whether the 3D part and the edit module make their pane windows (model tree, tasks, NC,
    // generation queue; weld tree) when the application asks.
    bool paneWindowsOffered = true;
    // Whether the 3D part is in its 3D state, and whether an operation of its own runs there.
    bool in3DState = false;
    bool operation3DActive = false;
    // Whether a running command asks for the keyboard's keys itself (KVCmdMsg::SuppressAccelerators).
    bool runningCommandTakesKeys = false;
    // The commands the kernel's editing module takes before the main frame does.
    std::set<UINT> editingModuleCommands;
    // The commands each add-on application (by name) takes in its window-message hook.
    std::map<std::wstring, std::set<UINT>, platform::core::NoCaseLess> addOnCommands;
};

UiControl& uiControl();

// Opens a property-form child of the UI module (as a kernel command would).
void openPropertyFormChild(unsigned id);

}  // namespace platform::kernel
