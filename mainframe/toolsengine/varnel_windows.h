// The PDM panes some main frame lists now (the bits of CFrameToolsEngine::GetVarnelWindowBits):
// one set for the whole program.
#pragma once

#include <string>

#include "platform/win32/types.h"

DWORD ListedVarnelPanes();

// The PDM assembly pane's window as "pdm-assembly contents on|off connected on|off", or empty
// while there is no such window.
std::wstring DescribeVarnelAssembly();
