// The edition this program is: the code that edition masks of commands and tool bars are tested
// against.
#pragma once

#include "platform/kernel.h"

inline DWORD GetProductEdition() { return KV_EDITION_CODE; }
