# The documents-menu window end to end over the sample configuration: its rows show below pane
# 1004 in `dump panes`; what the user expanded and hid is still so in a second run over the same
# host folder; searching, showing hidden rows and refusals of rows that are not shown.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(host ${WORK_DIR}/host)
set(open_sample "documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\n")

korvo_run(first EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "${open_sample}start\nidle\ndump panes 1\ndocuments-pane expand \"Libraries\"\ndocuments-pane expand \"Samples\"\ndocuments-pane expand \"Templates\"\ndocuments-pane visible \"Bracket.grb\"\ndocuments-pane visible \"Prototypes\"\ndump panes 1\ndocuments-pane expand \"Missing\"\nquit\n")
korvo_expect("${out}" "\n1004 docked \"Documents\" icon 783 group 1006 selected window 0x[0-9a-f]+ theme NativeWindows10\n    \\+ Libraries\n1007 "
             "the documents menu's pane shows the sample configuration")
korvo_expect("${out}" "selected window 0x[0-9a-f]+ theme NativeWindows10\n    - Libraries\n      - Samples\n          Cover plate.grb\n      - Templates\n1007 "
             "a hidden document and a hidden library leave the view")
korvo_expect("${out}" "\ndocuments-pane: no row \"Missing\" is shown\n" "a row that is not shown")
file(GLOB_RECURSE state_files "${host}/*/state.xml")
if(NOT state_files)
  message(FATAL_ERROR "the pane values were not written")
endif()

# A second run: the same rows expanded, the same rows hidden; hidden rows shown on request.
korvo_run(second EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "${open_sample}start\nidle\ndump panes 1\ndocuments-pane show-hidden\ndump panes 1\ndocuments-pane search \"  COVER \"\ndump panes 1\ndocuments-pane search \"\"\ndocuments-pane collapse \"Libraries\"\nquit\n")
korvo_expect("${out}" "selected window 0x[0-9a-f]+ theme NativeWindows10\n    - Libraries\n      - Samples\n          Cover plate.grb\n      - Templates\n1007 "
             "the expanded and hidden rows after a restart")
korvo_expect("${out}" "selected window 0x[0-9a-f]+ theme NativeWindows10\n    - Libraries\n      - Samples\n          Bracket.grb\n          Cover plate.grb\n      - Templates\n        \\+ Prototypes\n1007 "
             "hidden rows shown")
korvo_expect("${out}" "selected window 0x[0-9a-f]+ theme NativeWindows10\n    - Libraries\n      - Samples\n          Cover plate.grb\n1007 "
             "the search lists what matches")

# The collapse of the second run is what the third run finds; a selected row shows in the browser.
korvo_run(third EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "${open_sample}start\nidle\ndump panes 1\ndocuments-pane select \"Libraries\"\ndump windows\nquit\n")
korvo_expect("${out}" "\n +0x[0-9a-f]+ [^\n]*\"Libraries\" visible" "the browser pane shows the selected configuration")
korvo_expect("${out}" "selected window 0x[0-9a-f]+ theme NativeWindows10\n    \\+ Libraries\n1007 " "the collapsed configuration after a restart")

# Shown again, the last hidden rows leave the saved state empty: a fourth run hides nothing.
korvo_run(unhide EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "${open_sample}start\nidle\ndocuments-pane show-hidden\ndocuments-pane expand \"Libraries\"\ndocuments-pane visible \"Bracket.grb\"\ndocuments-pane visible \"Prototypes\"\ndocuments-pane show-hidden\ndump panes 1\nquit\n")
korvo_expect("${out}" "theme NativeWindows10\n    - Libraries\n      - Samples\n          Bracket.grb\n          Cover plate.grb\n      - Templates\n        \\+ Prototypes\n1007 "
             "rows shown again stay when hidden rows are left out")
korvo_run(fourth EXIT 0 OUTPUT out ARGS --host ${host} INPUT "${open_sample}start\nidle\ndump panes 1\nquit\n")
korvo_expect("${out}" "theme NativeWindows10\n    - Libraries\n      - Samples\n          Bracket.grb\n          Cover plate.grb\n      - Templates\n        \\+ Prototypes\n1007 "
             "nothing hidden after a restart")

# A search looks at the documents a library lists: each condition alone keeps a matching name out
# (the hidden attribute, a folder named like a document, another extension, a document hidden in
# the window while hidden rows are not shown), and a plain document of the same kind matches.
set(host ${WORK_DIR}/conditions)
set(samples "${host}/C/Users/user/Documents/Samples")
korvo_run(seed EXIT 0 ARGS --host ${host} INPUT "")
file(WRITE "${samples}/hiddenattr.grb" "d")
file(WRITE "${host}/attributes.tsv" "2\tC:\\Users\\user\\Documents\\Samples\\hiddenattr.grb\n")
file(MAKE_DIRECTORY "${samples}/folderdir.grb")
file(WRITE "${samples}/textext.txt" "d")
file(WRITE "${samples}/flagged.grb" "d")
file(WRITE "${samples}/plainone.grb" "d")
set(search "")
foreach(text hiddenattr folderdir textext flagged plainone)
  string(APPEND search "documents-pane search \"${text}\"\ndump panes 1\n")
endforeach()
korvo_run(conditions EXIT 0 OUTPUT out ARGS --host ${host} --quiet log,window,call INPUT
  "${open_sample}start\nidle\ndocuments-pane expand \"Libraries\"\ndocuments-pane expand \"Samples\"\ndocuments-pane visible \"flagged.grb\"
${search}documents-pane search \"\"\ndocuments-pane show-hidden\ndocuments-pane search \"flagged\"\ndump panes 1\nquit\n")
foreach(text hiddenattr folderdir textext flagged)
  step("${out}" "user enter \"${text}\" in 692 of frame 1/1004\n" listed)
  korvo_expect("${listed}" "theme NativeWindows10\n1007 " "a search for \"${text}\" lists nothing")
endforeach()
step("${out}" "user enter \"plainone\" in 692 of frame 1/1004\n" listed)
korvo_expect("${listed}" "theme NativeWindows10\n    - Libraries\n      - Samples\n          plainone.grb\n1007 " "a plain document matches")
string(FIND "${out}" "user enter \"flagged\"" at REVERSE)
string(SUBSTRING "${out}" ${at} -1 shown)
korvo_expect("${shown}" "theme NativeWindows10\n    - Libraries\n      - Samples\n          flagged.grb\n1007 " "with hidden rows shown a hidden document matches")
