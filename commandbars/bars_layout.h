// The command bars' part of a main window's saved layout: every bar's place and visibility, the
// controls of bars the user changed or made (the tabbed bar with its command sets among them).
// The add-on applications' bars are not taken from a stored layout: they go before it applies
// (their applications make them again), and afterwards an active one takes the visibility saved
// for it while an inactive one is hidden.
#pragma once

#include "platform/korvoui.h"

void ExchangeBarsLayout(CXTPCommandBars* bars, CXTPPropExchange& section, bool loading);
