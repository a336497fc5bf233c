# The documents menu's browser pane end to end over the sample configuration: a library's
# documents as icons ("_" names first) that follow what another program does in its folder, a
# rename typed at an icon (a refused name says why), a configuration's libraries and groups, a
# library dragged onto a group's row (copied, moved with Ctrl), and the verbs' refusals.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(open_sample "documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\nstart\nidle\ndocuments-pane expand \"Libraries\"\n")
set(samples "C:\\Users\\user\\Documents\\Samples")

korvo_run(library EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet log,window,call INPUT
  "${open_sample}documents-pane select \"Samples\"\ndump list 1/1004
file write \"${samples}\\_Assembly.grb\"\nfile write \"${samples}\\notes.txt\"\ndump list 1/1004
file rename \"${samples}\\_Assembly.grb\" \"${samples}\\_Assembly.txt\"\ndump list 1/1004
expect box \"Cannot rename*\" answer ok\nrow 1/1004 1 rename \"a/b\"
row 1/1004 0 rename \"Angle.grb\"\ndump list 1/1004\ndump file \"${samples}\"
file delete \"${samples}\\Angle.grb\"\ndump list 1/1004
row 1/1004 7 rename \"x\"\nfile delete \"${samples}\\missing.grb\"\nfile rename \"${samples}\\Cover plate.grb\" \"${samples}\\Cover plate.grb\"\nquit\n")
korvo_expect("${out}" "dump list 1/1004\nlist library \"Samples\" rows 2\n  0 \"Bracket.grb\" data [0-9]+ icon [0-9]+ document \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Bracket.grb\"\n  1 \"Cover plate.grb\" data [0-9]+ icon [0-9]+ document \"[^\"]*Cover plate.grb\"\n"
             "a selected library lists its documents with their icons")
korvo_expect("${out}" "list library \"Samples\" rows 3\n  0 \"_Assembly.grb\" data [0-9]+ icon [0-9]+ document [^\n]*\n  1 \"Bracket.grb\"[^\n]*\n  2 \"Cover plate.grb\""
             "a document another program writes shows first, being an underscore name; other files do not")
korvo_expect("${out}" "  2 \"Cover plate.grb\"[^\n]*\ndump list 1/1004\nlist library \"Samples\" rows 2\n  0 \"Bracket.grb\""
             "renamed to another extension, it leaves")
korvo_expect("${out}" "box [^\n]*Cannot rename \"Cover plate.grb\" to \"a/b\": [^\n]*\nbox answer IDOK" "a refused name says why")
korvo_expect("${out}" "rows 2\n  0 \"Angle.grb\" data [0-9]+ icon [0-9]+ document \"[^\"]*Samples\\\\Angle.grb\"\n  1 \"Cover plate.grb\""
             "a rename typed at an icon renames the file, and the icon follows")
korvo_expect("${out}" "\ndump list 1/1004\nlist library \"Samples\" rows 1\n  0 \"Cover plate.grb\"" "a deleted file leaves")
korvo_expect("${out}" "row: the list has no row 7 \\(1 rows\\)\n" "a row that is not there")
korvo_expect("${out}" "file: no file or folder \"[^\"]*missing.grb\"\n" "a file that is not there")

# Rows of the configuration browser are 57 pixels high from 52 below the pane window's top, at 185
# from its left; the tree's rows are 20 high below its header (10,130: Templates).
korvo_run(drag EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host2 --quiet log,window,call INPUT
  "${open_sample}documents-pane select \"Libraries\"\ndump list 1/1004
expect drag choose 1/1004 10,130\nmouse 1/1004 240,80 down\nmouse 1/1004 250,95 move\nmouse 1/1004 250,95 up\ndump panes 1
documents-pane select \"Libraries\"
expect drag choose 1/1004 10,130 ctrl\nmouse 1/1004 240,80 down\nmouse 1/1004 250,95 move\nmouse 1/1004 250,95 up
documents-pane select \"Libraries\"\ndump list 1/1004\ndump panes 1\nrow 1/1004 0 open\ndump list 1/1004\nquit\n")
korvo_expect("${out}" "list configuration \"Libraries\" rows 2\n  0 \"Samples\" data [0-9]+ icon [0-9]+ library \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\\"\n  1 \"Templates\" data [0-9]+ icon [0-9]+ group \"Templates\"\n"
             "a configuration lists its libraries and groups")
korvo_expect("${out}" "user drag \"Library\" effects 3\nuser drop at 1/1004 10,130\n" "a library's icon drags the library")
korvo_expect("${out}" "    - Libraries\n      \\+ Samples\n      - Templates\n        \\+ Prototypes\n        \\+ Samples\n"
             "without Ctrl the group takes a copy")
korvo_expect("${out}" "user drop at 1/1004 10,130 ctrl\n[^\n]*\ndump list 1/1004\nlist configuration \"Libraries\" rows 1\n  0 \"Templates\""
             "with Ctrl the library itself moves")
korvo_expect("${out}" "user mouse dblclick on [^\n]*\ndump list 1/1004\nlist group \"Templates\" rows 3\n  0 \"Prototypes\"[^\n]*\n  1 \"Samples\"[^\n]*\n  2 \"Samples\"[^\n]*icon 11 library"
             "a group's icon opens the group; a library whose name another has shows icon 11")
