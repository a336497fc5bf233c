# The start page and the PDM work-mix page as the user meets them: the start-page command opens
# them by the start-page mode, the page follows the recent-file list and pins the entry it is told,
# opening with close-after-open closes the page only after a document became active, and the
# work-mix page goes with the PDM connection and comes back with it.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(cover "C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Cover plate.grb")
korvo_run(recent EXIT 0 OUTPUT out
          INPUT "start\nidle\ndump startpage 1\nopen \"${cover}\"\ncommand 1 1068\ncommand 1 1068\ndump startpage 1\nstartpage 1 pin 0 on\nstartpage 1 pin 5 on\ndump startpage 1\nstartpage 1 open-recent 0 close\ndump startpage 1\nquit\n")
korvo_expect("${out}" "dump startpage 1\n\\(no start page\\)\n" "no start page before the command")
string(REGEX MATCHALL "StartPageController::CreateControl" made "${out}")
list(LENGTH made made_count)
if(NOT made_count EQUAL 1)
  message(FATAL_ERROR "a second start-page command in the same frame opened another page:\n${out}")
endif()
korvo_expect("${out}" "start-page 0x[0-9a-f]+ tab \"Start Page\" icon 1068 theme 2 folder \"\" show-option on close-after-open off\n  recent 0 \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Cover plate.grb\"\n"
             "the page lists the recent document, with its tab, icon and the theme's number")
korvo_expect("${out}" "RecentDocumentPinStateChanged\\(0x[0-9a-f]+, 0, true\\)\n" "pinning entry 0 sends its state back to the page")
korvo_expect("${out}" "  recent 0 \"[^\"]*\" pinned\n" "the page shows the entry pinned")
if(out MATCHES "PinStateChanged\\([^,]*, 5")
  message(FATAL_ERROR "a pin past the list's entries reached the page:\n${out}")
endif()
string(FIND "${out}" "StartPageController::DestroyControl" destroyed)
string(FIND "${out}" "dump startpage 1\n(no start page)\n" gone REVERSE)
string(FIND "${out}" "ReadDocumentFileInfo" reopened REVERSE)
if(destroyed LESS 0 OR gone LESS destroyed OR destroyed LESS reopened)
  message(FATAL_ERROR "opening with close-after-open did not close the page after the document became active:\n${out}")
endif()

korvo_run(past_entries EXIT 0 OUTPUT out
          INPUT "start\nidle\nopen \"${cover}\"\ncommand 1 1068\nstartpage 1 open-recent 3 close\nstartpage 1 remove 3\ndump startpage 1\nquit\n")
korvo_expect("${out}" "dump startpage 1\nstart-page [^\n]*\n  recent 0 [^\n]*\n" "an index past the entries opens, removes and closes nothing")
string(REGEX MATCHALL "DocumentManager::Open\\(" opened "${out}")
list(LENGTH opened opened_count)
if(NOT opened_count EQUAL 1)
  message(FATAL_ERROR "a recent entry past the list's entries was opened:\n${out}")
endif()

korvo_run(workmix EXIT 0 OUTPUT out
          INPUT "start\nidle\nmodel SetStartPageMode 1 \"http://pdm/workmix\"\ncommand 1 1068\ndump startpage 1\nmodel ConnectPdm\nmodel SetStartPageMode 2\ncommand 1 1068\ndump startpage 1\nmodel DisconnectPdm\ndump startpage 1\nmodel ConnectPdm\ndump startpage 1\nquit\n")
korvo_expect("${out}" "model SetStartPageMode: done\nuser command 1068 to frame 1\ncall KVCommand::Run[^\n]*\ncall [^\n]*CreateControl" "mode 1 disconnected opens the start page")
korvo_expect("${out}" "call KVPDMPageFactory::CreatePage\\(\"http://pdm/workmix\"\\)\n" "mode 2 connected makes the work-mix page")
korvo_expect("${out}" "dump startpage 1\nstart-page [^\n]*\nwork-mix-page 0x[0-9a-f]+ tab \"Work mix\" icon own url \"http://pdm/workmix\"\n"
             "mode 2 connected shows both pages; the work-mix tab takes the page's title and icon")
korvo_expect("${out}" "model DisconnectPdm: done\ndump startpage 1\nstart-page [^\n]*\ncall KVPDMWorkMix::Connect"
             "a disconnect detaches the work-mix page")
