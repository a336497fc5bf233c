#include "commandbars/auto_menu_command_bars.h"

IMPLEMENT_DYNCREATE(CKVAutoMenuCommandBars, CXTPCommandBars)
