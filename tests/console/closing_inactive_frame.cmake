# Closing the main frame that is not the active one, as the taskbar's Close does: the other frame
# stays the active one, so the kernel's message bars, new frames (cloned from it) and the frame's
# own commands keep working.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(close_inactive EXIT 0 OUTPUT out INPUT
  "start\nidle\nnew-frame\ndump frames\nclose 1\ndump frames\nkernel ShowMessageBar 5 \"Title\" \"Text\"\ndump modes 1\nnew-frame\ndump frames\nquit\n")
after("${out}" "\ndump frames\n" before)
korvo_expect("${before}" "^\ndump frames\n1 [^\n]* inactive\n2 [^\n]* active\n" "the new frame is the active one")
after("${out}" "user close" closed)
korvo_expect("${closed}" "\ndump frames\n1 [^\n]* active\n[^0-9]" "the frame left is the active one")
korvo_expect("${closed}" "\nkernel ShowMessageBar: object\n" "the kernel's message bar shows")
korvo_expect("${closed}" "\nmessage-bar 5 \"" "on the frame left")
after("${closed}" "\ndump modes 1\n" cloned)
korvo_expect("${cloned}" "Cloned main frame in " "the next frame is a clone of the active one")
korvo_expect("${cloned}" "\ndump frames\n1 [^\n]* inactive\n2 [^\n]* active\n" "and becomes the active one")