korvo_expect("${out}" "model ConnectPdm: 0\n(window [^\n]*\n)*dump startpage 1\nstart-page [^\n]*\nwork-mix-page [^\n]*\n"
             "the connection brings the page back")

# Open with close-after-open, the file chooser cancelled: no document became active, the page stays.
korvo_run(open_cancelled EXIT 0 OUTPUT out
          INPUT "start\nidle\ncommand 1 1068\nexpect file cancel\nstartpage 1 open close\nstartpage 1 show-option off\ndump startpage 1\nnew-frame\ncommand 2 1068\nquit\n")
korvo_expect("${out}" "dump startpage 1\nstart-page [^\n]* show-option off " "a cancelled open leaves the page, which keeps its show option")
korvo_expect("${out}" "user command 1068 to frame 2\n[^\n]*\ncall [^\n]*CreateControl\\([^\n]*, false, true\\)\n" "the next page starts with the show option cleared and close-after-open as last ticked")

korvo_run(no_page EXIT 0 OUTPUT out INPUT "start\nidle\nstartpage 1 open\nquit\n")
korvo_expect("${out}" "startpage: frame 1 shows no start page\n" "a frame without a start page says so")

# Two main frames: the start page of frame 1 is activated only from frame 1; the command in frame
# 2 opens a page of its own there, and frame 1 keeps its page.
korvo_run(two_frames EXIT 0 OUTPUT out
          INPUT "start\nidle\ncommand 1 1068\nnew-frame\ncommand 2 1068\ndump startpage 1\ndump startpage 2\nactivate 1\ncommand 1 1068\nquit\n")
string(REGEX MATCHALL "StartPageController::CreateControl" made "${out}")
list(LENGTH made made_count)
if(NOT made_count EQUAL 2)
  message(FATAL_ERROR "each frame's start-page command should open one page there, ${made_count} were made:\n${out}")
endif()
korvo_expect("${out}" "dump startpage 1\nstart-page (0x[0-9a-f]+) tab \"Start Page\" icon 1068 [^\n]*\n([^\n]*\n)*dump startpage 2\nstart-page 0x[0-9a-f]+ tab \"Start Page\" icon 1068 "
             "each frame shows its own start page")
string(REGEX MATCH "dump startpage 1\nstart-page (0x[0-9a-f]+)" _ "${out}")
set(first "${CMAKE_MATCH_1}")
string(REGEX MATCH "dump startpage 2\nstart-page (0x[0-9a-f]+)" _ "${out}")
if("${CMAKE_MATCH_1}" STREQUAL "${first}")
  message(FATAL_ERROR "frame 2 shows frame 1's start page:\n${out}")
endif()

# A new document reaches a start page with room left as an addition alone: nothing was pushed off.
korvo_seed_host()
file(COPY_FILE "${host}/C/Users/user/Documents/Samples/Bracket.grb" "${host}/C/Users/user/Documents/Third.grb")
korvo_run(added_with_room EXIT 0 ARGS --host ${host} OUTPUT out
          INPUT "start\nidle\nopen \"${cover}\"\nopen \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Bracket.grb\"\ncommand 1 1068\nopen \"C:\\\\Users\\\\user\\\\Documents\\\\Third.grb\"\ndump startpage 1\nstartpage 1 pin 2 on\nquit\n")
if(out MATCHES "RecentDocumentRemoved")
  message(FATAL_ERROR "an entry was said to be removed from a list with room left:\n${out}")
endif()
korvo_expect("${out}" "RecentDocumentAdded\\(0x[0-9a-f]+, \"[^\"]*\", false\\)\n" "the new entry reached the page")
korvo_expect("${out}" "dump startpage 1\nstart-page [^\n]*\n  recent 0 [^\n]*\n  recent 1 [^\n]*Bracket.grb\"\n  recent 2 [^\n]*Cover plate.grb\"\n"
             "the page keeps both entries below the new one")
korvo_expect("${out}" "RecentDocumentPinStateChanged\\(0x[0-9a-f]+, 2, true\\)\n" "pinning a lower entry sends that entry's state, not the top one's")

# The start page moved to a new main window keeps its tab's icon.
korvo_run(moved EXIT 0 OUTPUT out INPUT "start\nidle\ncommand 1 1068\ncommand 1 2826\ndump startpage 2\nquit\n")
korvo_expect("${out}" "dump startpage 2\nstart-page 0x[0-9a-f]+ tab \"Start Page\" icon 1068 " "the moved page's tab keeps its icon")
