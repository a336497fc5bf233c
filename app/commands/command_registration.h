// Registration of the shell's command tables with the kernel's command containers, and the
// symbols context-menu definitions name the kernel's commands by.
#pragma once

#include "platform/win32/types.h"

// The commands whose handlers live in the shell, for the edition code given (a row whose mask
// shares no bit with it is left out), then the id blocks of menu-generated and theme commands.
void RegisterApplicationCommands(DWORD editionCode);
// The kernel's own commands that the shell names and flags, their context-menu symbols, and
// finally "StereoMode".
void RegisterBuiltInCommands();

// The context-menu symbol ("CM_...") of a built-in command: null for ids outside 1 to 65535,
// for ids no built-in row has, and for every id until the built-in commands are registered.
const wchar_t* GetCommandSymbolById(int id);
