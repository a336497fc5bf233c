# The ribbon verbs end to end: the first frame's ribbon, a tab chosen, a command run from it that
# reaches the kernel, a popup answered by choosing and by dismissing, a tooltip, and the refusals
# a user would meet.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(ribbon EXIT 0 OUTPUT out INPUT
  "start\nidle\ndump ribbon 1\ntab 1 \"View\"\nclick 1 1063\nexpect menu choose \"Tile vertically\"\nclick 1 1059\nexpect menu dismiss\nclick 1 1059\nhover 1 1063\nquit\n")
korvo_expect("${out}" "\ndump ribbon 1\nribbon visible\ntab 0 \"Home\" selected {84F3EAA9-60FB-4DF4-AE1D-3F08A30223AE}\n  group \"Document\"\n    57600 button \"New\" disabled\n    1001 button \"Open\"\n"
             "the dump's first tab")
korvo_expect("${out}" "\ntab 3 \"3D model\" hidden contextual {7EB4FAE1-C764-4869-906D-97BF25A7BC14}\n" "a hidden contextual tab")
korvo_frame_handle("${out}" first)
korvo_expect("${out}" "user tab \"View\" of frame 1\nuser click 1063 on frame 1\ncall KVCommand::Run\\(1063, \"WindowCascade\"\\)\n"
             "a click reaches the kernel's command")
korvo_expect("${out}" "menu ${first} 3 items\nmenu   1062 \"Tile horizontally\"\nmenu   1092 \"Tile vertically\"\n.*menu answer choose \"Tile vertically\" \\(expected\\)\ncall KVCommand::Run\\(1092, \"WindowTileVertical\"\\)\n"
             "a popup's item chosen by caption")
korvo_expect("${out}" "menu answer dismiss \\(expected\\)\nuser hover 1063" "a popup dismissed")
korvo_expect("${out}" "tooltip 1063 [0-9]+x[0-9]+\n  bold \"Cascade\"\n" "the tooltip")

# What a user cannot do is a refusal: the transcript says why, and (from standard input) the run goes on.
korvo_run(hidden_tab EXIT 0 OUTPUT out INPUT "start\nidle\nclick 1 790\n")
korvo_expect("${out}" "\nclick: control 790 is on ribbon tab \"Analysis\", which is hidden\n" "a control on a hidden tab")
korvo_run(other_tab EXIT 0 OUTPUT out INPUT "start\nidle\nhover 1 1111\n")
korvo_expect("${out}" "\nhover: control 1111 is on ribbon tab \"Tools\", which is not selected\n" "a control on another tab")
korvo_run(no_tab EXIT 0 OUTPUT out INPUT "start\nidle\ntab 1 \"Nope\"\n")
korvo_expect("${out}" "\ntab: the ribbon has no tab \"Nope\"\n" "a tab that does not exist")
korvo_run(no_frame EXIT 2 ERROR err INPUT "start\nidle\ndump ribbon 2\n")
korvo_expect("${err}" "<stdin>:3: dump ribbon: there is no main frame 2" "a frame that is not open")

# A menu expected by id but never shown fails the run; one chosen by an id it lacks too.
korvo_run(unused EXIT 1 OUTPUT out INPUT "expect menu choose 1062\nstart\nidle\nquit\n")
korvo_run(missing EXIT 1 OUTPUT out INPUT "start\nidle\ntab 1 \"View\"\nexpect menu choose 4711\nclick 1 1059\nquit\n")
korvo_expect("${out}" "menu answer dismiss \\(no such item\\)" "an item the menu lacks")

# A control the update pass disabled (no handler anywhere on the route) cannot be clicked.
korvo_run(disabled EXIT 0 OUTPUT out INPUT "start\nidle\nclick 1 0xE100\n")
korvo_expect("${out}" "\nclick: control 57600 is disabled\n" "a disabled control")

# A tab chosen brings the update pass: the ribbon shows the state a click then meets, and the
# click's change.
korvo_run(tab_update EXIT 0 OUTPUT out INPUT "start\nidle\ntab 1 \"View\"\ndump ribbon 1\nclick 1 802\ndump ribbon 1\n")
korvo_expect("${out}" "\n    802 button \"System panel\" checked\n" "the tab's checked control shown checked")
korvo_expect("${out}" "\nuser click 802 [^\n]*\n(.*\n)?dump ribbon 1\n.*\n    802 button \"System panel\"\n" "and the click's change shown")

# The frame's accelerator table comes from the sample: a tooltip shows the command's keys.
korvo_run(keys EXIT 0 OUTPUT out INPUT "start\nidle\nhover 1 1001\nquit\n")
korvo_expect("${out}" "\ntooltip 1001 [0-9]+x[0-9]+\n  bold \"Open\"\n  text \"Opens a document\"\n(  [^\n]*\n)*  bold \"Ctrl\\+O\"\n"
             "the open command's caption, prompt and shortcut")

# The ribbon-tabs pop-up lists the tabs a user may switch off (not the contextual ones), stays
# open after a click, and the switched tab is marked in the ribbon.
korvo_run(tabs_popup EXIT 0 OUTPUT out INPUT
  "start\nidle\ntab 1 \"Tools\"\nexpect menu choose \"View\"\nexpect menu dismiss\nclick 1 \"Ribbon tabs\"\ndump ribbon 1\nquit\n")
korvo_expect("${out}" "menu [^\n]+ 4 items\nmenu   0 \"Home\" checked\nmenu   0 \"View\" checked\nmenu   0 \"Tools\" checked\nmenu   ---- 9607 [^\n]+\nmenu answer choose \"View\" \\(expected\\)\nmenu [^\n]+ 4 items\nmenu   0 \"Home\" checked\nmenu   0 \"View\"\n"
             "the switchable tabs, then the menu again with the tab unchecked")
korvo_expect("${out}" "\ntab 1 \"View\" hidden disabled-by-user " "the tab switched off leaves the tab row")
