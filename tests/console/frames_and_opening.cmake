# Main frames, their panes and the opening of documents from the console: a second frame leaves
# the first one's panes showing their windows, the kernel's progress keeps its status line, the
# frame's title follows the active document, File Close closes it, pictures that cannot be read
# are reported (by `open`, DDE and the command line) while both PCX encodings open, the command
# line's print ends the program as printing from the shell does, and `quit` after automation calls
# ends the program normally.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(docs "C:\\\\Users\\\\user\\\\Documents")
set(bracket "${docs}\\\\Samples\\\\Bracket.grb")
set(gear "${docs}\\\\Samples\\\\Gear.png")

# A second frame: the first frame's open panes still hold their (shared) windows; the second
# frame's panes are closed and hold none.
korvo_run(second_frame EXIT 0 OUTPUT out INPUT "start\nidle\nnew-frame\ndump panes 1\ndump panes 2\ndump windows\nquit\n")
korvo_expect("${out}" "\n1006 docked \"Model tree\" icon 785 window 0x[0-9a-f]+\n" "frame 1's model tree shows its window")
korvo_expect("${out}" "\n1007 docked \"Properties\" icon 811 group 1006 window 0x[0-9a-f]+\n"
             "frame 1's properties show their window")
korvo_expect("${out}" "\n1006 closed \"Model tree\" icon 785 window none\n" "frame 2's closed model tree holds nothing")
# (A tab group shows only its selected pane's container; the window is inside its own either way.)
korvo_expect("${out}" "\"XTPDockingPaneTabbedContainer\" \"Model tree\" (visible|hidden)[^\n]*\n    0x[0-9a-f]+ \"STATIC\" \"\" visible"
             "the model tree's window inside frame 1's pane container")

# The properties shown in frame 2 take their window from frame 1's pane; closed there, the window
# goes back to frame 1's pane, which still shows the properties.
korvo_run(shared_window EXIT 0 OUTPUT out INPUT
  "start\nidle\nnew-frame\ncommand 2 811\ndump panes 1\npane close 2/1007\ndump panes 1\nquit\n")
korvo_expect("${out}" "\n1007 docked \"Properties\" icon 811 group 1006 window none\n.*\n1007 docked \"Properties\" icon 811 group 1006 window 0x[0-9a-f]+\n"
             "the properties window moves to frame 2 and comes back to frame 1")

# The kernel's progress ends on the status line it began on, though another frame became active.
korvo_run(progress EXIT 0 OUTPUT out INPUT "start\nidle\nprogress begin\nnew-frame\nprogress end\ndump status 1\nquit\n")
korvo_expect("${out}" "\nprogress end: true\n" "the progress ended where it began")
if(out MATCHES "\nprogress id ")
  message(FATAL_ERROR "frame 1 still shows a progress bar:\n${out}")
endif()

# The title follows the active document, a picture too; File Close closes the active document
# with its window and tab.
korvo_run(title_and_close EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"${bracket}\"\nopen \"${gear}\"\ndump frames\ncommand 1 57602\ndump frames\ncommand 1 57602\ndump tabs 1\ndump documents\nquit\n")
korvo_expect("${out}" "\n1 0x[0-9a-f]+ \"C:[^\n]*Gear.png - Korvo CAD\" active\n" "the picture's path in the title")
korvo_expect("${out}" "\n1 0x[0-9a-f]+ \"Bracket.grb - Korvo CAD\" active\n" "the drawing's name once the picture closed")
korvo_expect("${out}" "\n\\(no document tabs\\)\ndump documents\n\\(no documents\\)\n" "both documents closed with their tabs")

# The title lets go of a document that left the frame: the only drawing closed, a picture moved to
# a new main window (which takes the name along).
korvo_run(title_without_document EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"${bracket}\"\ncommand 1 57602\ndump frames\nopen \"${gear}\"\ncommand 1 2826\ndump frames\nquit\n")
korvo_expect("${out}" "user command 57602 to frame 1\n([^\n]*\n)*dump frames\n1 0x[0-9a-f]+ \"Korvo CAD\" active\n"
             "the title without the closed drawing")
korvo_expect("${out}" "dump frames\n1 0x[0-9a-f]+ \"Korvo CAD \\(1\\)\" inactive\n2 0x[0-9a-f]+ \"C:[^\n]*Gear.png - Korvo CAD \\(2\\)\" active\n"
             "the picture's name goes with it to the new main window")

# Two frames: a frame made active again works on its own document, so the keys typed there reach
# that document, not the other frame's.
korvo_run(keys_after_activation EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"${bracket}\"\nnew-frame\nopen \"${docs}\\\\Samples\\\\Cover plate.grb\"\npress 2 A\nactivate 1\npress 1 B\nactivate 2\npress 2 C\nquit\n")
korvo_expect("${out}" "PushAction\\(\"Cover plate.grb\", 1, 65, 0\\)\n([^\n]*\n)*call CKvw32Doc::PushAction\\(\"Bracket.grb\", 1, 66, 0\\)\n([^\n]*\n)*call CKvw32Doc::PushAction\\(\"Cover plate.grb\", 1, 67, 0\\)\n"
             "each frame's keys reach its own document")
