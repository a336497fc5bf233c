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

# An item the kernel puts into the system menu is listed with the backstage and clicked there.
korvo_run(system_menu_click EXIT 0 OUTPUT out INPUT
  "start\nidle\nkernel InsertRibbonSystemMenuItem 1068 \"Start here\" 0 1\ndump backstage 1\nbackstage 1\ndump backstage 1\nclick 1 1068\ndump startpage 1\nquit\n")
korvo_expect("${out}" "dump backstage 1\nbackstage closed\n(tab [^\n]*\n)*theme [0-9]+\n(item [^\n]*\n)*item 1068 \"Start here\"\n"
             "dump backstage lists the system menu's items")
korvo_expect("${out}" "user click 1068 on frame 1\n(.*\n)?dump startpage 1\nstart-page 0x" "click reaches the item: its command runs")
korvo_run(system_menu_closed EXIT 0 OUTPUT out INPUT
  "start\nidle\nkernel InsertRibbonSystemMenuItem 1068 \"Start here\" 0 1\nclick 1 1068\ndump startpage 1\nquit\n")
korvo_expect("${out}" "\nclick: control 1068 is in the backstage, which is closed\n(.*\n)?dump startpage 1\n\\(no start page\\)\n"
             "a closed backstage hides its items")
