// The UI library (KorvoUI.dll) as the application uses it: one public header; the parts live in
// platform/korvoui/.
#pragma once

#include "platform/kernel.h"
#include "platform/mfc.h"
#include "platform/toolkit.h"

#include "platform/korvoui/xml.h"
#include "platform/korvoui/layout.h"
#include "platform/korvoui/ribbon.h"
#include "platform/korvoui/fixable_bars.h"
#include "platform/korvoui/drawing.h"
#include "platform/korvoui/images.h"
#include "platform/korvoui/caching_image_list.h"
#include "platform/korvoui/menus.h"
#include "platform/korvoui/auto_menu_hints.h"
#include "platform/korvoui/frames.h"
#include "platform/korvoui/panes.h"
#include "platform/korvoui/popup_toolbar.h"
#include "platform/korvoui/docking.h"
#include "platform/korvoui/report.h"
#include "platform/korvoui/controls.h"
#include "platform/korvoui/frame_popups.h"
#include "platform/korvoui/splitter.h"
#include "platform/korvoui/selection_buttons.h"
#include "platform/korvoui/file_selection_dialog.h"
#include "platform/korvoui/kvpf.h"
#include "platform/korvoui/shutdown.h"
