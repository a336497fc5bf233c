# `dump watches`: the folders the documents menu watches, one kernel watch for each however many
# rows and browsers follow it, and a folder nothing follows any more no longer watched.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(host ${WORK_DIR}/host)
set(configuration "C:\\Users\\user\\Libraries\\Standard.tws")

korvo_run(seed EXIT 0 ARGS --host ${host} INPUT
  "documents-menu configuration \"${configuration}\"\ndocuments-menu library \"Bolts\"\n")
file(WRITE "${host}/C/Users/user/Libraries/Bolts/nut.grb" "document")

string(CONCAT input
  "documents-menu configuration \"${configuration}\"\ndump watches\nstart\nidle\n"
  "documents-menu expand \"Standard\"\ndocuments-menu expand \"Standard/Bolts\"\ndump watches\n"
  "documents-pane expand \"Standard\"\ndocuments-pane select \"Bolts\"\ndump watches\n"
  "file write \"C:\\Users\\user\\Libraries\\Bolts\\washer.grb\"\ndump documents-menu\nquit\n")
korvo_run(watches EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window INPUT "${input}")
korvo_expect("${out}" "^dump watches\n\\(no watched folders\\)\n" "nothing watched before a row is expanded")
korvo_expect("${out}" "dump watches\nwatch \"C:\\\\Users\\\\user\\\\Libraries\\\\Bolts\\\\\" kernel watch\n  row \"Bolts\"\ndump watches\n"
             "an expanded library's row follows its folder")
korvo_expect("${out}" "dump watches\nwatch \"C:\\\\Users\\\\user\\\\Libraries\\\\Bolts\\\\\" kernel watch\n  row \"Bolts\"\n  browser of library \"Bolts\"\ndump documents-menu\n"
             "the browser follows the same folder under the same one watch")
korvo_expect("${out}" "\n      washer.grb  C:\\\\Users\\\\user\\\\Libraries\\\\Bolts\\\\washer.grb\n" "the watch brings the new document to the row")
string(REGEX MATCHALL "watch \"[^\n]*Bolts\\\\\" kernel watch" watches "${out}")
list(LENGTH watches count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "the folder was not listed once in each of the two dumps:\n${out}")
endif()
