# The kernel asks for the program's icon: the icon of the main resource id from the program's
# resources (the sample's icons/1000.png); without that icon the answer is null.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(icon EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet call,log INPUT
  "start\nidle\nkernel GetMainResourceId\nkernel LoadMainIcon\nquit\n")
korvo_expect("${out}" "\nkernel GetMainResourceId: 1000\nkernel LoadMainIcon: icon 32x32\n" "the sample's icon")

file(REMOVE "${WORK_DIR}/host/C/Program Files/Velmora/Korvo CAD 18.0/icons/1000.png")
korvo_run(none EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet call,log INPUT "start\nidle\nkernel LoadMainIcon\nquit\n")
korvo_expect("${out}" "\nkernel LoadMainIcon: null\n" "no icon")
