# What the program finds in its mapped file system: a file's lines, a folder's entries, and a
# clear word for a path that holds neither; the run goes on after it.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(program_re "C:\\\\Program Files\\\\Velmora\\\\Korvo CAD 18.0")
string(CONCAT script
  "dump file \"Korvo.ini\"\n"
  "dump file \".\"\n"
  "dump file \"nothing.txt\"\n"
  "start\nidle\n"
  "dump file \"C:\\\\Program Files\\\\Velmora\\\\Korvo CAD 18.0\\\\i18n\"\n"
  "quit\n")
korvo_run(dump_file EXIT 0 OUTPUT out INPUT "${script}")
korvo_expect("${out}" "\nfile \"${program_re}\\\\Korvo.ini\": [0-9]+ bytes\n  ; Product settings[^\n]*\n  \\[SETTINGS\\]\n"
             "a file is printed with its size and its lines, a relative path against the program folder")
korvo_expect("${out}" "\nfolder \"${program_re}\": [0-9]+ entries\n(  [^\n]*\n)*  Images\\\\\n(  [^\n]*\n)*  Korvo.ini [0-9]+ bytes\n"
             "a folder lists its sub-folders and its files with their sizes")
korvo_expect("${out}" "\ndump file: no file or folder \"nothing.txt\"\n" "a missing path is said, not a failure")
korvo_expect("${out}" "\ndump file \"C:[^\n]*i18n\"\nfolder \"${program_re}\\\\i18n\": " "a running program's folders are shown too")
