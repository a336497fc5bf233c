# The documents menu's remaining actions end to end: a document's properties edited from its row's
# menu and kept in its file, a library's drawings made a tool bar of the main frame (once), the
# form factors searched by name, their bar taking the screen-tip option when the settings are
# applied, and the browser's list drawing in the theme's text colours.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(open_sample "documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\nstart\nidle\ndocuments-pane expand \"Libraries\"\n")

# The tree's rows are 20 pixels high from 72 below the pane window's top: Samples at 10,100, and
# once it is expanded Bracket.grb at 10,120.
korvo_run(properties EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet log,window INPUT
  "${open_sample}documents-pane expand \"Samples\"\ndocuments-pane select \"Bracket.grb\"
expect dialog \"dialogs.document_properties\" answer text 1203 \"Bracket, small\" ok\nexpect menu choose \"Свойства\"\nmouse 1/1004 10,120 rclick
expect dialog \"dialogs.document_properties\" answer dump cancel\nexpect menu choose \"Свойства\"\nmouse 1/1004 10,120 rclick\nquit\n")
korvo_expect("${out}" "call CKvw32Doc::UpdateProperties\\(\"[^\"]*Samples.Bracket.grb\"\\)\n([^\n]*\n)*dialog text 1203 \"Bracket, small\"\ndialog ok\n([^\n]*\n)*call CKvw32Doc::OnClosePartialDocument\\(\\)\n"
             "Properties shows the kernel's dialog over the file, then lets the passing document go")
korvo_expect("${out}" "dialog control 1203 [a-z]+ \"Bracket, small\"" "the title typed is kept in the file")

korvo_run(tool_bar EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host2 --quiet log,window,call INPUT
  "${open_sample}expect menu choose \"Создать панель инструментов\"\nmouse 1/1004 10,100 rclick\ndump bars 1
expect box \"*exists already*\" answer ok\nexpect menu choose \"Создать панель инструментов\"\nmouse 1/1004 10,100 rclick\nquit\n")
korvo_expect("${out}" "menu   0 \"Создать панель инструментов\"" "a library's row offers the tool bar")
korvo_expect("${out}" "dump bars 1\n([^\n]*\n)*bar 59392 \"Samples\" toolbar visible\n  37000 button \"Bracket\" [^\n]*\n  37001 button \"Cover plate\" "
             "the library's drawings make a tool bar of the frame")
korvo_expect("${out}" "box [^\n]*exists already" "a second bar of the same name is refused")

korvo_run(search EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host3 --quiet log,window,call INPUT
  "${open_sample}formfactors 1/1004 search \"thi\"\ndocuments-pane expand \"Samples\"\ndocuments-pane select \"Cover plate.grb\"
formfactors 1/1004 search \"THICK\"\ndump formfactors 1/1004\nformfactors 1/1004 search \"Steel\"\ndump formfactors 1/1004
formfactors 1/1004 search \"\"\ndump formfactors 1/1004
expect dialog 783 answer check 104 off ok\ncommand 1 35001\ndump formfactors 1/1004\nquit\n")
korvo_expect("${out}" "formfactors: no form factors are shown in " "no search without form factors shown")
korvo_expect("${out}" "rows 1 view names search \"THICK\" screen-tips on\n  0 \"Thick\" values " "the search keeps the names that hold the text, case ignored")
korvo_expect("${out}" "rows 0 view names search \"Steel\" screen-tips on\n" "the values are not searched")
korvo_expect("${out}" "rows 2 view names search \"\" screen-tips on\n" "an empty search shows every form factor")
korvo_expect("${out}" "user command 35001 [^\n]*\n([^\n]*\n)*formfactors [^\n]* screen-tips off\n" "applied settings reach the form factors' bar")

korvo_run(colours EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host4 --quiet log,window,call INPUT
  "${open_sample}documents-pane select \"Samples\"\ncommand 1 3402\ndump browser 1/1004\nquit\n")
korvo_expect("${out}" "  colours background #FFFFFF text #444444 theme \"office2013light\"\n  list background #FFFFFF text #444444 text-background #FFFFFF\n"
             "the list draws in the theme's text colour")
