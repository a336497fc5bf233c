// The UI toolkit as the application uses it: one public header; the parts live in
// platform/toolkit/.
#pragma once

#include "platform/mfc.h"

#include "platform/toolkit/paintmanager.h"
#include "platform/toolkit/frames.h"
#include "platform/toolkit/dpi.h"
#include "platform/toolkit/commandbars/controls.h"
#include "platform/toolkit/commandbars/edit_ctrl.h"
#include "platform/toolkit/edit.h"
#include "platform/toolkit/commandbars/gallery.h"
#include "platform/toolkit/commandbars/images.h"
#include "platform/toolkit/messages.h"
#include "platform/toolkit/commandbars/commandbar.h"
#include "platform/toolkit/commandbars/commandbars.h"
#include "platform/toolkit/commandbars/ribbon.h"
#include "platform/toolkit/commandbars/menu_resources.h"
#include "platform/toolkit/commandbars/mouse_manager.h"
#include "platform/toolkit/commandbars/tooltip_window.h"
#include "platform/toolkit/propexchange.h"
#include "platform/toolkit/commandbars/button.h"
#include "platform/toolkit/commandbars/recent_files.h"
#include "platform/toolkit/panes/statusbar.h"
#include "platform/toolkit/panes/dockingpanes.h"
#include "platform/toolkit/panes/tabclient.h"
#include "platform/toolkit/panes/report.h"
#include "platform/toolkit/controls/coretree.h"
