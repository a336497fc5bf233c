// Windows, as the shell uses it: one public header; the parts live in platform/win32/.
#pragma once

#include "platform/win32/types.h"
#include "platform/win32/window.h"
#include "platform/win32/gdi.h"
#include "platform/win32/scrollbars.h"
#include "platform/win32/menus.h"
#include "platform/win32/shell.h"
#include "platform/win32/mdi.h"
#include "platform/win32/dragdrop.h"
#include "platform/win32/thread.h"
#include "platform/win32/system.h"
#include "platform/win32/registry.h"
#include "platform/win32/file.h"
#include "platform/win32/module.h"
#include "platform/win32/colors.h"
#include "platform/win32/process_start.h"
#include "platform/win32/html_help.h"
