// The kernel library (KorvoKernel.dll) as the application uses it: one public header; the parts
// live in platform/kernel/.
#pragma once

#include "platform/mfc.h"
#include "platform/compression.h"
#include "platform/diagnostics.h"
#include "platform/textcore.h"
#include "platform/toolkit.h"

#include "platform/kernel/commands.h"
#include "platform/kernel/command_prompts.h"
#include "platform/kernel/control_ids.h"
#include "platform/kernel/session.h"
#include "platform/kernel/strings.h"
#include "platform/kernel/events.h"
#include "platform/kernel/settings.h"
#include "platform/kernel/uimodule.h"
#include "platform/kernel/document_file.h"
#include "platform/kernel/documents.h"
#include "platform/kernel/applications.h"
#include "platform/kernel/modules.h"
#include "platform/kernel/panes.h"
#include "platform/kernel/shellintegration.h"
#include "platform/kernel/serverapp.h"
#include "platform/kernel/statusline.h"
#include "platform/kernel/frame_services.h"
#include "platform/kernel/documents_menu.h"
#include "platform/kernel/folder_chooser.h"
