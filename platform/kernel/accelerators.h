// The accelerator tables of the application's resources: "accelerators.tsv" of the program
// folder, read at the first lookup, handed to the toolkit's shortcut managers.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/toolkit.h"

namespace platform::kernel {

// Parses accelerator-table text: "<table id>\t<keys>\t<command id>" a line, keys written as
// "Ctrl+", "Alt+" and "Shift+" (any of them, in any order) before a key name (A to Z, 0 to 9,
// F1 to F24, Enter, Esc, Tab, Space, Backspace, Delete, Insert, Home, End, PageUp, PageDown,
// Left, Right, Up, Down); empty lines and lines starting with '#' ignored. Bad lines are skipped
// with a warning naming `origin` and the line; keys given twice in one table keep their first
// command.
std::map<UINT, std::vector<ACCEL>> parseAcceleratorTables(std::string_view utf8, std::wstring_view origin,
                                                          std::vector<std::wstring>* warnings);

// Table `id` of the program folder's file; nothing when it has no such table.
std::optional<std::vector<ACCEL>> findAccelerators(UINT id);

// Installs the file's tables as the toolkit's accelerator loader (done with the string loader).
void installAcceleratorLoader();

}  // namespace platform::kernel
