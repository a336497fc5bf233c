// The UI toolkit as the application uses it: one public header; the parts live in
// platform/toolkit/.
#pragma once

#include "platform/mfc.h"

#include "platform/toolkit/paintmanager.h"
#include "platform/toolkit/frames.h"
#include "platform/toolkit/dpi.h"
#include "platform/toolkit/controls.h"
#include "platform/toolkit/edit_ctrl.h"
#include "platform/toolkit/images.h"
#include "platform/toolkit/messages.h"
#include "platform/toolkit/commandbar.h"
#include "platform/toolkit/commandbars.h"
#include "platform/toolkit/ribbon.h"
#include "platform/toolkit/menu_resources.h"
#include "platform/toolkit/tooltip_window.h"
#include "platform/toolkit/propexchange.h"
#include "platform/toolkit/button.h"
#include "platform/toolkit/recent_files.h"
#include "platform/toolkit/statusbar.h"
#include "platform/toolkit/dockingpanes.h"
#include "platform/toolkit/tabclient.h"
#include "platform/toolkit/report.h"
