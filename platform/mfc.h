// The application framework (Unicode), as the shell uses it: one public header; the parts live
// in platform/mfc/.
#pragma once

#include "platform/win32.h"
#include "platform/mfc/format.h"
#include "platform/mfc/cstring.h"
#include "platform/mfc/object.h"
#include "platform/mfc/gdi.h"
#include "platform/mfc/cmdtarget.h"
#include "platform/mfc/wnd.h"
#include "platform/mfc/menu.h"
#include "platform/mfc/frame.h"
#include "platform/mfc/splitter.h"
#include "platform/mfc/thread.h"
#include "platform/mfc/app/app.h"
#include "platform/mfc/doc.h"
#include "platform/mfc/dialogs/filedialog.h"
#include "platform/mfc/dialogs/dialog.h"
#include "platform/mfc/ole.h"
#include "platform/mfc/progress.h"
#include "platform/mfc/taskbar.h"
#include "platform/mfc/toolbar.h"
#include "platform/mfc/htmlview.h"
