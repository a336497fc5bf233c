# The documentation and the program cannot drift: every example in the README, the console's
# reference and its examples runs as written and ends well, the reference's synopsis is the
# program's, and its verb tables together are the list `korvo --help` prints (syntax, help line and
# what each verb does before start, running and ended), each verb once.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/support/readme.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(help EXIT 0 OUTPUT help ARGS --help)

# The synopsis.
string(REGEX MATCH "^usage: (korvo [^\n]*)\n" synopsis "${help}")
set(synopsis "${CMAKE_MATCH_1}")
string(FIND "${REFERENCE_TEXT}" "\n```\n${synopsis}\n```\n" at)
if(synopsis STREQUAL "" OR at EQUAL -1)
  message(FATAL_ERROR "${REFERENCE}'s synopsis is not the program's:\n${synopsis}")
endif()

# The verb tables, each row as --help prints it (one space before the brackets). The tables group
# the verbs by purpose, so their order is not --help's; every row is there once and nothing else.
readme_verbs(verbs)
string(REGEX REPLACE "  +\\[" " [" printed "${help}")
string(REGEX MATCHALL "\n  [^\n]* \\[[a-z]+, [a-z]+, [a-z]+\\]  [^\n]*" help_verbs "${printed}")
list(LENGTH help_verbs help_count)
set(seen "\n")
foreach(n RANGE 1 ${verbs})
  set(line "  ${VERB_SYNTAX_${n}} [${VERB_BEFORE_${n}}, ${VERB_RUNNING_${n}}, ${VERB_ENDED_${n}}]  ${VERB_HELP_${n}}")
  string(FIND "${printed}" "\n${line}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${REFERENCE}: a verb row that --help does not print:\n${VERB_ROW_${n}}\n--help:\n${help}")
  endif()
  string(FIND "${seen}" "\n${line}\n" again)
  if(NOT again EQUAL -1)
    message(FATAL_ERROR "${REFERENCE}: a verb row written twice:\n${VERB_ROW_${n}}")
  endif()
  string(APPEND seen "${line}\n")
endforeach()
if(NOT help_count EQUAL verbs)
  message(FATAL_ERROR "${REFERENCE} has ${verbs} verb rows, --help prints ${help_count}:\n${help}")
endif()

# Scripts, each on a fresh temporary host folder.
readme_blocks(korvo script scripts)
foreach(n RANGE 1 ${scripts})
  file(WRITE ${WORK_DIR}/example_${n}.korvo "${script_${n}}")
  korvo_run(script_${n} EXIT 0 ARGS --script ${WORK_DIR}/example_${n}.korvo)
endforeach()

# Shell examples, from a scratch folder laid out as the repository is after `make run`.
set(root ${WORK_DIR}/repository)
file(MAKE_DIRECTORY ${root}/build/debug)
file(CREATE_LINK ${KORVO} ${root}/build/debug/korvo SYMBOLIC)
file(CREATE_LINK ${SOURCE_DIR}/sample ${root}/sample SYMBOLIC)
readme_blocks(sh shell shells)
foreach(n RANGE 1 ${shells})
  file(WRITE ${WORK_DIR}/example_${n}.sh "${shell_${n}}")
  execute_process(COMMAND sh -e ${WORK_DIR}/example_${n}.sh WORKING_DIRECTORY ${root} TIMEOUT 120
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "${shell_${n}_FILE}: shell example ${n} ended with ${code}:\n${shell_${n}}\n${out}\n${err}")
  endif()
endforeach()

# Documentation that lost its examples (a renamed fence) must not pass for one whose examples run.
if(scripts LESS 2 OR shells LESS 2)
  message(FATAL_ERROR "expected at least two ```korvo and two ```sh examples, found ${scripts} and ${shells}")
endif()
