// The technical-requirements pane as text, for the console: mode, view filter and its items, the
// controls' states, the list's columns and one line per row with its cells.
#pragma once

#include <string>

class TechRequirementsWindow;

// "(no pane)" without a host window; "(no editor)" while the host has made no editor.
std::wstring TechRequirementsOutline(const TechRequirementsWindow* host);
