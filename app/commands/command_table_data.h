// The commands the shell contributes to the kernel, as constant rows: the commands it handles
// itself and the kernel commands it names and flags for context menus. Registration with the
// kernel's containers walks these rows; nothing here talks to the kernel.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "platform/win32/types.h"

namespace CommandTables {

// The kind of command object a row is registered with: a document command runs against the
// active document, a system command needs none, a plain row only makes its name and id known.
enum class HandlerKind : std::uint8_t { Plain, Document, System };

// The function a command object calls. The kernel's own new-window command is the one handler
// that is not the shell's.
enum class AppHandler : std::uint8_t {
    None,
    // Document handlers.
    KernelNewWindow,
    OnDocumentClose,
    OnDocumentSaveAs,
    OnDocumentSaveCopy,
    OnDocumentSave,
    OnDocumentCheckLinks,
    OnSelectVarnelMaterial,
    // System handlers.
    TechnicalSupportRequest,
    OnDocumentSaveAll,
    OnQuit,
    OnWindowTileHorizontal,
    OnWindowCascade,
    OnWindowArrange,
    OnWindowTileVertical,
    OnWindowCloseAll,
    OnNewMainWindow,
    OnDocumentOpen,
    OnSettings,
    OnApiReference,
    OnDocumentSetAccess,
    OnLibraryConfigurationNew,
    OnLibraryConfigurationOpen,
    OnWindowOpenLibraryVarnel,
    OnManageApplications,
    OnEditMaterials,
    OnLibraryConfigurationSaveAll,
    OnLibraryConfigurationCloseAll,
    OnFeaHelp,
    OnDynamicsHelp,
    OnLibraryConfigurationEdit,
    OnWindowOpenLibrary,
    OnOpenFolderWindow,
    OnWindowOpenVarnel,
    OnEnableAutoParameterization,
    OnEnableAutoDimensions,
    OnWindowStartPage,
    ApplyProfile1,
    ApplyProfile2,
    ApplyProfile3,
    ApplyProfile4,
    ApplyProfile5,
    ApplyProfile6,
    ApplyProfile7,
    ApplyProfile8,
    ApplyProfile9,
    ApplyProfile10,
    ResetSettings,
    ProfilesPage,
    ReturnTrueStub,
    OnCheckForUpdates,
};

// The command-UI update function of a command object, if it has one.
enum class AppUpdateHandler : std::uint8_t {
    NoUpdate,
    UpdateDocumentSetAccess,
    UpdateSelectVarnelMaterial,
    UpdateLibraryConfigurationCommand,
    UpdateFeaHelp,
    UpdateDynamicsHelp,
    UpdateEnableAutoParameterization,
    UpdateEnableAutoDimensions,
    ProfileGalleryUpdate,
};

// One command whose handler lives in the shell (or a name the shell makes known). A row whose
// edition mask shares no bit with the edition code is left out.
struct AppCommandEntry {
    std::wstring_view name;  // empty, with no data at all, for the unnamed rows
    UINT id = 0;
    HandlerKind kind = HandlerKind::Plain;
    AppHandler handler = AppHandler::None;
    AppUpdateHandler updateHandler = AppUpdateHandler::NoUpdate;
    DWORD editionMask = 0;
    UINT commandNumber = 0;  // handed to the command object or to the plain registration
    DWORD flags = 0;         // kernel command flags, passed through unchanged
};

// A block of ids registered with one set of flags and no names (menu-generated commands, the UI
// theme commands).
struct CommandRange {
    UINT first = 0;
    UINT last = 0;  // inclusive
    DWORD flags = 0;
};

// One kernel command the shell names and flags, with the symbol context-menu definitions use.
struct BuiltInCommandEntry {
    UINT id = 0;
    DWORD editionMask = 0;  // kept for completeness; registration does not test it
    std::wstring_view name;  // empty, with no data at all, for the unnamed rows
    DWORD flags = 0;
    const wchar_t* symbol = nullptr;  // never null
};

// A single plain registration outside the tables.
struct PlainCommand {
    UINT id = 0;
    std::wstring_view name;
    UINT commandNumber = 0;
    DWORD flags = 0;
};

// Rows in registration order.
std::span<const AppCommandEntry> ApplicationCommands();
// Registered after the last application row, in this order.
std::span<const CommandRange> ApplicationCommandRanges();
// Rows in registration order.
std::span<const BuiltInCommandEntry> BuiltInCommands();
// Registered last, after every built-in row and the context-menu container's own registration.
const PlainCommand& StereoModeCommand();

// True for the few built-in ids that go to the command container by id, name and flags; every
// other built-in id is a plain registration with the global container.
bool RegistersWithCommandContainer(UINT builtInId);

// The symbol of the built-in command `id`: null for 0, for anything above 65535 (which includes
// negative ids passed through an unsigned parameter) and for ids no built-in row has.
const wchar_t* SymbolById(UINT id);

}  // namespace CommandTables
