# The command search end to end: a filter lists the matching commands sorted by caption without
# their "&", by a word of the description, by the sample's synonyms (both files) and by the id;
# switching synonyms off changes the list at once; "find in tool bars" selects the ribbon tab
# that holds a control inside a pop-up and opens the chain; classic mode finds it in the menus;
# each row draws its command's icon, and the focused row its focus rectangle.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

string(CONCAT script
  "start\nidle\nsearch 1 \"tile\"\nsearch 1 \"side\"\nsearch 1 \"store\"\nsearch 1 \"ЗАГРУЗИТЬ\"\n"
  "search 1 \"1062\"\nsearch 1 \"nothing of that sort\"\n"
  "search 1 \"window\"\nexpect menu choose 9338\nrow 1/1028 0 rclick\n"
  "expect menu choose 9338\nrow 1/1028 0 rclick\nquit\n")
korvo_run(filters EXIT 0 OUTPUT out INPUT "${script}")
korvo_expect("${out}" "search 1 \"tile\"\nfilter \"tile\" synonyms on rows 2\n  0 1062 \"Tile horizontally\" \"Arranges the document windows side by side\"\n  1 1092 \"Tile vertically\" "
             "captions sorted")
korvo_expect("${out}" "search 1 \"side\"\nfilter \"side\" synonyms on rows 1\n  0 1062 " "a word of the description, or of the synonyms")
korvo_expect("${out}" "search 1 \"store\"\nfilter \"store\" synonyms on rows 1\n  0 1029 \"Save\"" "a synonym of CommandTags.txt")
korvo_expect("${out}" "search 1 \"ЗАГРУЗИТЬ\"\nfilter \"ЗАГРУЗИТЬ\" synonyms on rows 1\n  0 1001 \"Open\"" "a synonym of the language's file, case folded")
korvo_expect("${out}" "search 1 \"1062\"\nfilter \"1062\" synonyms on rows 1\n  0 1062 " "the id")
korvo_expect("${out}" "filter \"nothing of that sort\" synonyms on rows 0\n" "nothing found")
korvo_expect("${out}" "menu   9338 \"[^\"]*\" checked\nmenu answer choose 9338 \\(expected\\)\n"
             "the switch is checked while synonyms are on")
korvo_expect("${out}" "menu   9338 \"[^\"]*\"\nmenu answer choose 9338 \\(expected\\)\n" "and unchecked once off")

korvo_run(switch EXIT 0 OUTPUT out INPUT
  "start\nidle\nsearch 1 \"arrange side\"\nexpect menu choose 9338\nrow 1/1028 0 rclick\nsearch 1 \"arrange side\"\nquit\n")
korvo_expect("${out}" "search 1 \"arrange side\"\nfilter \"arrange side\" synonyms on rows 1\n  0 1062 " "found by its synonyms")
korvo_expect("${out}" "search 1 \"arrange side\"\nfilter \"arrange side\" synonyms off rows 0\n" "not without them")

# The rows as drawn: each command's 32-pixel icon at the row's icon place (greyed for a command
# disabled in the frame), the caption and the description beside it; the focus rectangle only on
# the focused row, and only while the list has the focus.
korvo_run(drawing EXIT 0 OUTPUT out INPUT
  "start\nidle\nsearch 1 \"tile\"\ndump list 1/1028\nsearch 1 \"automatic\"\nrow 1/1028 1 select\ndump list 1/1028\nsearch 1 \"automatic\"\ndump list 1/1028\nquit\n")
string(CONCAT enabled_rows "paint\n  FillRect [^\n]*\n  FillRect \\(0,0\\)-\\(283,60\\) 0xFFFFFF\n  DrawState \\(0,0\\) 32x32 icon 1062\n"
  "  DrawText \\(102,0\\)-\\(267,60\\) \"Tile horizontally\"[^\n]*\n  DrawText \\(102,20\\)-\\(267,60\\) \"Arranges[^\n]*\n"
  "  FillRect \\(0,60\\)-\\(283,120\\) 0xFFFFFF\n  DrawState \\(0,60\\) 32x32 icon 1092\n")
korvo_expect("${out}" "${enabled_rows}" "each row's icon at its icon place, the texts beside it")
after("${out}" "user mouse click" clicked)
korvo_expect("${clicked}" "  DrawState \\(0,0\\) 32x32 icon 2935 disabled\n([^\n]*\n)*  DrawState \\(0,60\\) 32x32 icon 1965 disabled\n"
             "a disabled command's icon greyed")
korvo_expect("${clicked}" "  FillRect \\(0,60\\)-\\(283,120\\) 0xD77800\n([^\n]*\n)*  DrawText [^\n]*\n  DrawFocusRect \\(0,60\\)-\\(283,120\\)\n"
             "the focused row of the focused list gets the focus rectangle, drawn last")
