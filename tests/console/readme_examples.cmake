# The README and the program cannot drift: every example in the README runs as written and ends
# well, its synopsis is the program's, and its verb table is the one `korvo --help` prints
# (syntax, help line and what each verb does before start, running and ended, in order).
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/support/readme.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(help EXIT 0 OUTPUT help ARGS --help)

# The synopsis.
string(REGEX MATCH "^usage: (korvo [^\n]*)\n" synopsis "${help}")
set(synopsis "${CMAKE_MATCH_1}")
string(FIND "${README_TEXT}" "\n```\n${synopsis}\n```\n" at)
if(synopsis STREQUAL "" OR at EQUAL -1)
  message(FATAL_ERROR "the README's synopsis is not the program's:\n${synopsis}")
endif()

# The verb table, rebuilt as --help prints it (one space before the brackets).
readme_verbs(verbs)
set(expected "")
foreach(n RANGE 1 ${verbs})
  string(APPEND expected "  ${VERB_SYNTAX_${n}} [${VERB_BEFORE_${n}}, ${VERB_RUNNING_${n}}, ${VERB_ENDED_${n}}]  "
                         "${VERB_HELP_${n}}\n")
endforeach()
string(REGEX REPLACE "  +\\[" " [" printed "${help}")
string(FIND "${printed}" "${expected}" at)
string(REGEX MATCHALL "\n  [^\n]* \\[[a-z]+, [a-z]+, [a-z]+\\]  [^\n]*" help_verbs "${printed}")
list(LENGTH help_verbs help_count)
if(at EQUAL -1 OR NOT help_count EQUAL verbs)
  message(FATAL_ERROR "the README's verb table (${verbs} verbs) is not the one --help prints (${help_count}):\n"
                      "README:\n${expected}\n--help:\n${help}")
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
    message(FATAL_ERROR "README shell example ${n} ended with ${code}:\n${shell_${n}}\n${out}\n${err}")
  endif()
endforeach()

# A README that lost its examples (a renamed fence) must not pass for one whose examples run.
if(scripts LESS 2 OR shells LESS 2)
  message(FATAL_ERROR "README: expected at least two ```korvo and two ```sh examples, found ${scripts} and ${shells}")
endif()
