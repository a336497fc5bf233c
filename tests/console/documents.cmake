# Documents from the console: open as File Open does (the file chooser answered with the path),
# the document dump, the recent-file list in the registry, a file that does not open and the
# removal of its recent-file entry, and the file chooser's expectations.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(sample "C:\\\\Users\\\\user\\\\Documents\\\\Samples")
korvo_run(open EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"${sample}\\\\Cover plate.grb\"\ndump documents\ndump windows\ndump registry\nquit\n")
korvo_expect("${out}" "file choose \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Cover plate.grb\"\n" "the chooser's answer")
if(NOT out MATCHES "\n\"Cover plate.grb\" \"C:\\\\Users[^\"]*Cover plate.grb\" unmodified writable editing-blocked holds 0 frame (0x[0-9a-f]+)\n")
  message(FATAL_ERROR "the document dump:\n${out}")
endif()
set(frame "${CMAKE_MATCH_1}")
korvo_expect("${out}" "\n *${frame} \"[^\"]*\" \"Cover plate.grb[^\"]*\" visible" "the document's frame in the window dump")
korvo_expect("${out}" "\\[Software\\\\Velmora\\\\Korvo CAD 18.0\\\\Recent File List\\]\n\"File1\"=\"C:\\\\\\\\Users\\\\\\\\user\\\\\\\\Documents\\\\\\\\Samples\\\\\\\\Cover plate.grb\""
             "the path heads the recent-file list in the registry")
korvo_run(empty EXIT 0 OUTPUT out INPUT "dump documents\n")
korvo_expect("${out}" "\\(no documents\\)\n" "no documents before start")

# A recent entry whose file went away: the box offers to remove it, and yes removes it.
set(host ${WORK_DIR}/host)
korvo_run(first EXIT 0 ARGS --host ${host} INPUT "start\nidle\nopen \"${sample}\\\\Bracket.grb\"\nquit\n")
file(REMOVE "${host}/C/Users/user/Documents/Samples/Bracket.grb")
korvo_run(second EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "expect box \"Файл не найден. Удалить его из списка последних файлов?\" answer yes\nstart\nidle\nopen \"${sample}\\\\Bracket.grb\"\ndump registry\nquit\n")
korvo_expect("${out}" "box [^\n]*\"Файл не найден. Удалить его из списка последних файлов\\?\" YESNO icon WARNING" "the offer to remove the entry")
if(out MATCHES "\"File1\"=\"[^\n]*Bracket.grb\"")
  message(FATAL_ERROR "the entry is still in the recent-file list:\n${out}")
endif()

# File chooser expectations: a cancelled File Open opens nothing; a choice never asked for fails.
korvo_run(cancel EXIT 0 OUTPUT out INPUT "start\nidle\nexpect file cancel\ncommand 1 0xE101\ndump documents\nquit\n")
korvo_expect("${out}" "file cancel\n.*\\(no documents\\)\n" "File Open cancelled")
korvo_run(unused EXIT 1 ERROR err INPUT "expect file choose \"C:\\\\x.grb\"\nstart\nidle\nquit\n")
korvo_expect("${err}" "korvo: failed: [^\n]*file choose \"C:\\\\x.grb\"" "an expectation never used")
