# A main frame's own commands, closing, the end of the Windows session and files dropped from the
# shell, as a user meets them on the sample: bar and pane toggles show in the dumps, a second
# frame's close hands over to the first, a document in two windows keeps its changes, a log-off
# is refused for unsaved changes, and dropped files are inserted or opened by where they land.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(samples "C:\\\\Users\\\\user\\\\Documents\\\\Samples")
set(bracket "${samples}\\\\Bracket.grb")
set(gear "${samples}\\\\Gear.png")

# The status line (801), the system panel (802), the documents pane (783) and the ribbon (806)
# follow their commands; 749 names no bar and changes nothing; help (57670), the window list
# (61217) and the always-enabled 1202 reach their handlers; the tabbed bar's icon size (1221)
# is refused while the wide screen has the bars' large icons on.
korvo_run(toggles EXIT 0 OUTPUT out INPUT
  "start\nidle\ncommand 1 1221\ncommand 1 801\ndump windows\ncommand 1 802\npane close 1/1004\ncommand 1 783\ndump panes 1\ncommand 1 806\ndump bars 1\ncommand 1 749\ndump bars 1\ncommand 1 57670\ncommand 1 1202\nexpect dialog \"dialogs.window_list\" answer cancel\ncommand 1 61217\nquit\n")
korvo_expect("${out}" "\n  0x[0-9a-f]+ \"XTPStatusBar\" \"[^\n]*\" hidden" "801 hides the status line")
korvo_expect("${out}" "\n1004 docked \"Documents\" icon 783 group 1006 selected window 0x[0-9a-f]+ theme NativeWindows10\n" "783 shows the documents pane again")
korvo_expect("${out}" "\nbar 1 \"Главное меню\" menu visible\n" "806 leaves the ribbon for the classic menus")
# 802 hid the panel; leaving the ribbon for the classic menus brings the classic bars back.
korvo_expect("${out}" "\nbar 1002 \"System Panel\" toolbar visible\n" "806 shows the system panel again")
korvo_expect("${out}" "user command 57670 to frame 1\ncall ApplicationEventManager::Raise\\(1027\\)" "57670 asks for help")
korvo_expect("${out}" "user command 1202 to frame 1\ncall KVCommandContainer::ExecuteCommand\\(1202" "1202 is enabled")
korvo_expect("${out}" "\ndialog \"dialogs.window_list\" \"Windows\"" "61217 runs the window list")
korvo_expect("${out}" "\nwarning disabled command 1221 not executed\n" "1221 is refused on a wide screen")
if(out MATCHES "disabled command (749|1202|57670|61217)")
  message(FATAL_ERROR "a frame command was refused as disabled:\n${out}")
endif()

# Command 749 leaves every bar as it was.
korvo_run(past_the_bars EXIT 0 OUTPUT out INPUT "start\nidle\ndump bars 1\ncommand 1 749\ndump bars 1\nquit\n" ARGS --quiet call,log)
string(REGEX MATCHALL "dump bars 1\n[^u]*" dumps "${out}")
list(LENGTH dumps count)
list(GET dumps 0 one)
list(GET dumps 1 two)
if(NOT count EQUAL 2 OR NOT one STREQUAL two)
  message(FATAL_ERROR "command 749 changed the bars:\n${out}")
endif()

# Closing the second frame activates the first; closing the last closes its unmodified document
# without asking and ends the program.
korvo_run(close_frames EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"${bracket}\"\nnew-frame\nclose 2\ndump frames\nclose 1\ndump documents\n")
korvo_expect("${out}" "dump frames\n1 0x[0-9a-f]+ \"Bracket.grb - Korvo CAD\" active\n" "the first frame is active again")
korvo_expect("${out}" "Closing main window 0x[0-9a-f]+ @ 0xA[0-9A-F]+\\.\\.\\.\n.*program exit 0\n" "the last close ends the program")
if(out MATCHES "\nbox ")
  message(FATAL_ERROR "closing asked a question:\n${out}")
endif()

# A modified document shown in two windows: the frame does not take the document's own answer
# for both, so the save question still comes, and cancelling it keeps the frame and the changes.
korvo_run(two_windows EXIT 0 OUTPUT out ARGS --quiet call INPUT
  "start\nidle\nopen \"${bracket}\"\ncommand 1 1059\nmodel Modify 1\nexpect box \"Save changes to *Bracket.grb?\" answer cancel\nclose 1\ndump documents\nexpect box \"Save changes to *Bracket.grb?\" answer no\nquit\n")
korvo_expect("${out}" "dump documents\n\"Bracket.grb\" \"[^\n]*Bracket.grb\" modified" "the document keeps its changes")

# A log-off with unsaved changes is refused with the reason; without them it is agreed to and
# the program ends.
korvo_run(logoff EXIT 0 OUTPUT out ARGS --quiet call INPUT
  "start\nidle\nopen \"${bracket}\"\nmodel Modify 1\nlogoff\ndump frames\nexpect box \"Save changes*\" answer no\nquit\n")
