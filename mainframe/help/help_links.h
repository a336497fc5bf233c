// The help-link protocol: every navigation of the help and tutorial browsers, every link of the
// start page and the context help pass their address here. An address with "?kvcommand=" runs
// a program action; web links and PDF files go to the shell.
#pragma once

#include "platform/mfc.h"

// True when the address was handled (the caller then does not navigate to it).
bool OnHelpLink(LPCWSTR url);

// Links come from pages anyone may have written: a path a link starts or plays must stay inside
// the tutorials folder: no drive or scheme (":"), no leading separator, no ".." component.
bool StaysInsideTutorials(const CString& argument);
