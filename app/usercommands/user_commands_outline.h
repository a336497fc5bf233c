// The application's user commands as the console sees and feeds them.
#pragma once

#include <string>

// Each command in the collection's order: id, type, prompt, tooltip, icon and the kind's own
// fields on one line, then a line per main frame with the widths of the icon its bars hold.
std::wstring UserCommandsOutline();
// Reads the command file at the Windows path `path` in place of the collection, as the user tools
// page's import does: the answer to print, `ok` false when the file could not be read or is no
// command file (the collection is left as it was).
std::wstring ImportUserCommandsFile(const std::wstring& path, bool& ok);
