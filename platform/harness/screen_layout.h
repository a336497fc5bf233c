// What a main frame shows, as a tree of places: its visible windows with the parts the toolkit
// draws inside them (ribbon tabs, groups and controls, tool-bar controls, pane captions and tabs,
// document tabs, status-line panes). `dump layout` prints it, `snapshot` draws it.
#pragma once

#include <string>
#include <vector>

#include "platform/win32/types.h"

class CXTPControl;
class CXTPToolBar;

namespace platform::harness {

struct Place {
    enum class Kind {
        Window,       // a visible window; `text` its caption, `className` its class
        RibbonTab,    // `text` its caption, `selected` for the current tab
        RibbonGroup,  // `text` its caption
        Control,      // a command-bar control: `id`, `controlKind`, `text` its caption
        PaneCaption,  // a docking pane's caption row: `text` its title
        PaneTab,      // a tab of a docking-pane group: `text` its caption
        DocumentTab,  // a document tab of the MDI client: `text`, `selected`
        StatusPane,   // a status-line pane: `id`, `text`
    };
    Kind kind = Kind::Window;
    HWND window = nullptr;
    std::wstring className;
    std::wstring text;
    std::wstring controlKind;
    long long id = 0;
    bool selected = false;
    bool enabled = true;
    RECT rect{};  // in the frame window's coordinates: (0,0) is the frame's top-left corner
    RECT client{};  // a window's client area, in the same coordinates
    std::vector<Place> children;
};

// The frame and everything visible in it; children in the window tree's z-order (top first),
// a window's own parts before its child windows. A window wholly covered by a sibling above it
// is left out, as the screen does not show it.
Place frameLayout(HWND frame);

// One line a place, children indented by two blanks.
std::wstring layoutText(const Place& frame);

// "(l,t)-(r,b)".
std::wstring placeRectText(const RECT& rect);

// A caption as the user reads it (mnemonic marks "&" left out).
std::wstring readableCaption(const wchar_t* caption);

// A bar as `dump bars` prints it: "bar ID \"TITLE\" KIND visible|hidden", then its controls.
std::wstring barDump(const CXTPToolBar& bar);

}  // namespace platform::harness
