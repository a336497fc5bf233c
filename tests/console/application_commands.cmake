# The kernel's system-menu items and the count of application commands, called by name.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(system_menu EXIT 0 OUTPUT out INPUT
  "start\nidle\nkernel InsertRibbonSystemMenuItem 20900 \"Gears\" 0 1\nkernel InsertRibbonSystemMenuItem 20900 \"Gears\" 0 1\nkernel GetApplicationCommandCount\nquit\n")
korvo_expect("${out}" "\nkernel InsertRibbonSystemMenuItem: done\nkernel InsertRibbonSystemMenuItem: done\nkernel GetApplicationCommandCount: 0\n"
             "the item is inserted and the sample has no application commands")
korvo_run(bad_flag EXIT 2 ERROR err INPUT "start\nidle\nkernel InsertRibbonSystemMenuItem 20900 \"Gears\" 0\n")
korvo_expect("${err}" "<stdin>:3: InsertRibbonSystemMenuItem: missing argument" "a missing argument")
