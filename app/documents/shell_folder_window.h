// The shell's folder window lives with the document tabs that open it; this name stays for the
// callers that still include it from here.
#pragma once

#include "mainframe/mdi/shell_folder_window.h"
