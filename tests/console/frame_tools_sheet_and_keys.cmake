# Typed commands and the customise sheet from the console: keys typed into a main frame gather
# until one command is left, which runs; the function keys are not taken; the customise commands
# open the sheet on its first page (the tool-bar options page), 9607 on the ribbon page; the keyboard page's
# categories list the menus' commands by their paths.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

string(CONCAT typed
  "start\nidle\n"
  "press 1 F\ndump status 1\n"
  "press 1 F5\ndump status 1\n"
  "press 1 S\ndump status 1\ndump modes 1\n"
  "press 1 Q\ndump status 1\n"
  "quit\n")
korvo_run(typed_commands EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT "${typed}")
korvo_expect("${out}" "user press F in frame 1\ndump status 1\npane 0 id 0 \">\"\npane 1 id 104 \">F\"\n"
             "F leaves two commands (FS and FSC): the prompt shows what was typed")
korvo_expect("${out}" "user press F5 in frame 1\ndump status 1\npane 0 id 0 \">\"\npane 1 id 104 \">F\"\n"
             "F5 is not taken: the typed keys stay")
korvo_expect("${out}" "user press S in frame 1\ndump status 1\npane 0 id 0 \">\"\npane 1 id 104 \"FS: Shows the drawing on the whole screen\"\n"
             "FS is the key of one command, found before FSC: it runs and its string is the prompt")
korvo_expect("${out}" "dump modes 1\nscreen 1\n" "the command ran: full screen")
korvo_expect("${out}" "user press Q in frame 1\ndump status 1\npane 0 id 0 \">\"\npane 1 id 104 \">\"\n"
             "a key no command starts with clears the typed keys")

string(CONCAT sheet
  "start\nidle\n"
  "expect dialog 783 answer page 9151 select 9101 \"File\" select 9102 \"File | Open...\" select 9101 \"Edit\" select 9102 \"Edit | Properties\" cancel\n"
  "command 1 35001\n"
  "expect dialog 782 answer page 9150 select 9101 \"New Menu\" select 9102 \"New Menu\" page 21101 page 9151 cancel\n"
  "command 1 9607\n"
  "expect dialog 21101 answer cancel\n"
  "command 1 1061\n"
  "quit\n")
korvo_run(customise_sheet EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT "${sheet}")
korvo_expect("${out}" "user command 35001 to frame 1\n([^\n]*\n)*dialog 783 \"Options\" [^\n]*\ndialog page 9151\ndialog select 9101 \"File\"\ndialog select 9102 \"File \\| Open...\"\n"
             "35001 opens the sheet on its first page, the tool-bar options page; the keyboard page names its menu commands by their paths")
korvo_expect("${out}" "dialog select 9102 \"Edit \\| Properties\"\ndialog cancel\ndialog ended 2\n" "each menu is a category")
korvo_expect("${out}" "user command 9607 to frame 1\n([^\n]*\n)*dialog 782 \"Options\"" "9607 opens the ribbon page")
korvo_expect("${out}" "dialog page 9150\ndialog select 9101 \"New Menu\"\ndialog select 9102 \"New Menu\"\ndialog page 21101\ndialog page 9151\ndialog cancel\n"
             "page shows a page by its tab: the commands page, its new-menu category, then the profiles and keyboard pages")
korvo_expect("${out}" "user command 1061 to frame 1\ndialog 21101 \"Options\"" "the profiles command opens the profiles page")

# The PDM panes follow the connection: connected, the panes the frame's bits ask for are listed
# (one set for every frame); disconnected, every PDM pane closes and none is listed.
string(CONCAT pdm
  "start\nidle\n"
  "model SetPdmVersion \"16.5\"\nmodel ConnectPdm\ndump modes 1\n"
  "model DisconnectPdm\ndump modes 1\nquit\n")
korvo_run(pdm_panes EXIT 0 OUTPUT out ARGS --quiet log,window INPUT "${pdm}")
korvo_expect("${out}" "model SetPdmVersion: done\n" "the PDM system's version is set")
korvo_expect("${out}" "call KVSetPdmWindowsShown\\(true\\)\nmodel ConnectPdm: 0\n([^\n]*\n)*pdm-panes 0x03\n([^\n]*\n)*pdm-listed 0x01\n"
             "connected: the archives pane the frame asks for is listed, the assembly pane has no contents")
korvo_expect("${out}" "call KVSetPdmWindowsShown\\(false\\)\nmodel DisconnectPdm: done\n([^\n]*\n)*pdm-listed 0x00\n"
             "disconnected: no PDM pane is listed and the kernel's setting follows")
