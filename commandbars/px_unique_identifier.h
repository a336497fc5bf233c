// Identifiers in saved layouts: the tab tool bar's default state, the documents menu's expanded
// and hidden objects and the panes that remember which object they show keep them as text.
#pragma once

#include "platform/textcore.h"
#include "platform/toolkit.h"

// Loading: reads the text under `key`; true, with `value` set, only when it parses as an
// identifier; a missing or unparsable text leaves `value` as it was. Storing: writes the
// identifier's 36-character form and returns true.
bool PX_UniqueIdentifier(CXTPPropExchange* px, const wchar_t* key, Korvo::UniqueIdentifier& value);
