# The screen as a user meets it: the layout of a frame and a picture of it, acting by caption,
# a pane's own tool bar, the ribbon's PDM popup, the document tabs by caption, activating a frame
# or a document's window, right clicks on controls, and the buttons of a message bar.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(gear "C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Gear.png")

korvo_run(layout EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"${gear}\"\ndump layout 1\nsnapshot 1 \"${WORK_DIR}/frame.png\"\nquit\n")
korvo_frame_handle("${out}" first)
korvo_expect("${out}" "\n${first} \"AfxMDIFrame\" \"[^\"]*\" \\(0,0\\)-\\([0-9]+,[0-9]+\\)\n" "the frame at the layout's origin")
korvo_expect("${out}" "\n  0x[0-9a-f]+ \"XTPRibbon\" \"[^\"]*\" \\(4,27\\)-\\([0-9]+,167\\)\n    tab \"Home\" \\([0-9,)(-]+ selected\n"
             "the ribbon on top with its selected tab")
korvo_expect("${out}" "\n      control 907 edit \"Level\" \\(524,75\\)-\\(572,151\\)[^\n]*\n      control 909 edit \"Priority\" \\(572,75\\)-\\(620,151\\)"
             "ribbon edits side by side")
korvo_expect("${out}" "\n    caption \"Documents\" \\(4,193\\)-\\(304,215\\)\n    pane-tab 1006 \"Model tree\"" "a pane's caption and tabs")
korvo_expect("${out}" "\n    document-tab \"${gear}\" \\([0-9,)(-]+ selected\n" "the document tab")
korvo_expect("${out}" "\n    status-pane 104 \"Ready\" " "the status line's texts")
korvo_expect("${out}" "\nsnapshot \"${WORK_DIR}/frame.png\"\n" "the snapshot said")
file(READ ${WORK_DIR}/frame.png signature LIMIT 8 HEX)
korvo_expect("${signature}" "^89504e470d0a1a0a$" "a PNG file on the host")

korvo_run(not_png EXIT 2 ERROR err INPUT "start\nidle\nsnapshot 1 \"${WORK_DIR}/frame.gif\"\n")
korvo_expect("${err}" "<stdin>:3: snapshot: the picture's path must end in .png" "a picture that is not a PNG")
korvo_run(no_folder EXIT 2 ERROR err INPUT "start\nidle\nsnapshot 1 \"${WORK_DIR}/missing/frame.png\"\n")
korvo_expect("${err}" "<stdin>:3: snapshot: cannot write " "a folder that does not exist")

# By caption: click, command and hover find the visible control; one that names none is said
# (click) or a mistake (hover), two ids of one caption are a mistake naming them.
korvo_run(captions EXIT 0 OUTPUT out INPUT
  "start\nidle\nexpect file cancel\nclick 1 \"Open\"\nexpect file cancel\ncommand 1 \"&Open\"\nhover 1 \"Save as\"\nclick 1 \"Nothing\"\nquit\n")
korvo_expect("${out}" "user click 1001 on frame 1\n(call [^\n]*\n)*file open " "a click by caption opens the file chooser")
korvo_expect("${out}" "user command 1001 to frame 1\n" "a command by caption")
korvo_expect("${out}" "user hover 1093 " "a hover by caption")
korvo_expect("${out}" "\nclick: no visible control is captioned \"Nothing\" in frame 1\n" "a caption nobody shows")
korvo_run(ambiguous EXIT 2 ERROR err INPUT "start\nidle\nclick 1 \"\"\n")
korvo_expect("${err}" "<stdin>:3: click: [0-9]+ visible controls are captioned \"\" \\(ids [0-9]+, [0-9]+.*\\): name one by its id"
             "one caption of several controls")
# A caption one enabled control has beside disabled twins names the enabled one: "Settings" on the
# Tools tab (1111) and in a tool bar (1114, disabled); a caption only disabled controls have is
# refused as a disabled id is.
korvo_run(twins EXIT 0 OUTPUT out INPUT
  "start\nidle\ntab 1 \"Tools\"\ndump layout 1\nclick 1 \"Settings\"\nclick 1 \"Perspective\"\nquit\n")
korvo_expect("${out}" "\n *control 1111 [a-z-]+ \"Settings\" [^\n]*\n.*\n *control 1114 [a-z-]+ \"Settings\" [^\n]* disabled\n"
             "both show, the tool bar's disabled")
korvo_expect("${out}" "\nuser click 1111 on frame 1\n(call [^\n]*\n)*call KVCommand::Run\\(1111, \"Settings\"\\)" "the enabled one is clicked")
korvo_expect("${out}" "\nuser click 1343 on frame 1\n(call [^\n]*\n)*click: control 1343 is disabled\n" "a caption of a disabled control alone")
korvo_run(hover_none EXIT 0 OUTPUT out INPUT "start\nidle\nhover 1 \"Nothing\"\n")
korvo_expect("${out}" "\nhover: no visible control is captioned \"Nothing\" in frame 1\n" "hover over nothing is a refusal")

# A pane's own tool bar, the ribbon's PDM popup (an id past 65535), and right clicks.
korvo_run(bars EXIT 0 OUTPUT out INPUT
  "start\nidle\ndump bars 1\ndump bars 1/1004\nexpect menu dismiss\nclick 1 65536\nexpect menu dismiss\nright-click 1 1001\nexpect menu choose 700\nexpect menu dismiss\nright-click 1 1098\nright-click 1 4711\nexpect menu dismiss\nright-click 1/1004 691\nquit\n")
