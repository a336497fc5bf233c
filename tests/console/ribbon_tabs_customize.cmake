# The ribbon-tabs pop-up ends with the command that customises the ribbon, captioned in the
# program's language rather than by its text key; the pop-up sits on the Tools tab.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(customize EXIT 0 OUTPUT out INPUT "start\nidle\ntab 1 \"Tools\"\nexpect menu dismiss\nclick 1 \"Ribbon tabs\"\nquit\n")
korvo_expect("${out}" "\nmenu   ---- 9607 \"Настроить ленту\\.\\.\\.\"\nmenu answer dismiss \\(expected\\)\n"
             "the last entry shows the translated caption")
