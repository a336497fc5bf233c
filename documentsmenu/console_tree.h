// The configurations tree the console's user acts on: made on first use and kept, with its own
// view state, until closed, so what the user expanded stays expanded. Rows are named by their
// captions from the top row down, joined by "/" ("Standard/Bolts/hex bolt.grb").
#pragma once

#include <string>

namespace DocumentsMenu::ConsoleTree {

// One row a line as the user sees the tree: indentation by depth, "- " before an expanded row,
// "+ " before a collapsed one with an expand button, the name and, when the row has one, its path.
std::wstring Outline();
// Each returns what the user could not do (no such row, no expand button ...); empty when done.
// A click on the row's expand button.
std::wstring Expand(const std::wstring& row);
// The row is focused and Enter pressed.
std::wstring Enter(const std::wstring& row);
// The row's name is edited in place: `name` typed, then Enter.
std::wstring Rename(const std::wstring& row, const std::wstring& name);
// Lets the rows go (before the model they follow does).
void Close();

}  // namespace DocumentsMenu::ConsoleTree
