// Dialog templates: the product's dialogs by resource id, read from "dialogs.xml" in the program
// folder at the first lookup. A template names its caption and size and its controls in tab
// order:
//
//   <Dialogs>
//     <Dialog id="1598" caption="Spin buttons" size="220,110">
//       <Radio id="1490" text="By one" rect="10,10,200,14" group="true"/>
//       <Edit id="102" rect="120,28,60,14"/>
//       <Button id="1" text="OK" rect="50,80,60,20" default="true"/>
//     </Dialog>
//   </Dialogs>
//
// Control elements: Button, Radio, CheckBox, Edit, Static, ListBox, ListView (a report list
// with columns, one row selected at a time), ComboBox (an edit field with a drop-down list),
// Tree (a tree view with tick boxes and label editing); attributes id (Static may
// leave it out: -1), text, rect "left,top,width,height", and the flags group, disabled, hidden,
// default (Button only), ownerdraw (ListBox only: its parent draws the items) as "true" or
// "false"; a ComboBox's list as items "first|second|...". A Dialog marked popup="true" is a caption-less pop-up with a sizing frame, as
// choosers that drop from a control are. A dialog with any bad line is left out as a whole, and
// asking for it gives the reason, so a broken template is never shown half-built.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/win32/types.h"

namespace platform::mfc {

struct DialogControlTemplate {
    int id = -1;
    std::wstring className;  // "BUTTON", "EDIT", "STATIC" or "LISTBOX"
    DWORD style = 0;         // WS_CHILD | WS_VISIBLE | kind | flags
    std::wstring text;
    RECT rect{};
    std::vector<std::wstring> items;  // a ComboBox's list, in order
};

struct DialogTemplate {
    UINT id = 0;
    std::wstring caption;
    SIZE size{};
    bool popup = false;  // a caption-less pop-up with a sizing frame
    std::vector<DialogControlTemplate> controls;  // in tab order
};

struct DialogTemplates {
    std::map<UINT, DialogTemplate> dialogs;
    // Why a dialog was left out ("<origin>(<line>): <problem>"), by dialog id; 0 gathers what
    // belongs to no dialog (malformed XML, stray elements).
    std::map<UINT, std::wstring> problems;
};

// A dialog that offers a list to choose from (id `listId`), with a default button (IDOK) and a
// cancel button under it: the program's built-in choosers share this look.
DialogTemplate listChoiceTemplate(std::wstring caption, int listId, std::wstring okText, std::wstring cancelText);

// Parses dialogs.xml text; `origin` names it in the problems.
DialogTemplates parseDialogTemplates(std::string_view utf8, std::wstring_view origin);

// The template with the id, or why there is none (missing from the file, or left out for a
// problem the text names with file and line).
std::variant<DialogTemplate, std::wstring> findDialogTemplate(UINT id);
// Reads the file again at the next lookup (tests that rewrite it).
void reloadDialogTemplates();

}  // namespace platform::mfc
