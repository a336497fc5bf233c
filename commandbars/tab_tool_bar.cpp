#include "commandbars/tab_tool_bar.h"

using Korvo::UI::TabbableToolBar;

IMPLEMENT_DYNCREATE(CKVTabToolBar, TabbableToolBar)
