# Rows of the documents menu dragged and dropped end to end over the sample configuration: a
# document dragged onto another library's row is copied into its folder and shows there; a
# cancelled drag changes nothing; a row that is not there is refused; a drag nobody answers
# fails a strict run.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(open_sample "documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\nstart\nidle\n")
set(expand_all "documents-pane expand \"Libraries\"\ndocuments-pane expand \"Samples\"\ndocuments-pane expand \"Templates\"\ndocuments-pane expand \"Prototypes\"\n")

# Rows: 0 Libraries, 1 Samples, 2 Bracket.grb, 3 Cover plate.grb, 4 Templates, 5 Prototypes, the
# last at 10,190 of the pane window (below its two tool bars and the tree's header).
korvo_run(copy EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet log,window INPUT
  "${open_sample}${expand_all}expect drag cancel\nrow 1/1004 2 drag\nexpect drag choose 1/1004 10,190\nrow 1/1004 2 drag\ndump panes 1\nrow 1/1004 40 drag\nquit\n")
korvo_expect("${out}" "\nuser drag \"CF_HDROP\" \"Preferred DropEffect\" effects 3\nuser drag cancel\n"
             "a cancelled drag")
korvo_expect("${out}" "\nuser drop at 1/1004 10,190\ncall SHFileOperationW\\(2, \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Bracket.grb\" -> \"[^\"]*Prototypes\\\\\", flags 64\\)\n"
             "the document is copied into the library it was dropped on")
korvo_expect("${out}" "      - Templates\n        - Prototypes\n            Bracket.grb\n            Drawing.grb\n"
             "the copy shows in the library's row")
korvo_expect("${out}" "      - Samples\n          Bracket.grb\n" "the original stays")
korvo_expect("${out}" "\nrow: the list has no row 40 \\([0-9]+ rows\\)\n" "a row that is not there")

korvo_run(unexpected EXIT 1 OUTPUT out ERROR err ARGS --host ${WORK_DIR}/host2 --quiet log,window,call INPUT
  "${open_sample}${expand_all}row 1/1004 3 drag\nquit\n")
korvo_expect("${err}" "unexpected drag \"CF_HDROP\" \"Preferred DropEffect\" effects 3" "a drag nobody answers")
