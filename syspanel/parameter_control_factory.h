// The parameter controls a main frame makes for its ribbon and tool bars (the twins of the system
// panel's own): one new control per known id, with the arguments the panel gives its own.
#pragma once

#include "platform/toolkit.h"

// A new control for `id` (the caller holds its reference), or null for an id that is not a
// parameter control's.
CXTPControl* CreateParameterControl(int id, CXTPCommandBars* commandBars);