korvo_expect("${out}" "\nbar 0 \"Панель поиска\" toolbar visible\n  692 combo " "a pane's tool bar")
korvo_expect("${out}" "\n  0 tab-row \"Home \\| View \\| Tools\" visible " "the ribbon's tab row reads as its tabs")
korvo_frame_handle("${out}" first)
# Not connected: connect and the settings, no disconnect.
korvo_expect("${out}" "user click 65536 on frame 1\nmenu ${first} 2 items\nmenu   2074 \"Connect to Varnel\"\nmenu   ---- 1203 \"Varnel settings\"\n"
             "the PDM popup opens, its items captioned")
korvo_expect("${out}" "user right-click 1001 in frame 1\nmenu ${first} [0-9]+ items\nmenu   9606 " "a ribbon control's menu")
korvo_expect("${out}" "\nmenu   ---- 0 \"Группы вкладки «Home»\" >\nmenu     0 \"Document\" checked\n" "the tab's groups, under the tab's caption")
korvo_expect("${out}" "user right-click 1098 in frame 1\nmenu [^\n]*\nmenu   0 \"Toolbars\" >\n" "a tool-bar control's menu")
korvo_expect("${out}" "menu answer choose 700 \\(expected\\)" "its item chosen")
korvo_expect("${out}" "\nright-click: no visible control 4711 in frame 1\n" "a control nobody shows")
korvo_expect("${out}" "user right-click 691 in frame 1/1004\nmenu 0x[0-9a-f]+ 1 items\nmenu   0 \"Панель поиска\" checked\n"
             "a pane's tool-bar control: its bars' menu")
# "Add to quick access toolbar" on a ribbon control: the quick-access bar shows it, once.
korvo_run(quick_access EXIT 0 OUTPUT out INPUT
  "start\nidle\nexpect menu choose 9606\nright-click 1 1001\nexpect menu choose 9606\nright-click 1 1001\ndump ribbon 1\nquit\n")
after("${out}" "dump ribbon 1" ribbon)
korvo_expect("${ribbon}" "\nquick access\n(  [^\n]*\n)*  1001 [^\n]*\n(  [^\n]*\n)*ribbon controls\n" "the control is on the quick-access bar")
string(REGEX MATCHALL "\n  1001 " copies "${ribbon}")
list(LENGTH copies copy_count)
if(NOT copy_count EQUAL 1)
  message(FATAL_ERROR "the control was added ${copy_count} times:\n${ribbon}")
endif()
korvo_run(big_command EXIT 2 ERROR err INPUT "start\nidle\ncommand 1 65536\n")
korvo_expect("${err}" "<stdin>:3: command: 65536 is not a command id \\(0 to 65535\\)" "a command id past 16 bits")

# Document tabs by caption: click, context menu (answered by expect menu), middle click, close.
set(bracket "C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Bracket.grb")
korvo_run(tabs EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"${bracket}\"\nopen \"${gear}\"\ndoc-tab 1 \"Bracket.grb\" click\nexpect menu choose \"Copy full path\"\ndoc-tab 1 \"Bracket.grb\" context-menu\ndoc-tab 1 \"${gear}\" close\ndoc-tab 1 \"Nothing\" click\ndump tabs 1\nquit\n")
korvo_expect("${out}" "user click tab 1 of frame 1\n" "a tab clicked by caption")
korvo_expect("${out}" "menu answer choose \"Copy full path\" \\(expected\\)\n" "the tab menu answered")
korvo_expect("${out}" "\ndoc-tab: main frame 1 shows no document tab \"Nothing\"\n" "a tab nobody shows")
korvo_expect("${out}" "\ngroup 1 [^\n]*\n  1 0x[0-9a-f]+ \"Bracket.grb\" selected [^\n]*\n[a-z]" "the closed tab is gone")
korvo_run(middle EXIT 0 OUTPUT out INPUT "start\nidle\nopen \"${gear}\"\ndoc-tab 1 \"${gear}\" middle-click\ndump tabs 1\nquit\n")
korvo_expect("${out}" "user middle button on tab 1 of frame 1\n" "a middle click")

# Activating a frame and a document's window; a document that is not open is a mistake.
korvo_run(activate EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"${gear}\"\nnew-frame\nactivate 2\ndump frames\nactivate \"${gear}\"\ndump frames\nquit\n")
korvo_frame_handle("${out}" first)
after("${out}" "user activate frame 2\n" second)
korvo_expect("${second}" "\n1 ${first} \"[^\"]*\" inactive\n2 0x[0-9a-f]+ \"[^\"]*\" active\n" "the second frame active")
after("${out}" "user activate \"C:" again)
korvo_expect("${again}" "\n1 ${first} \"[^\"]*\" active\n" "the picture's frame active again")
korvo_run(activate_missing EXIT 0 OUTPUT out INPUT "start\nidle\nactivate \"C:\\\\nothing.grb\"\nquit\n")
korvo_expect("${out}" "\nactivate: no open document has the path \"C:\\\\nothing.grb\"\n" "a document that is not open")

# A message bar's buttons: the critical-error bar's report buttons and its close button.
korvo_run(message_bar EXIT 0 OUTPUT out INPUT
  "start\nidle\nkernel OnCriticalError \"boom\"\nactivate 1\ndump layout 1\nmessage-bar 1 299 7\nmessage-bar 1 299 61536\nmessage-bar 1 299 61536\nquit\n")
korvo_expect("${out}" "\n  0x[0-9a-f]+ \"Korvo.MessageBar\" \"[^\"]*\" \\(4,193\\)-\\([0-9]+,233\\)\n" "the bar under the bars")
korvo_expect("${out}" "\nmessage-bar: message bar 299 has no button 7\n" "a button the bar lacks")
after("${out}" "user message bar 299 button 61536 in frame 1\n" closed)
korvo_expect("${closed}" "\nmessage-bar: main frame 1 shows no message bar 299\n"
             "closed by its close button")
