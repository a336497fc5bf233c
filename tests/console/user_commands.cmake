# User commands at the console: the sample's command file imported, each kind run from the main
# frame (a program started and waited for, a macro, a document through a library reference, panes,
# a fragment, a document from a prototype), a program that cannot start, and the icons in the frame.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(program_folder "C:\\\\Program Files\\\\Velmora\\\\Korvo CAD 18.0")
# The library references of the sample's commands name the sample's libraries.
set(libraries "documents-menu configuration \"C:\\\\Users\\\\user\\\\Documents\\\\Libraries.tws\"\n")
set(import "import-commands \"${program_folder}\\\\UserCommands.kvcmd\"\n")

korvo_run(run_each EXIT 0 OUTPUT out ARGS --quiet log INPUT
  "${libraries}start\nidle\nmacros \"TidyLayers\"\nprogram \"C:\\\\Tools\\\\Notes.exe\" exit 0\n${import}dump user-commands\n\
command 1 37000\ncommand 1 37001\ndump windows\ncommand 1 37002\ncommand 1 37003\ncommand 1 37004\ncommand 1 37005\n\
command 1 37006\nexpect box \"*C:\\\\Tools*cannot be started*\" answer ok\ncommand 1 37007\ndump documents\ndump panes 1\nquit\n")
korvo_expect("${out}" "\nimport-commands: 8 commands\n" "the sample's command file holds eight commands")
korvo_expect("${out}" "\n37001 type 2 prompt \"Notes\" tooltip \"Starts the notes program and waits for it\" icon \"notes.ico\" App \"C:\\\\Tools\\\\Notes.exe\" Args \"\" Wait 1\n  frame 1 icon 16\n"
  "a program command with its icon file in the frame")
korvo_expect("${out}" "\n37002 type 3 [^\n]*\n  frame 1 icon 16,32\n" "a document's icons reach the frame through a library reference")
korvo_expect("${out}" "call MacroManager::RunMacro\\(\"TidyLayers\", [^\n]*\\) = true\n" "the macro ran")
korvo_expect("${out}" "process spawned \"C:\\\\Tools\\\\Notes.exe\" \"C:\\\\Tools\\\\Notes.exe\" \" \"\nprocess ended \"C:\\\\Tools\\\\Notes.exe\" with 0\n"
  "the program started with one blank as its argument and was waited for")
korvo_expect("${out}" "\"AfxMDIFrame\"[^\n]* visible enabled" "the frame is enabled again after the wait")
korvo_expect("${out}" "Cover plate[^\n]*C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Cover plate.grb" "the file of the library reference opened")
korvo_expect("${out}" "FolderPath=\"C:\\\\Users\\\\user\\\\Documents\"" "the folder opened in a clipart pane")
korvo_expect("${out}" "call Korvo::DocumentManager::CreateNewDocument\\(\"C:\\\\Program Files\\\\Velmora\\\\Korvo CAD 18.0\\\\Prototypes\\\\Drawing.grb\"\\)" "a document from the prototype")
korvo_expect("${out}" "box [^\n]*The program \"C:\\\\Tools\" cannot be started." "a failed start is said")

# A program that runs: the command that does not wait leaves it running, until it is ended.
korvo_run(running EXIT 0 OUTPUT out ARGS --quiet log,call INPUT
  "${libraries}start\nidle\nprogram \"C:\\\\Tools\\\\Notes.exe\" run\nprogram \"C:\\\\Tools\\\\Notes.exe\" end 3\n${import}command 1 37001\nprogram \"C:\\\\Tools\\\\Notes.exe\" run\nquit\n")
korvo_expect("${out}" "process spawned [^\n]*\nprocess ended \"C:\\\\Tools\\\\Notes.exe\" with 3\n" "a waited-for program ends as told")

# A missing program is said with its own message and nothing starts; a command file that is none
# leaves the commands.
korvo_run(missing EXIT 0 OUTPUT out ARGS --quiet log,call INPUT
  "${libraries}start\nidle\n${import}expect box \"*Notes.exe*cannot be read*\" answer ok\ncommand 1 37001\nimport-commands \"${program_folder}\\\\Tips.txt\"\ndump user-commands\nquit\n")
korvo_expect("${out}" "import-commands: \"[^\n]*Tips.txt\" is no command file\n" "a text is no command file")
korvo_expect("${out}" "\n37007 type 2 " "the commands stay after a refused import")
if(out MATCHES "process spawned")
  message(FATAL_ERROR "a missing program was started:\n${out}")
endif()

# Two runs over one host folder: a command added on the user tools page is there after a restart,
# and so is a command written into the registry section between two runs. Its program is chosen
# with Browse by a name typed without its extension, which the chooser completes.
file(REMOVE_RECURSE ${WORK_DIR}/host)
string(CONCAT add_one "start\nidle\nexpect menu choose 2\nexpect file choose \"C:\\\\Tools\\\\Notes\"\n"
  "expect dialog 21246 answer click 1203 ok\n"
  "expect dialog 1299 answer click 43079 text 43086 \"Notes, kept\" ok\ncommand 1 1215\nquit\n")
korvo_run(before_restart EXIT 0 ARGS --host ${WORK_DIR}/host INPUT "${add_one}")
korvo_run(after_restart EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet call,log,window INPUT "start\nidle\ndump user-commands\nquit\n")
korvo_expect("${out}" "dump user-commands\n37000 type 2 prompt \"New command\" tooltip \"Notes, kept\" icon \"\" App \"C:\\\\Tools\\\\Notes.exe\" "
             "the command added before the restart is there")

