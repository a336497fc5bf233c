// The PDM panes some main frame lists now (the bits of CFrameToolsEngine::GetVarnelWindowBits):
// one set for the whole program.
#pragma once

#include "platform/win32/types.h"

DWORD ListedVarnelPanes();
