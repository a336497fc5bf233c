// The program's main-frame state: the UI library's state (bars, ribbon, the toolkit's layout
// node) with the attributes of the frame's "MainWindow" element.
#pragma once

#include <memory>

#include "platform/korvoui.h"

class MainFrameState : public Korvo::UI::MainFrameState {
public:
    MainFrameState() { reset(); }
    ~MainFrameState() override = default;

    void reset() override;
    // The library's merge first (nothing more for the state itself); then the menu bar and the
    // ribbon take the other's definitions (a shared one is copied before it changes; one this
    // state lacks is shared), and the tool-bar list becomes the other's.
    void merge(const Korvo::UI::MainFrameState& other) override;

    RECT windowRect{};
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

protected:
    // "state.xml" is the user's to edit: a value that does not parse keeps the current one.
    void loadAttributes(const Korvo::UI::XML::Element& element) override;
    void loadElement(const Korvo::UI::XML::Element& child) override;

private:
    void readAttribute(const std::wstring& name, const std::wstring& value);
};

// The state of one "MainWindow" element written with layout `version`, merged with `defaults`
// when given; empty when the element is for another product or cannot be loaded.
std::shared_ptr<MainFrameState> LoadMainFrameState(const Korvo::UI::XML::Element& element,
                                                   Korvo::VersionNumber version,
                                                   const Korvo::UI::MainFrameState* defaults);
// Ribbon layouts older than 16.0 name their groups by ids the library has since replaced: such a
// group's id becomes -1 and the replacement is kept as its second identifier.
void RemapOldRibbonGroupIds(Korvo::UI::XML::RibbonBar& ribbon, Korvo::VersionNumber stateVersion);

// The application's default-layout file.
CString GetDefaultLayoutPath();
// The application's default state: loaded from the default-layout file for version 18.0; a
// reset state when that fails.
std::shared_ptr<MainFrameState> LoadDefaultMainFrameState();
