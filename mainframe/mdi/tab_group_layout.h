// Where the document tab groups go: the groups share the client along one direction in
// proportion to their size ratios, with a splitter bar between neighbours.
#pragma once

#include <vector>

#include "platform/win32.h"

struct TabGroupPlacement {
    std::vector<RECT> groups;
    std::vector<RECT> splitters;  // one fewer than the groups
};

// `stacked`: the groups lie one above the other (they share the height), else side by side.
// A ratio sum that truncates to 0 counts as 1.0, so tiny ratios leave the rest of the client
// empty instead of dividing by zero.
TabGroupPlacement PlaceTabGroups(const RECT& rect, bool stacked, const std::vector<double>& ratios, int splitterWidth);

// The per-tab buttons inside `tab` (less its margins): from the last to the first, right-aligned
// 3 pixels inside the tab on horizontal tabs, upwards from 3 pixels above its bottom on vertical
// tabs, centred across. `sizes` in button order; the result in the same order.
std::vector<RECT> PlaceTabButtons(const RECT& tab, const RECT& margins, bool horizontal, const std::vector<SIZE>& sizes);
