# The user tools page from the console on the sample: a command of each kind added through the
# kinds' menu, the last of three deleted with the new last selected, an icon from the drop-down
# kept as a bare name and a browsed one as a full path, a run that closes the page before the
# command starts, and an export that an import gives back whole.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(program_folder "C:\\\\Program Files\\\\Velmora\\\\Korvo CAD 18.0")
set(cover "C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Cover plate.grb")
set(add_program "expect menu choose 2\nexpect dialog 21246 answer text 1202 \"C:\\\\Tools\\\\Notes.exe\" ok\n")

string(CONCAT kinds
  "documents-menu configuration \"C:\\\\Users\\\\user\\\\Documents\\\\Libraries.tws\"\n"
  "start\nidle\nmacros \"TidyLayers\"\n"
  "expect menu choose 1\nexpect macro choose \"TidyLayers\"\n"
  "${add_program}"
  "expect menu choose 3\nexpect file choose \"${cover}\"\n"
  "expect menu choose 4\nexpect folder choose \"C:\\\\Users\\\\user\\\\Documents\"\n"
  "expect menu choose 5\nexpect dialog 21253 answer text 1150 \"Samples\" ok\n"
  "expect menu choose 6\nexpect file choose \"${cover}\"\n"
  "expect menu choose 7\nexpect file choose \"${program_folder}\\\\Prototypes\\\\Drawing.grb\"\n"
  "expect dialog 1299 answer click 43079 click 43079 click 43079 click 43079 click 43079 click 43079 click 43079 dump ok\n"
  "command 1 1215\ndump user-commands\nquit\n")
korvo_run(each_kind EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT "${kinds}")
foreach(kind "37000 type 1 [^\n]* Macro \"TidyLayers\"" "37001 type 2 [^\n]* App \"C:\\\\Tools\\\\Notes.exe\""
             "37002 type 3 [^\n]* File \"[^\n]*Cover plate.grb\"" "37003 type 4 [^\n]* Folder \"C:\\\\Users\\\\user\\\\Documents\""
             "37004 type 5 [^\n]* Library \"Samples\"" "37005 type 6 [^\n]* Path \"[^\n]*Cover plate.grb\""
             "37006 type 7 [^\n]* Prototype \"[^\n]*Drawing.grb\"")
  korvo_expect("${out}" "\n${kind}" "a command of each kind")
endforeach()
korvo_expect("${out}" "dialog   #6 \"New command [^\n]*\" selected\n" "the last new command is selected")

# Three commands, the last deleted; icons from the drop-down and from a file; a new prompt.
string(CONCAT icons
  "start\nidle\nprogram \"C:\\\\Tools\\\\Notes.exe\" exit 0\n${add_program}${add_program}${add_program}"
  "expect file choose \"${program_folder}\\\\UserIcons\\\\notes.ico\"\n"
  "expect dialog 1299 answer click 43079 click 43079 click 43079 select 43078 \"#2\" click 43080 dump "
  "select 43078 \"#0\" select 3476 \"tidy.ico\" select 43078 \"#1\" click 2301 text 43085 \"Notes\" dump ok\n"
  "command 1 1215\ndump user-commands\n"
  "expect dialog 1299 answer select 43078 \"#1\" click 43090\ncommand 1 1215\nquit\n")
korvo_run(delete_icons_run EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT "${icons}")
korvo_expect("${out}" "dialog click 43080\ndialog dump\n([^\n]*\n)*dialog   #0 \"New command [^\n]*\"\ndialog   #1 \"New command [^\n]*\" selected\ndialog control"
             "deleting the last of three selects the new last")
korvo_expect("${out}" "dialog control 3476 combobox \"[^\n]*\" selected none\ndialog   #0 \"notes.ico\"\ndialog   #1 \"tidy.ico\"\n"
             "the drop-down lists the program folder's icons")
