// The settings-profile file suffix of each edition, so that one edition's profiles are not
// offered to another.
#pragma once

#include "platform/mfc.h"

// The suffix (without the dot) for edition `code`; empty for a code that is no edition.
CString ProfileFileExtensionFor(unsigned code);