after("${clicked}" "search 1" retyped)
if(NOT clicked MATCHES "DrawFocusRect" OR retyped MATCHES "DrawFocusRect")
  message(FATAL_ERROR "the focus rectangle was drawn while the list did not have the focus:\n${out}")
endif()

# A double click runs the row's command only while the frame can run it.
korvo_run(open EXIT 0 OUTPUT out ARGS --quiet log INPUT
  "start\nidle\nsearch 1 \"automatic\"\nrow 1/1028 0 open\nsearch 1 \"tile\"\nrow 1/1028 0 open\nquit\n")
korvo_expect("${out}" "call KVCommand::Run\\(1062, " "an enabled command runs")
if(out MATCHES "KVCommand::Run\\(2935")
  message(FATAL_ERROR "a disabled command ran from the list:\n${out}")
endif()

# A control inside a pop-up on a tab that is not selected: its tab is chosen, the chain opens
# outermost first, the control is selected and the mouse cursor moves onto it.
korvo_run(find EXIT 0 OUTPUT out INPUT
  "start\nidle\nsearch 1 \"help contents\"\nexpect menu choose 9335\nrow 1/1028 0 rclick\ndump ribbon 1\nquit\n")
korvo_expect("${out}" "menu   9334 [^\n]*\nmenu   9335 [^\n]*\nmenu   9336 [^\n]*\nmenu   9337 [^\n]*\nmenu   9338 "
             "the row's menu in ribbon mode")
korvo_expect("${out}" "call CXTPCommandBar::SetPopuped\\(\"[^\"]*\", 900\\)\ncall CXTPCommandBar::SetPopuped\\(\"\", 57664\\)\n"
             "the pop-up chain opens outermost first")
korvo_expect("${out}" "call CXTPCommandBar::SetSelected\\(\"\", 57670\\)\ncall SetCursorPos\\([0-9]+, [0-9]+\\)\n"
             "the control is selected and the cursor moves onto it")
korvo_expect("${out}" "log 5 Command 57670 found on ribbon tab \"Tools\", group \"Settings\", pop-up chain 900 57664\n" "where")
korvo_expect("${out}" "\ntab 2 \"Tools\" selected " "its tab selected")

# Classic mode: no ribbon item in the menu, and the menu bar's pop-up holds the command.
korvo_run(classic EXIT 0 OUTPUT out INPUT
  "start\nidle\ncommand 1 806\nsearch 1 \"exit\"\nexpect menu choose 9335\nrow 1/1028 0 rclick\nrow 1/1028 7 open\nquit\n")
korvo_expect("${out}" "menu   9335 [^\n]*\nmenu   9337 " "no ribbon item in classic mode")
korvo_expect("${out}" "log 5 Command 57665 found on bar \"[^\"]*\", pop-up chain 57600\n" "found in the menu bar's File menu")
korvo_expect("${out}" "\nrow: the list has no row 7 \\(1 rows\\)\n" "a row the list does not have")

# The kernel's modal command chooser: the same search as a form in a dialog. A typed filter
# narrows the list, OK answers the chosen row's command, Cancel answers none, and a row the list
# does not show is a refusal that cancels the dialog.
string(CONCAT chooser
  "start\nidle\n"
  "expect dialog \"FindCommand.Title\" answer text \"FindCommandDialog.Filter\" \"откр\" select \"FindCommandDialog.Commands\" \"#0\" ok\n"
  "kernel SelectCommandId\n"
  "expect dialog \"FindCommand.Title\" answer select \"FindCommandDialog.Commands\" \"#2\" cancel\n"
  "kernel SelectCommandId\nquit\n")
korvo_run(chooser EXIT 0 OUTPUT out INPUT "${chooser}")
korvo_expect("${out}" "dialog text \"FindCommandDialog.Filter\" \"откр\"\n" "the filter is typed as a user's")
korvo_expect("${out}" "dialog select \"FindCommandDialog.Commands\" \"#0\"\n" "and the row chosen")
korvo_expect("${out}" "kernel SelectCommandId: 1001\n" "OK answers the chosen command")
korvo_expect("${out}" "kernel SelectCommandId: none\n" "Cancel answers none")
string(CONCAT missing
  "start\nidle\nexpect dialog \"FindCommand.Title\" answer text \"FindCommandDialog.Filter\" \"1062\" "
  "select \"FindCommandDialog.Commands\" \"#1\" ok\nkernel SelectCommandId\nquit\n")
korvo_run(chooser_missing_row EXIT 1 OUTPUT out INPUT "${missing}")
korvo_expect("${out}" "has no row \"#1\"; the dialog is cancelled" "only the rows the filter left can be chosen")