korvo_expect("${out}" "dialog control 1214 static \"\" icon 16x16\n" "the preview shows the browsed icon")
korvo_expect("${out}" "dialog   #1 \"Notes [^\n]*\" selected\n" "the new prompt is the row's, still selected")
korvo_expect("${out}" "\n37000 type 2 prompt \"New command\" [^\n]* icon \"tidy.ico\" " "a drop-down choice is kept as a bare name")
korvo_expect("${out}" "\n37001 type 2 prompt \"Notes\" [^\n]* icon \"C:\\\\Program Files\\\\[^\n]*\\\\UserIcons\\\\notes.ico\" "
             "a browsed icon is kept as its full path")
korvo_expect("${out}" "dialog click 43090\ndialog ended 1\n([^\n]*\n)*process spawned \"C:\\\\Tools\\\\Notes.exe\""
             "the page has closed before the command runs")

# An export, everything deleted, then the import gives the commands back.
string(CONCAT exchange
  "start\nidle\nimport-commands \"${program_folder}\\\\UserCommands.kvcmd\"\ndump user-commands\n"
  "expect file choose \"C:\\\\Users\\\\user\\\\Documents\\\\mine.kvcmd\"\n"
  "expect file choose \"C:\\\\Users\\\\user\\\\Documents\\\\mine.kvcmd\"\n"
  "expect dialog 1299 answer click 43087 click 43080 click 43080 click 43080 click 43080 click 43080 click 43080 "
  "click 43080 click 43080 dump click 43084 dump ok\n"
  "command 1 1215\ndump user-commands\nquit\n")
korvo_run(export_import EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT "${exchange}")
korvo_expect("${out}" "dialog control 43078 listbox \"\"\ndialog control" "every command deleted")
after("${out}" "dialog click 43084" reopened)
korvo_expect("${reopened}" "dialog control 43078 listbox \"[^\n]*\"\ndialog   #0 \"[^\n]*\" selected\n" "the page lists the imported commands, the first selected")
korvo_expect("${reopened}" "\ndialog   #7 \"[^\n]*\"\ndialog control" "all eight of them")
# The same commands before the export and after the import, whatever their order.
function(commands_of text out)
  string(REGEX REPLACE "\n  frame" " | frame" text "${text}")
  string(REGEX MATCHALL "37[0-9][0-9][0-9] type [^\n]*" lines "${text}")
  list(SORT lines)
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()
string(FIND "${out}" "user command 1215" split)
string(SUBSTRING "${out}" 0 ${split} exported)
string(SUBSTRING "${out}" ${split} -1 imported)
commands_of("${exported}" before)
commands_of("${imported}" after)
list(LENGTH before count)
if(NOT count EQUAL 8 OR NOT before STREQUAL after)
  message(FATAL_ERROR "the import did not give back the exported commands:\n${out}")
endif()

# An export that cannot be written says so, naming the file; a user's own NAME.tmp beside the
# target is left alone by an export that succeeds.
string(CONCAT unwritable
  "start\nidle\nimport-commands \"${program_folder}\\\\UserCommands.kvcmd\"\n"
  "expect file choose \"C:\\\\Nowhere\\\\mine.kvcmd\"\n"
  "expect box \"*\" answer ok\n"
  "expect file choose \"C:\\\\Users\\\\user\\\\Documents\\\\mine.kvcmd\"\n"
  "expect dialog 1299 answer click 43087 click 43087 ok\n"
  "command 1 1215\ndump file \"C:\\\\Users\\\\user\\\\Documents\\\\mine.kvcmd.tmp\"\nquit\n")
file(REMOVE_RECURSE ${WORK_DIR}/host)
korvo_seed_host()
file(WRITE "${host}/C/Users/user/Documents/mine.kvcmd.tmp" "the user's own notes\n")
korvo_run(export_fails EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window INPUT "${unwritable}")
korvo_expect("${out}" "box [^\n]*\"Не удалось записать файл \\\"C:\\\\Nowhere\\\\mine.kvcmd\\\".\" OK icon WARNING" "the failed export names its file")
korvo_expect("${out}" "dump file [^\n]*\nfile [^\n]*: 21 bytes\n *the user's own notes\n" "the user's file beside the target is untouched")
if(NOT EXISTS "${host}/C/Users/user/Documents/mine.kvcmd")
  message(FATAL_ERROR "the second export wrote nothing:\n${out}")
endif()
