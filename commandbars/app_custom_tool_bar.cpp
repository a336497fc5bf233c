#include "commandbars/app_custom_tool_bar.h"

using FixableToolBar = Korvo::UI::FixableToolBar;
IMPLEMENT_DYNCREATE(CKVAppCustomToolBar, FixableToolBar)
