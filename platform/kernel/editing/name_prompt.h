// The kernel's name prompt: a small modal box that asks for one line of text under a title. The
// user agent answers it as a kernel dialog of kind "prompt".
#pragma once

#include "platform/mfc.h"

// True with the text typed (as typed, blanks kept) after OK; false after Cancel.
bool KVPromptName(UINT titleId, CString& name);
