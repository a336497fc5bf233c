# File Open's filter line names each file type once: opening a picture registers the image
# template, which shares the drawings' file type, and adds no second "Drawings (*.grb)".
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(after_picture EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"C:\\Users\\user\\Documents\\Samples\\Gear.png\"\nexpect file cancel\ncommand 1 1001\nquit\n")
korvo_expect("${out}" "file cancel\n" "the second chooser is answered")
string(REGEX MATCHALL "file open \"\" filter \"[^\"]*\"" choosers "${out}")
list(LENGTH choosers count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "two file choosers expected:\n${out}")
endif()
foreach(chooser IN LISTS choosers)
  if(NOT chooser STREQUAL "file open \"\" filter \"Drawings (*.grb)|*.grb|All Files (*.*)|*.*||\"")
    message(FATAL_ERROR "a filter listed twice or missing: ${chooser}")
  endif()
endforeach()
