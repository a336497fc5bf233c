# What the verbs without a test of their own elsewhere do, end to end: a second frame, commands
# by number and by handle (and a handle that is no main frame), a DDE command and its
# acknowledgement, the command dump, the journal again, and a start-up that fails saying why.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# A script names a window by handle before it runs, so the handles come from a first run's window
# dump: the same start-up numbers its windows the same way every time.
korvo_run(handles EXIT 0 OUTPUT out INPUT "start\nidle\ndump windows\nquit\n")
korvo_frame_handle("${out}" first)
if(NOT out MATCHES "\n  (0x[0-9a-f]+) \"MDICLIENT\" ")
  message(FATAL_ERROR "the first frame has no MDI client window:\n${out}")
endif()
set(client "${CMAKE_MATCH_1}")

korvo_run(frames EXIT 0 OUTPUT out INPUT
  "start\nidle\nnew-frame\ndump frames\ncommand 2 0xE100\ncommand ${first} 57600\ndump commands\nquit\n")
if(NOT out MATCHES "\ndump frames\n1 ${first} \"Korvo CAD \\(1\\)\" inactive\n2 (0x[0-9a-f]+) \"Korvo CAD \\(2\\)\" active\n")
  message(FATAL_ERROR "dump frames after new-frame:\n${out}")
endif()
set(second "${CMAKE_MATCH_1}")
korvo_expect("${out}" "user command 57600 to frame 2\nuser command 57600 to frame 1\n" "commands by number and handle")
korvo_expect("${out}" "\nid +name +flags +" "the command dump's header")
korvo_expect("${out}" "user close frame 2\n.*user close frame 1\n.*program exit 0\n$" "quit closes both frames")

# The MDI client window is a window, but no main frame.
korvo_run(not_a_frame EXIT 2 ERROR err INPUT "start\nidle\ncommand ${client} 57600\n")
korvo_expect("${err}" "<stdin>:3: command: ${client} is not a main frame" "a child window as FRAME")
korvo_run(no_window EXIT 2 ERROR err INPUT "start\nidle\ncommand 0x7fff0000 57600\n")
korvo_expect("${err}" "<stdin>:3: command: 0x7fff0000 is not a window" "a handle of no window as FRAME")

# A DDE command reaches the main frame and is acknowledged before it runs, so positively though
# the file does not open (its box says so); the harness's client window is no window of the program.
korvo_run(dde EXIT 0 OUTPUT out INPUT
  "start\nidle\nexpect box \"Файл не найден\" answer ok\ndde \"[open(\\\"C:\\Users\\user\\none.grb\\\")]\"\ndump windows\nquit\n")
korvo_frame_handle("${out}" first)
korvo_expect("${out}" "user dde \"\\[open\\(\"C:\\\\Users\\\\user\\\\none.grb\"\\)\\]\" to frame 1\n.*dde ack positive from ${first}\n"
             "the DDE command, and its acknowledgement")
if(out MATCHES "HarnessDdeClient")
  message(FATAL_ERROR "the harness's DDE client shows as a window of the program:\n${out}")
endif()

# journal prints again what was printed as it happened.
korvo_run(journal EXIT 0 OUTPUT out INPUT "start\njournal\n")
string(REGEX MATCHALL "log 2 Initialized in [^\n]*\n" initialized "${out}")
list(LENGTH initialized count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "journal did not print the journal again:\n${out}")
endif()

# A start-up that fails says why: here the document named on the command line does not open,
# and the opener says so before start-up ends.
korvo_run(failed_start EXIT 1 OUTPUT out ERROR err INPUT "expect box \"Файл не найден\" answer ok\nstart\nidle\n"
  ARGS -- "C:\\Users\\user\\missing.grb")
korvo_expect("${out}" "box [^\n]*\"Файл не найден\" OK icon WARNING[^\n]*\n.*log 8 Start-up failed" "the opener's message before start-up ends")
korvo_expect("${out}" "log 8 Start-up failed: CWinApp::ProcessShellCommand returned failure\n" "why start-up failed")
korvo_expect("${err}" "korvo: start-up failed" "the start-up failure on standard error")
