// How the edit's services put a text into the edit: all of it replaced, as a user's replacement
// is (undoable, the edit marked modified), and the keyboard focus given to the edit.
#pragma once

#include "platform/mfc.h"

class CSyspanelEdit;

void ReplaceWholeEditText(CSyspanelEdit& control, const CString& text);
void FocusEdit(CSyspanelEdit& control);
