#include "mainframe/main_frame_state.h"

#include "platform/win32.h"

void MainFrameState::reset() {
    Korvo::UI::MainFrameState::reset();
    windowRect = RECT{};
    commandBarsLayout.reset();
    pdmWindows = 3;
    analysisMode = 1;
    showCommand = SW_SHOWNORMAL;
    fullscreen = false;
    workbook = true;
    maximizeMdi = true;
    minimizeRibbonWindowed = false;
    minimizeRibbonFullScreen = true;
    showClassicAutoMenu = true;
    showDockingPaneTabCaptions = true;
}

CString GetDefaultLayoutPath() {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    CString folder(module);
    const int slash = folder.ReverseFind(L'\\');
    if (slash >= 0) folder = folder.Left(slash);
    return folder + L"\\DefaultLayout.xml";
}

std::shared_ptr<MainFrameState> LoadDefaultMainFrameState() {
    auto state = std::make_shared<MainFrameState>();
    if (!state->loadDefault(GetDefaultLayoutPath(), Korvo::VersionNumber(18, 0, 0, 0))) state->reset();
    return state;
}
