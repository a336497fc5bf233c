# The kernel's changed template-folder options: told to the program as the kernel would, and
# arguments that are not the folder and its two numbers are refused before anything is told.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(changed EXIT 0 OUTPUT out INPUT "start\nidle\nnew-frame\nkernel OnChangeSettings \"Templates\" 1 1\nkernel OnChangeSettings \"Templates\" 1 1\ndump frames\nquit\n")
korvo_expect("${out}" "kernel OnChangeSettings: done\nkernel OnChangeSettings: done\n"
             "a change and the same values again are both taken")
korvo_expect("${out}" "\n2 0x[0-9a-f]+ \"Korvo CAD \\(2\\)\" active\n" "both frames stay open")

korvo_run(bad_number EXIT 2 ERROR err INPUT "start\nidle\nkernel OnChangeSettings \"Templates\" x\nquit\n")
korvo_expect("${err}" "OnChangeSettings: x is not a number" "a word where a number belongs is a mistake")
