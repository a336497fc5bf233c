// The configurations tree as text, every row expanded: what the console's dump prints.
#pragma once

#include <string>

namespace DocumentsMenu {

// One row a line: indentation by depth, "- " before an expanded row, the name and, when the row
// has one, its path. A tree of its own, so no expansion is left behind.
std::wstring ConfigurationsTreeOutline();

}  // namespace DocumentsMenu