korvo_expect("${out}" "window shutdown blocked by 0x[0-9a-f]+: \"Есть несохранённые изменения\"\nlogoff: frame 1 refuses \"Есть несохранённые изменения\"\n"
             "the log-off is refused for the unsaved changes")
korvo_expect("${out}" "\ndump frames\n1 0x" "the frame stays")
korvo_run(logoff_agreed EXIT 0 OUTPUT out ARGS --quiet call INPUT "start\nidle\nnew-frame\nlogoff\n")
korvo_expect("${out}" "logoff: frame 1 agrees\nlogoff: frame 2 agrees\n.*program exit 0" "both frames agree and the program ends")

# Dropped files: two on the document's view ask which one to insert (Cancel still tells the view,
# with no file), one is inserted at once; on the empty background both open.
korvo_run(drops EXIT 0 OUTPUT out ARGS --quiet log INPUT
  "start\nidle\nopen \"${bracket}\"\nexpect dialog \"dialogs.file_selection\" answer select 1000 \"Gear.png\" ok\ndrop 1 1000,500 \"${bracket}\" \"${gear}\"\nexpect dialog \"dialogs.file_selection\" answer cancel\ndrop 1 1000,500 \"${bracket}\" \"${gear}\"\ndrop 1 1000,500 \"${bracket}\"\ncommand 1 57602\ndrop 1 1000,500 \"${bracket}\" \"${gear}\"\ndump documents\nquit\n")
korvo_expect("${out}" "dialog select 1000 \"Gear.png\"\ndialog ok\n.*call CKVView::InsertFragment\\(\"C:[^\n]*Gear.png\", at [0-9]+,[0-9]+\\)\n"
             "the chosen file is inserted into the view")
korvo_expect("${out}" "dialog cancel\n.*call CKVView::InsertFragment\\(null, at " "a cancelled choice inserts nothing")
korvo_expect("${out}" "drop on frame 1 at 1000,500 \"C:[^\n]*Bracket.grb\"\ncall CKVView::InsertFragment\\(\"C:[^\n]*Bracket.grb\""
             "one file is inserted without a question")
korvo_expect("${out}" "dump documents\n\"Bracket.grb\" [^\n]*\n\"C:[^\n]*Gear.png\" " "both files open from the background")

# The frame's modes: the PDM panes open by default, the ribbon, and what 805 and 806 change.
korvo_run(modes EXIT 0 OUTPUT out ARGS --quiet call,log INPUT "start\nidle\ndump modes 1\ncommand 1 805\ncommand 1 806\ndump modes 1\nquit\n")
korvo_expect("${out}" "dump modes 1\nscreen 0\nworkbook on\nribbon on\nanalysis 1\n[^\n]*\n[^\n]*\npdm-panes 0x03\nlock-panes off\n"
             "the modes of a new frame")
korvo_expect("${out}" "dump modes 1\nscreen 0\nworkbook off\nribbon off\n" "805 leaves the workbook, 806 the ribbon")

# Full screen and the clean screen toggle with normal; from full screen 2814 goes straight to the
# clean screen, where the workbook switch is refused, and from there 1254 straight to full screen.
korvo_run(screens EXIT 0 OUTPUT out ARGS --quiet call,log INPUT
  "start\nidle\ncommand 1 1254\ndump modes 1\ncommand 1 2814\ndump modes 1\ncommand 1 805\ncommand 1 2814\ndump modes 1\ncommand 1 2814\ncommand 1 1254\ndump modes 1\nquit\n")
korvo_expect("${out}" "user command 1254 to frame 1\ndump modes 1\nscreen 1\n" "1254 goes to full screen")
korvo_expect("${out}" "user command 2814 to frame 1\ndump modes 1\nscreen 2\n" "2814 goes from full screen to the clean screen")
korvo_expect("${out}" "disabled command 805 not executed" "the workbook switch is refused in the clean screen")
korvo_expect("${out}" "user command 2814 to frame 1\ndump modes 1\nscreen 0\nworkbook on\n" "2814 again leaves the clean screen, the workbook as it was")
after("${out}" "disabled command 805" left)
after("${left}" "user command 1254" left)
korvo_expect("${left}" "^user command 1254 to frame 1\ndump modes 1\nscreen 1\n" "1254 goes from the clean screen to full screen")

# An empty DDE command is acknowledged negatively; one that runs positively.
korvo_run(dde_acks EXIT 0 OUTPUT out ARGS --quiet call,log INPUT
  "start\nidle\ndde \"\"\ndde \"[open(\\\"${bracket}\\\")]\"\ndump documents\nquit\n")
korvo_expect("${out}" "user dde \"\" to frame 1\ndde ack negative from 0x[0-9a-f]+\n" "nothing to run")
korvo_expect("${out}" "Bracket.grb\\\"\\)\\]\" to frame 1\n.*dde ack positive from 0x[0-9a-f]+\n.*dump documents\n\"Bracket.grb\"" "the open runs")
