// The add-on applications' bars are not taken from a stored layout: they go before it applies
// (their applications make them again), and afterwards an active one takes the visibility saved
// for it while an inactive one is hidden. Each docks where its own saved layout put it, or at
// the top when that gave no place.
#pragma once

#include "platform/korvoui.h"

void ApplyAddOnBarsLayout(CXTPCommandBars* bars);
