# Helpers of the console's end-to-end tests (run by `cmake -P` with KORVO and WORK_DIR set).
cmake_minimum_required(VERSION 3.25)

# korvo_too_many_arguments(helper call extra): stops the test when a helper was handed arguments
# it has no place for; such a call would otherwise check less than it reads as checking.
function(korvo_too_many_arguments helper call extra)
  message(FATAL_ERROR "${helper} (\"${call}\") takes one regex or text; join its pieces with "
                      "string(CONCAT ...). Left over: ${extra}")
endfunction()

# korvo_run(NAME EXIT code [ARGS args...] [INPUT text] [OUTPUT var] [ERROR var])
# Runs the program with ARGS and INPUT as its standard input, fails the test unless it ends
# with exit code EXIT within a minute (the console must never wait for more), and hands back
# what it printed.
function(korvo_run name)
  cmake_parse_arguments(PARSE_ARGV 1 run "" "EXIT;INPUT;OUTPUT;ERROR" "ARGS")
  if(DEFINED run_UNPARSED_ARGUMENTS)
    korvo_too_many_arguments(korvo_run "${name}" "${run_UNPARSED_ARGUMENTS}")
  endif()
  set(input ${WORK_DIR}/${name}.stdin)
  file(WRITE ${input} "${run_INPUT}")
  execute_process(COMMAND ${KORVO} ${run_ARGS} INPUT_FILE ${input} TIMEOUT 60
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT "${code}" STREQUAL "${run_EXIT}")
    message(FATAL_ERROR "${name}: exit ${code}, expected ${run_EXIT}\n${out}\n${err}")
  endif()
  if(run_OUTPUT)
    set(${run_OUTPUT} "${out}" PARENT_SCOPE)
  endif()
  if(run_ERROR)
    set(${run_ERROR} "${err}" PARENT_SCOPE)
  endif()
endfunction()

# korvo_seed_host([INPUT text]): the host folder ${WORK_DIR}/host, seeded from the sample by one
# run given INPUT (none: the run ends before `start`); sets `host` and `program` (its program
# folder) in the caller's scope.
function(korvo_seed_host)
  cmake_parse_arguments(PARSE_ARGV 0 seed "" "INPUT" "")
  if(DEFINED seed_UNPARSED_ARGUMENTS)
    korvo_too_many_arguments(korvo_seed_host "" "${seed_UNPARSED_ARGUMENTS}")
  endif()
  set(host ${WORK_DIR}/host)
  korvo_run(seed EXIT 0 ARGS --host ${host} INPUT "${seed_INPUT}")
  set(host ${host} PARENT_SCOPE)
  set(program "${host}/C/Program Files/Velmora/Korvo CAD 18.0" PARENT_SCOPE)
endfunction()

# korvo_expect(text regex what): fails the test with `what` unless `text` matches `regex`.
# A regex written as several quoted strings would silently check only its first piece (the
# next one becoming `what`), so anything past `what` is refused; so is an empty regex (a variable
# never set, say), which matches anything.
function(korvo_expect text regex what)
  if(ARGC GREATER 3)
    korvo_too_many_arguments(korvo_expect "${what}" "${ARGN}")
  endif()
  if(regex STREQUAL "")
    message(FATAL_ERROR "korvo_expect (\"${what}\") was given an empty regex, which matches anything")
  endif()
  if(NOT text MATCHES "${regex}")
    message(FATAL_ERROR "${what}:\n${text}")
  endif()
endfunction()

# korvo_frame_handle(text var): the handle of the first main frame `text` shows created, so an
# expectation names the frame by its place, not by how the platform happens to number windows.
function(korvo_frame_handle text var)
  if(ARGC GREATER 2)
    korvo_too_many_arguments(korvo_frame_handle "${var}" "${ARGN}")
  endif()
  if(NOT text MATCHES "window created (0x[0-9a-f]+) \"AfxMDIFrame\"")
    message(FATAL_ERROR "no main frame was created:\n${text}")
  endif()
  set(${var} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

# The part of `text` from the first `marker` on.
function(after text marker var)
  if(ARGC GREATER 3)
    korvo_too_many_arguments(after "${marker}" "${ARGN}")
  endif()
  string(FIND "${text}" "${marker}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "no \"${marker}\" in:\n${text}")
  endif()
  string(SUBSTRING "${text}" ${at} -1 rest)
  set(${var} "${rest}" PARENT_SCOPE)
endfunction()

# step(text marker var): what the verb line `marker` printed, up to the next verb's "user" line.
function(step text marker var)
  if(ARGC GREATER 3)
    korvo_too_many_arguments(step "${marker}" "${ARGN}")
  endif()
  after("${text}" "${marker}" rest)
  string(LENGTH "${marker}" skip)
  string(SUBSTRING "${rest}" ${skip} -1 rest)
  string(FIND "${rest}" "\nuser " end)
  if(NOT end EQUAL -1)
    string(SUBSTRING "${rest}" 0 ${end} rest)
  endif()
  set(${var} "${rest}" PARENT_SCOPE)
endfunction()
