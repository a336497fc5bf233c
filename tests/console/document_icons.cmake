# An automation client saves a document's icon as a bitmap file of the size it asks for: the
# sample's cover plate carries a blue and orange icon, and the file holds those colours.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(extract EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet call,log INPUT
  "start\nidle\nautomation ExtractFileIcon \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Cover plate.grb\" \"C:\\\\Users\\\\user\\\\Documents\\\\plate.bmp\" 4 4 0\nquit\n")
korvo_expect("${out}" "\nautomation ExtractFileIcon: 1\n" "the icon saved")
file(READ "${WORK_DIR}/host/C/Users/user/Documents/plate.bmp" bitmap HEX)
# 24-bit rows from the bottom up, blue-green-red: the orange lower half, then the blue upper half.
if(NOT bitmap MATCHES "^424d" OR NOT bitmap MATCHES "2080e02080e02080e02080e0" OR NOT bitmap MATCHES "c05020c05020c05020c05020")
  message(FATAL_ERROR "the saved icon does not hold the document's colours:\n${bitmap}")
endif()
