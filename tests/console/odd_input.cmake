# The console given odd input: every mistake is named with its file and line and ends the run
# with exit code 2, the program is still closed as a user would close it, and nothing waits for
# more input.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(write_script name text)
  file(WRITE ${WORK_DIR}/${name}.korvo "${text}")
endfunction()

# Scripts that cannot be read or parsed: nothing runs.
write_script(empty "")
korvo_run(empty EXIT 0 ARGS --script ${WORK_DIR}/empty.korvo)
korvo_run(missing EXIT 2 ERROR err ARGS --script ${WORK_DIR}/missing.korvo)
korvo_expect("${err}" "cannot read the script \"[^\"]*missing.korvo\": No such file" "a missing script")
korvo_run(folder EXIT 2 ERROR err ARGS --script ${WORK_DIR})
korvo_expect("${err}" "cannot read the script \"[^\"]*\": it is a folder" "a folder given as the script")
write_script(unterminated "start\ndde \"[open()]\nquit\n")
korvo_run(unterminated EXIT 2 OUTPUT out ERROR err ARGS --script ${WORK_DIR}/unterminated.korvo)
korvo_expect("${err}" "unterminated.korvo:2: unterminated quoted text" "an unterminated quote")
if(out MATCHES "window created")
  message(FATAL_ERROR "a script with a bad line ran:\n${out}")
endif()

# A verb that cannot run now stops the run at its line; the program is closed all the same.
write_script(no_frame "start\nidle\ncommand 9 1001\nidle\n")
korvo_run(no_frame EXIT 2 OUTPUT out ERROR err ARGS --script ${WORK_DIR}/no_frame.korvo)
korvo_expect("${err}" "no_frame.korvo:3: command: there is no main frame 9 \\(1 open\\)" "a frame that is not open")
korvo_frame_handle("${out}" first)
korvo_expect("${out}" "user close ${first}\n.*program exit 0" "the program was not closed")
korvo_run(negative_advance EXIT 2 ERROR err INPUT "start\nadvance -5\n")
korvo_expect("${err}" "<stdin>:2: advance: \"-5\" is not a number of milliseconds" "a negative advance")

# After quit the program has ended: waiting does nothing, looking still works, acting is a mistake.
korvo_run(after_quit EXIT 0 OUTPUT out INPUT "start\nidle\nquit\nidle\nadvance 10\nquit\ndump frames\n")
korvo_expect("${out}" "program exit 0\n\\(no frames\\)\n$" "verbs after quit")
korvo_run(command_after_quit EXIT 2 ERROR err INPUT "start\nquit\ncommand 1 1001\n")
korvo_expect("${err}" "<stdin>:3: command: the program has ended" "a command after quit")

# The end of standard input closes the program as a user would; a byte-order mark is no verb.
string(ASCII 239 187 191 bom)
korvo_run(end_of_input EXIT 0 OUTPUT out INPUT "${bom}start\nidle\n")
korvo_frame_handle("${out}" first)
korvo_expect("${out}" "user close ${first}\n.*program exit 0\n$" "the end of input did not close the program")

# An expectation nobody used fails the run, even when the program never started.
korvo_run(unused_expectation EXIT 1 ERROR err INPUT "expect box \"Save*\" answer no\n")
korvo_expect("${err}" "expectation never used: box \"Save\\*\"" "an unused expectation")

# The help names every verb the scripts know.
korvo_run(help EXIT 0 OUTPUT out ARGS --help)
foreach(verb "advance MS" "command WINDOW ID" "click WINDOW ID" "dump panes FRAME" "dump status FRAME" "expect box" "dde" "dump frames" "dump commands" "new-frame" "journal")
  korvo_expect("${out}" "\n  ${verb}" "the help does not name \"${verb}\"")
endforeach()

# Input echoed in an error is escaped and cut, so it cannot drive the terminal or flood it; the
# transcript escapes what a DDE text carried into the journal.
string(ASCII 27 esc)
korvo_run(escape_sequence EXIT 2 ERROR err INPUT "${esc}[2J${esc}[31mred\n")
korvo_expect("${err}" "<stdin>:1: unknown verb \"\\\\x1b\\[2J\\\\x1b\\[31mred\"" "an escape sequence echoed as it came")
korvo_run(escape_in_dde EXIT 0 OUTPUT out INPUT "start\nidle\ndde \"${esc}[2J\"\n")
korvo_expect("${out}" "user dde \"\\\\x1b\\[2J\" to " "an escape sequence in the transcript")
foreach(text "${err}" "${out}")
  if(text MATCHES "${esc}")
    message(FATAL_ERROR "an escape character reached the terminal:\n${text}")
  endif()
endforeach()
execute_process(COMMAND sh -c "head -c 102400 /dev/zero | \"$0\"" ${KORVO} TIMEOUT 60
                RESULT_VARIABLE code ERROR_VARIABLE err)
string(LENGTH "${err}" length)
if(NOT code EQUAL 2 OR length GREATER 1000)
  message(FATAL_ERROR "a 100 KB line of NUL bytes: exit ${code}, ${length} bytes of error:\n${err}")
endif()
korvo_expect("${err}" "unknown verb \"(\\\\x00)+\\.\\.\\.\" \\(102400 bytes\\)" "a huge line cut with its size")
