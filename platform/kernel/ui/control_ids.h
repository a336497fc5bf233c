// The kernel's list of the controls a command wants on the system panel.
#pragma once

#include <vector>

// One control: its command id (0 starts a group), its icon resource and the number of its
// tooltip string (0: none).
struct KVControlID {
    int id = 0;
    int icon = 0;
    int tooltip = 0;
};
using stlControlsIDs = std::vector<KVControlID>;
