# A libraries group dragged with Ctrl from the browser pane onto another configuration's row in
# the documents menu's tree moves there with the library it holds, and both rows follow; dropped
# with Ctrl onto its own row it stays where it is.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(docs "C:\\Users\\user\\Documents")

# Rows in name order: Libraries (10,80) with Samples and Templates below it, then Other (10,140);
# once moved, Templates is the row below Other (10,140). A configuration's icons in the browser
# pane: the first at 240,80, the second at 240,137.
korvo_run(move EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet log,window INPUT
  "documents-menu configuration \"${docs}\\Libraries.tws\"\ndocuments-menu configuration \"${docs}\\Other.tws\"\nstart\nidle
documents-pane expand \"Libraries\"\ndocuments-pane select \"Libraries\"\ndump list 1/1004\ndump panes 1
expect drag choose 1/1004 10,140 ctrl\nmouse 1/1004 240,137 down\nmouse 1/1004 250,160 move\nidle\ndocuments-pane expand \"Other\"\ndump panes 1
documents-pane select \"Other\"\nexpect drag choose 1/1004 10,140 ctrl\nmouse 1/1004 240,80 down\nmouse 1/1004 250,100 move\nidle\ndump panes 1\nquit\n")
korvo_expect("${out}" "    - Libraries\n      \\+ Samples\n      \\+ Templates\n      Other\n" "Templates starts in Libraries")
after("${out}" "user drop at 1/1004 10,140 ctrl\n" moved)
korvo_expect("${moved}" "^user drop at 1/1004 10,140 ctrl\n([^\n]*\n)*dump panes 1\n([^\n]*\n)*    - Libraries\n      \\+ Samples\n    - Other\n      \\+ Templates\n"
             "moved with Ctrl, the group leaves Libraries for Other")
string(FIND "${moved}" "user drop" second REVERSE)
string(SUBSTRING "${moved}" ${second} -1 onto_itself)
korvo_expect("${onto_itself}" "^user drop at 1/1004 10,140([^\n]*\n)*dump panes 1\n([^\n]*\n)*    - Libraries\n      \\+ Samples\n    - Other\n      \\+ Templates\n"
             "dropped on its own row, the group stays")
