// The program's own controls for layout elements, and the attributes of layout elements that the
// UI library leaves to the program.
#pragma once

#include <functional>

#include "platform/korvoui.h"

// The button of the find-command pane's command (799): it brings the pane, floating, right under
// itself before the command shows it.
class FindCommandButton : public CXTPControlButton {
    DECLARE_DYNCREATE(FindCommandButton)
public:
    void OnExecute() override;

private:
    void PlacePane();
};

// The control for command `id` written as element `tag` ("Button", "Gallery", ...), or null when
// the program has none: the file controls 1026, 1072 and 1314 (a file button for "Button", a
// library gallery for "Gallery"). Controls of other subsystems are made by those subsystems.
CXTPControl* CreateFrameControl(UINT id, const CString& tag);
// The frame's controls owned by other parts of the program, for command `id` written as element
// `tag` on a bar of `bars` (null: none yet): the ray-tracing camera and quality popups (2041,
// 2042) and the UI-theme popup (2851, of the pop-up type the tag names); null for other ids.
CXTPControl* CreateFramePopupControl(UINT id, const CString& tag, CXTPCommandBars* bars);
// The tool bars' control creator: none for application commands (17000 to 32000), which the
// application places itself; otherwise `factory`'s control (the frame's CreateFrameControl when
// none is given) or, for a "Button" element, a plain button, with the id set. Other elements
// without a control of the program's are left to the UI library, which makes one of the
// element's own type: a pop-up made a button would lose its items.
CXTPControl* CreateToolBarControl(UINT id, const CString& tag,
                                  const std::function<CXTPControl*(UINT id, const CString& tag)>& factory = {});

// A decimal integer, or -1 when the text is not one (or does not fit an int).
int ParseControlWidth(const CString& text);
// Whether `value` is a URL: a scheme of letters, digits, '+', '-' or '.' starting with a letter,
// then "://".
bool IsUrl(const CString& value);
// The tool-bar attribute callback: file and library attributes, "url", and "anchor" ("help",
// exactly, sets the help anchor; any other value, or an empty attribute name, clears it).
void ApplyToolBarControlAttribute(CXTPControl* control, const CString& name, const CString& value);
// The attributes the tool-bar callback reads, written back when a bar is saved: the help anchor.
void WriteToolBarControlAttributes(const CXTPControl& control, Korvo::UI::XML::Element& element);
// The attributes a control carries into the state file: "fileName" of a file button, "library"
// and "width" (1 or more) of a library gallery (the file controls 1026, 1072, 1314), "url" of
// another button or pop-up with a parameter, then "viewTypes" unless it shows in every view.
void WriteLayoutControlAttributes(const CXTPControl& control, Korvo::UI::XML::Element& element);

// The name a control is saved under in a layout: "ribbonTabsPopup" for the ribbon-tabs popup;
// empty for any other control. (Backstage tabs carry their layout name themselves.)
std::wstring FrameControlName(const CXTPControl& control);

// The texts of a control the toolkit is about to show (its id in the control): hints blocked leave
// it without description and tooltip, under manual update; otherwise the program's captions,
// sizes and prompts for its own ids, and descriptions and tooltips without mnemonic marks.
// `toolBarTitle` is the title of the tool bar a tool-bar toggle (700 to 749) names. The cached
// views (7900) and the images (9000) of `view` become icons of `images` from the control's id up.
void UpdateControlText(CXTPControl& control, bool hintsBlocked, const CString& toolBarTitle = CString(),
                       const CKVView* view = nullptr, CXTPImageManager* images = nullptr);

// The backstage-tab factory: the new-document (1072), export (1036) and export-to-PDM (1551)
// pages by id, the print page ("printDialog") and the recent files ("recentFileList", id 0,
// manual update, the view's default item) by name; each tab shows the ribbon's page of its slot
// (made by the ribbon on request). False, and no tab, for anything else.
bool CreateBackstageTab(CXTPRibbonBackstageView& view, int id, const CString& name, const CString& caption,
                        CXTPRibbonBar& ribbon);
