// The program's main-frame state: the UI library's state with the program's own fields, at their
// reset values. Reading and writing the "MainWindow" element (attributes, PDM windows, the
// "codejock" layout node) come with the layout work.
#pragma once

#include <memory>

#include "platform/korvoui.h"

class MainFrameState : public Korvo::UI::MainFrameState {
public:
    MainFrameState() { reset(); }

    void reset() override;

    RECT windowRect{};
    std::shared_ptr<Korvo::UI::XML::Element> commandBarsLayout;  // the "codejock" node
    UINT pdmWindows = 3;
    UINT analysisMode = 1;
    UINT showCommand = SW_SHOWNORMAL;
    bool fullscreen = false;
    bool workbook = true;
    bool maximizeMdi = true;
    bool minimizeRibbonWindowed = false;
    bool minimizeRibbonFullScreen = true;
    bool showClassicAutoMenu = true;
    bool showDockingPaneTabCaptions = true;
};

// The application's default-layout file.
CString GetDefaultLayoutPath();
// The application's default state: loaded from the default-layout file for version 18.0; a
// reset state when that fails.
std::shared_ptr<MainFrameState> LoadDefaultMainFrameState();
