// The edit's commands that the kernel answers: inserting a document variable (F8), a text module
// (Ctrl+F8) and reading an angle notation (F11). Each runs only when the edit enables it, in the
// edit's window.
#pragma once

class CSyspanelEdit;
class CSyspanelEditCtrl;

// The insert-variable dialog: a chosen variable's name replaces the whole text and the edit takes
// the focus.
void RunInsertVariable(CSyspanelEditCtrl& window, CSyspanelEdit& control);
// With an active document, the text modules for the current text: the chosen module's text
// replaces the whole text.
void RunTextModule(CSyspanelEditCtrl& window, CSyspanelEdit& control);
// An angle in degrees, minutes and seconds becomes decimal degrees; the edit is marked modified.
void RunAngleInfo(CSyspanelEditCtrl& window, CSyspanelEdit& control);
