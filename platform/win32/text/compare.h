// The user locale's string comparison.
#pragma once

#include "platform/win32/types.h"

// Case-sensitive, in the user's locale order: letters compare by their letter first (so "b"
// sorts before "C"), and only texts equal but for case put a lower-case letter first. Null
// sorts as empty. Negative, zero or positive.
int lstrcmpW(LPCWSTR first, LPCWSTR second);
