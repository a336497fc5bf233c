// The program's docking-pane manager: the toolkit's manager, installed in one main frame.
#pragma once

#include "platform/toolkit.h"

class CKVDockingPaneManager : public CXTPDockingPaneManager {
public:
    CKVDockingPaneManager() = default;
};
