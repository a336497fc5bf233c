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

# A library moved with Ctrl into a configuration kept in another folder still lists its folder's
# documents, and so it does after a restart: the moved library names its folder in full.
set(away "documents-menu configuration \"${docs}\\Libraries.tws\"\ndocuments-menu configuration \"C:\\Users\\user\\Away\\Other.tws\"\nstart\nidle\n")
korvo_run(away EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/away --quiet log,window INPUT
  "${away}documents-pane expand \"Libraries\"\ndocuments-pane select \"Libraries\"
expect drag choose 1/1004 10,140 ctrl\nmouse 1/1004 240,80 down\nmouse 1/1004 250,100 move\nidle\ndocuments-pane expand \"Other\"\ndump panes 1
documents-pane select \"Samples\"\ndump list 1/1004\nquit\n")
korvo_expect("${out}" "    - Libraries\n      \\+ Templates\n    - Other\n      \\+ Samples\n" "the library moved to Other")
korvo_expect("${out}" "dump list 1/1004\nlist library \"Samples\" rows 2\n" "the moved library lists its documents")
korvo_run(away_again EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/away --quiet log,window INPUT
  "${away}documents-pane expand \"Other\"\ndocuments-pane select \"Samples\"\ndump list 1/1004\ndump file \"C:\\Users\\user\\Away\\Other.tws\"\nquit\n")
korvo_expect("${out}" "dump list 1/1004\nlist library \"Samples\" rows 2\n" "after a restart the moved library lists its documents")
korvo_expect("${out}" "name=\"Samples\" path=\"C:\\\\Users\\\\user\\\\Documents\\\\Samples\"" "the file names the folder in full")

# A clipart pane showing a group that moves to another configuration: its Level up leads to the
# new one and says so.
korvo_run(tooltip EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/tooltip --quiet log,window INPUT
  "documents-menu configuration \"${docs}\\Libraries.tws\"\ndocuments-menu configuration \"${docs}\\Other.tws\"\nstart\nidle
documents-pane expand \"Libraries\"\nexpect menu choose \"Открыть в новом окне\"\nmouse 1/1004 10,120 rclick\ndump browser 1/11000
documents-pane select \"Libraries\"\nexpect drag choose 1/1004 10,140 ctrl\nmouse 1/1004 240,137 down\nmouse 1/1004 250,160 move\nidle
dump browser 1/11000\nclick 1/11000 40819\ndump browser 1/11000\nquit\n")
korvo_expect("${out}" "dump browser 1/11000\nbrowser group \"Templates\" [^\n]*\n  level-up 40819 enabled tooltip \"Перейти к \"Libraries\"\"\n"
             "before the move Level up leads to Libraries")
after("${out}" "user drop at 1/1004 10,140 ctrl\n" moved)
korvo_expect("${moved}" "dump browser 1/11000\nbrowser group \"Templates\" [^\n]*\n  level-up 40819 enabled tooltip \"Перейти к \"Other\"\"\n"
             "after the move Level up names Other")
korvo_expect("${moved}" "user click 40819 in frame 1/11000\ndump browser 1/11000\nbrowser configuration \"Other\" " "and leads there")
