# The log window and the themes from the console: the log window opens in the current theme, a
# theme is applied once however often it is chosen, and the kernel's document-state notice is heard.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(log_and_themes EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Bracket.grb\"\ncommand 1 7306\ncommand 1 3402\ncommand 1 3402\ndump registry\nkernel OnChangeDocumentState 1 0\nquit\n")
korvo_expect("${out}" "user command 7306 to frame 1\n([^\n]*\n)*call CXTPEdit::SetTheme\\([0-9]+\\)\nwindow created [^\n]*\"Журнал Korvo CAD\"\n"
             "the log window opens")
string(REGEX MATCHALL "ApplyTheme\\(\"office2013light\"\\)" applied "${out}")
list(LENGTH applied count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "the theme was applied ${count} times:\n${out}")
endif()
korvo_expect("${out}" "\n\"UIStyle\"=\"office2013light\"\n" "the chosen theme is kept")
korvo_expect("${out}" "\nkernel OnChangeDocumentState: done\n" "the document-state notice is taken")
