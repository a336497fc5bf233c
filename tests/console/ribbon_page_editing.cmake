# The ribbon page editing the live ribbon from the console: a command added into a group and
# after a control, a group renamed through the rename dialog's one edit, a new tab, a tab
# unticked; and the popup tool bar's button sets: a set chosen in the new-set dialog's select,
# the same set chosen again only focused, buttons added, as the UI library's editor holds them.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(customize "expect menu choose \"Настроить элемент...\"\n")
set(system "select 3963 \"Системные команды\"")

string(CONCAT ribbon
  "start\nidle\n${customize}"
  "expect dialog \"CXTPRibbonRenameDialog\" answer text edit \"&Files\" ok\n"
  "expect dialog 782 answer ${system} select 3960 \"Cascade\" select 3961 \"Home|Document\" click 1221 "
  "select 3960 \"Camera\" select 3961 \"Home|Document|Open\" click 1221 select 3961 \"Home|Document\" click 2892 click 3965 "
  "select 3961 \"View\" check 3961 off ok\n"
  "right-click 1 1001\ndump ribbon 1\nquit\n")
korvo_run(ribbon EXIT 0 OUTPUT out ARGS --quiet call,log,window,menu INPUT "${ribbon}")
korvo_expect("${out}" "dialog tree 3961 focus \"Home\\|Document\\|Cascade\"" "a command added onto a group goes into it, focused")
korvo_expect("${out}" "dialog \"CXTPRibbonRenameDialog\" \"Rename\"[^\n]*\ndialog text edit \"&Files\"\ndialog ok"
             "rename asks with the rename dialog")
korvo_expect("${out}" "group \"Files\"\n    57600 button \"New\" disabled\n    1001 button \"Open\"\n    1399 button \"Camera\"\n    1029 button \"Save\""
             "a command added onto a control follows it, and the group has its new name")
korvo_expect("${out}" "1201 button \"Save all\"\n    1063 button \"Cascade\"" "the command added into the group is its last")
korvo_expect("${out}" "tab 1 \"View\" hidden disabled-by-user" "an unticked tab is disabled by the user and leaves the tab row")
korvo_expect("${out}" "tab 5 \"[^\"]+\"\n  group \"[^\"]+\"\nquick access" "a new tab comes with a new group")

string(CONCAT sets
  "start\nidle\n${customize}"
  "expect dialog \"DynamicToolBarButtonSetDialog\" answer select select \"3D scene\" ok\n"
  "expect dialog \"DynamicToolBarButtonSetDialog\" answer select select \"2D drawing\" ok\n"
  "expect dialog \"DynamicToolBarButtonSetDialog\" answer select select \"3D scene\" ok\n"
  "expect dialog \"DynamicToolBarButtonSetDialog\" answer cancel\n"
  "expect dialog 782 answer select 3959 \"Popup toolbar\" click 3964 ${system} select 3960 \"Cascade\" click 1221 "
  "select 3960 \"Camera\" click 1221 select 3960 \"Full screen\" select 3961 \"3D scene|Cascade\" click 1221 "
  "click 3964 click 3964 click 3964 ok\n"
  "right-click 1 1001\ndump button-sets\nquit\n")
korvo_run(sets EXIT 0 OUTPUT out ARGS --quiet call,log,window,menu INPUT "${sets}")
korvo_expect("${out}" "dialog select select \"3D scene\"\ndialog ok\ndialog ended 1\ndialog tree 3961: 1 items\ndialog   \"3D scene\""
             "the chosen set is listed")
korvo_expect("${out}" "dump button-sets\nset 2 0 -1 flags 0x0 \"3D scene\"\n  1063 show-in-panel\n  1254 show-in-panel\n  1399 show-in-panel\n"
             "buttons go to the end, or after the button they were added onto")
korvo_expect("${out}" "dialog select select \"3D scene\"\ndialog ok\ndialog ended 1\ndialog tree 3961 focus \"3D scene\"\n"
             "a set already listed is focused, not added again")
if(out MATCHES "set 1 0")
  message(FATAL_ERROR "a set without buttons reached the editor:\n${out}")
endif()

# A set for any object is offered under its own caption.
korvo_run(any EXIT 0 OUTPUT out ARGS --quiet call,log,window,menu INPUT
  "start\nidle\n${customize}expect dialog \"DynamicToolBarButtonSetDialog\" answer select select \"Любые объекты\" ok
expect dialog 782 answer select 3959 \"Popup toolbar\" click 3964 ok\nright-click 1 1001\nquit\n")
korvo_expect("${out}" "dialog select select \"Любые объекты\"\ndialog ok\ndialog ended 1\ndialog tree 3961: 1 items\ndialog   \"Любые объекты\"\n"
             "the set for any object is listed by its caption")

korvo_run(bad_kind EXIT 2 ERROR err INPUT "expect dialog \"X\" answer text edit\n")
korvo_expect("${err}" "text edit needs a text in quotes" "a kind needs its text")
korvo_run(no_such EXIT 2 ERROR err INPUT "expect dialog \"X\" answer text box \"a\"\n")
korvo_expect("${err}" "text needs a control id \\(0 to 65535\\) or kind" "an unknown kind is refused")

# Rename is a split button: its arrow offers rename and remove. Remove takes a tab of the default
# layout out of the tab row (only unticked); the arrow of a plain button is no split button.
string(CONCAT split
  "start\nidle\n${customize}"
  "expect menu choose \"Удалить\"\n"
  "expect dialog 782 answer select 3961 \"View\" dropdown 2892 ok\n"
  "right-click 1 1001\ndump ribbon 1\nquit\n")
korvo_run(split EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT "${split}")
korvo_expect("${out}" "dialog dropdown 2892\nmenu [^\n]+ 2 items\nmenu   2892 \"Переименовать...\"\nmenu   1004 \"Удалить\"\n"
             "the arrow offers rename and remove")
korvo_expect("${out}" "\ntab 1 \"View\" hidden disabled-by-user" "remove takes the default tab out of the tab row")
korvo_run(not_split EXIT 1 OUTPUT out INPUT "start\nidle\n${customize}expect dialog 782 answer dropdown 3965 ok\nright-click 1 1001\nquit\n")
korvo_expect("${out}" "failure dialog: dropdown 3965: control 3965 is not a split button; the dialog is cancelled" "a plain button has no arrow")
