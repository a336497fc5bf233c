// The add-on applications' bars are not taken from a stored layout: they go before it applies
// (their applications make them again), and afterwards an active one takes the visibility saved
// for it while an inactive one is hidden.
#pragma once

#include "platform/korvoui.h"

void ApplyAddOnBarsVisibility(CXTPCommandBars* bars);