if(out MATCHES "PushAction\\(\"Cover plate.grb\", 1, 66")
  message(FATAL_ERROR "a key typed in frame 1 reached frame 2's document:\n${out}")
endif()

# Pictures that cannot be read: the opening failure message and a negative DDE acknowledgement;
# both PCX encodings open; an open command naming no file opens nothing and says nothing.
korvo_seed_host()
set(folder "${host}/C/Users/user/Documents")
execute_process(COMMAND head -c 300 ${folder}/Samples/Gear.png OUTPUT_FILE ${folder}/Cut.png)
file(WRITE ${folder}/Text.tif "no picture at all")
# A red 2 x 1 picture in three planes: bytes as they are (encoding 0), and run lengths (1).
set(pcx_head "printf '\\012\\005'; printf \"\\\\$1\"; printf '\\010\\000\\000\\000\\000\\001\\000\\000\\000'; head -c 53 /dev/zero; printf '\\003\\002\\000\\001\\000'; head -c 58 /dev/zero")
execute_process(COMMAND sh -c "${pcx_head}; printf '\\377\\377\\000\\000\\000\\000'" sh 000 OUTPUT_FILE ${folder}/Plain.pcx)
execute_process(COMMAND sh -c "${pcx_head}; printf '\\301\\377\\301\\377\\000\\000\\000\\000'" sh 001 OUTPUT_FILE ${folder}/Packed.pcx)
korvo_run(pictures EXIT 0 ARGS --host ${host} OUTPUT out INPUT
  "start\nidle\nexpect box \"The file is of a format that cannot be opened.\" answer ok\nopen \"${docs}\\\\Cut.png\"\nexpect box \"The file is of a format that cannot be opened.\" answer ok\ndde \"[open(\\\"${docs}\\\\Text.tif\\\")]\"\ndde \"[open(\\\"${docs}\\\\Samples\\\\Gear.png\\\")]\"\ndde \"[open(\\\"\\\")]\"\nopen \"${docs}\\\\Plain.pcx\"\nopen \"${docs}\\\\Packed.pcx\"\ndump documents\nquit\n")
# DDE is acknowledged before the command runs: the failure shows in its box, the ack is positive.
korvo_expect("${out}" "Text.tif[^\n]*\n.*\ndde ack positive from 0x[0-9a-f]+\n.*\ndde ack positive from 0x[0-9a-f]+\n"
             "both commands are acknowledged before they run")
korvo_expect("${out}" "Text.tif[^\n]*\n.*\nbox [^\n]*\"The file is of a format that cannot be opened.\"" "the failed picture says so in its box")
if(out MATCHES "dde ack negative")
  message(FATAL_ERROR "a command that ran was acknowledged negatively:\n${out}")
endif()
korvo_expect("${out}" "\"C:[^\n]*Plain.pcx\" \"C:[^\n]*Plain.pcx\" CDibDoc unmodified frame" "the PCX without run lengths opened")
korvo_expect("${out}" "\"C:[^\n]*Packed.pcx\" \"C:[^\n]*Packed.pcx\" CDibDoc unmodified frame" "the PCX with run lengths opened")
if(out MATCHES "Cut.png\" [^\n]*CDibDoc")
  message(FATAL_ERROR "the truncated picture opened:\n${out}")
endif()
# On the command line the failure is said before the start-up gives up.
korvo_run(command_line EXIT 1 ARGS --host ${host} -- "C:\\Users\\user\\Documents\\Text.tif" OUTPUT out ERROR err INPUT
  "expect box \"The file is of a format that cannot be opened.\" answer ok\nstart\n")
korvo_expect("${out}" "\nbox [^\n]*\"The file is of a format that cannot be opened.\"" "the command line's picture is reported")

# Printing from the command line prints the document and ends the program, as the shell's print
# does: no failure, exit 0.
korvo_run(print_and_exit EXIT 0 ARGS -- /p "C:\\Users\\user\\Documents\\Samples\\Bracket.grb" OUTPUT out ERROR err
  INPUT "start\ndump print-jobs\n")
korvo_expect("${out}" "\njob 1 \"Bracket.grb\" ended\n" "the drawing was printed")
if(err MATCHES "start-up failed" OR out MATCHES "Start-up failed")
  message(FATAL_ERROR "printing was taken for a failed start-up:\n${out}\n${err}")
endif()

# Automation calls, then quit: the console's client lets go of its objects and the program ends
# as the user closed it.
korvo_run(automation_then_quit EXIT 0 OUTPUT out ERROR err INPUT
  "start\nidle\nautomation OpenFile \"${bracket}\"\nautomation 2.FullName\nquit\n")
korvo_expect("${out}" "\nprogram exit 0\n" "the program ended")
if(out MATCHES "kept [0-9]+ main window")
  message(FATAL_ERROR "quit could not close the program:\n${out}")
endif()