set(hive "${WORK_DIR}/host/registry/HKEY_CURRENT_USER.reg")
file(READ "${hive}" registry)
string(REPLACE "[Software\\Velmora\\Korvo CAD 18.0\\UserCommands]\n\"Count\"=dword:00000001\n"
               "[Software\\Velmora\\Korvo CAD 18.0\\UserCommands]\n\"Count\"=dword:00000002\n" edited "${registry}")
if(edited STREQUAL registry)
  message(FATAL_ERROR "the first run kept no user command in the registry:\n${registry}")
endif()
string(APPEND edited "[Software\\Velmora\\Korvo CAD 18.0\\UserCommands\\Command1]\n\"Type\"=dword:00000004\n"
  "\"ID\"=dword:0000927c\n\"Prompt\"=\"Written by hand\"\n\"Folder\"=\"C:\\\\Users\\\\user\\\\Documents\"\n")
file(WRITE "${hive}" "${edited}")
korvo_run(from_registry EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet call,log,window INPUT "start\nidle\ndump user-commands\nquit\n")
korvo_expect("${out}" "\n37500 type 4 prompt \"Written by hand\" [^\n]*Folder \"C:\\\\Users\\\\user\\\\Documents\"" "a command written into the registry is read")
korvo_expect("${out}" "\n37000 type 2 prompt \"New command\" " "the saved one stays")

# The user's order stays: two runs over one host list the commands in the same order, and so
# does an export imported again. A count in the registry far beyond what a save writes holds up
# no start: the commands there are read. A collection emptied on the user tools page is saved
# empty and stays empty after a restart.
function(command_ids text out)
  string(REGEX MATCHALL "\n37[0-9][0-9][0-9] type" lines "${text}")
  string(REPLACE " type" "" lines "${lines}")
  string(REPLACE "\n" "" lines "${lines}")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()
set(order_host ${WORK_DIR}/order)
file(REMOVE_RECURSE ${order_host})
set(exchange "C:\\\\Users\\\\user\\\\Documents\\\\again.kvcmd")
string(CONCAT export_import
  "expect file choose \"${exchange}\"\nexpect dialog 1299 answer click 43087 ok\ncommand 1 1215\n"
  "import-commands \"${exchange}\"\ndump user-commands\n")
korvo_run(order_first EXIT 0 OUTPUT out ARGS --host ${order_host} --quiet call,log,window INPUT
  "${libraries}start\nidle\n${import}dump user-commands\n${export_import}quit\n")
string(FIND "${out}" "user command 1215" split)
string(SUBSTRING "${out}" 0 ${split} before_export)
string(SUBSTRING "${out}" ${split} -1 after_import)
command_ids("${before_export}" shown)
command_ids("${after_import}" imported)
list(LENGTH shown count)
if(NOT count EQUAL 8 OR NOT imported STREQUAL shown)
  message(FATAL_ERROR "an export imported again changed the order: ${shown} then ${imported}\n${out}")
endif()
korvo_run(order_second EXIT 0 OUTPUT out ARGS --host ${order_host} --quiet call,log,window INPUT
  "${libraries}start\nidle\ndump user-commands\nquit\n")
command_ids("${out}" restarted)
if(NOT restarted STREQUAL shown)
  message(FATAL_ERROR "the order changed at the restart: ${shown} then ${restarted}\n${out}")
endif()

set(hive "${order_host}/registry/HKEY_CURRENT_USER.reg")
file(READ "${hive}" registry)
string(REPLACE "[Software\\Velmora\\Korvo CAD 18.0\\UserCommands]\n\"Count\"=dword:00000008\n"
               "[Software\\Velmora\\Korvo CAD 18.0\\UserCommands]\n\"Count\"=dword:ffffffff\n" edited "${registry}")
if(edited STREQUAL registry)
  message(FATAL_ERROR "the user commands' count is not where it was looked for:\n${registry}")
endif()
file(WRITE "${hive}" "${edited}")
korvo_run(huge_count EXIT 0 OUTPUT out ARGS --host ${order_host} --quiet call,window INPUT
  "${libraries}start\nidle\ndump user-commands\nquit\n")
command_ids("${out}" read_back)
if(NOT read_back STREQUAL shown)
  message(FATAL_ERROR "a huge count lost commands or their order: ${shown} then ${read_back}\n${out}")
endif()
korvo_expect("${out}" "log 6 The user commands' count 4294967295 is more than can be kept; only the first 1000 are read\n"
             "the damaged count is said")

korvo_run(emptied EXIT 0 ARGS --host ${order_host} INPUT
  "start\nidle\nexpect dialog 1299 answer click 43080 click 43080 click 43080 click 43080 click 43080 click 43080 click 43080 click 43080 ok\ncommand 1 1215\ndump user-commands\nquit\n")
korvo_run(empty_after_restart EXIT 0 OUTPUT out ARGS --host ${order_host} --quiet call,log,window INPUT
  "start\nidle\ndump user-commands\nquit\n")
if(out MATCHES "\n37[0-9][0-9][0-9] type")
  message(FATAL_ERROR "commands deleted to the last came back after a restart:\n${out}")
endif()
