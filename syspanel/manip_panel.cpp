#include "syspanel/manip_panel.h"

IMPLEMENT_DYNCREATE(CManipPanelEdit, CSyspanelEdit)
