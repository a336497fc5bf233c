// The second command bars of a main frame: those of the classic auto-menu (with the program's
// other command-bars classes).
#pragma once

#include "commandbars/command_bars.h"
