// The main frame as an item of the settings profiles: the frame tools engine's state plus the
// frame's own ("UIStyle" and the theme applied before loading).
#pragma once

#include "mainframe/toolsengine/frame_tools_engine.h"

class CMainFrameProfileItem : public CFrameToolsEngine {
public:
    CMainFrameProfileItem() = default;

    // Loads the engine's state with this frame taken as the active main frame meanwhile.
    int LoadState() override;
    int SaveState() override;
    void GetRegistryKeys(std::vector<CString>& keys) const override;
};
