# Replays the seed corpus CORPUS through FUZZER, then fuzzes for SECONDS. New inputs go to a
# corpus under WORK_DIR (the seeds in the tree are only read); a crashing input is kept there
# too, named in the output, to be added to the seeds once its fault is mended.
if(NOT MAX_LEN)
  set(MAX_LEN 4096)
endif()
if(NOT IS_DIRECTORY ${CORPUS})
  message(FATAL_ERROR "no seed corpus at ${CORPUS}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/corpus)
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -max_len=${MAX_LEN}
                        -artifact_prefix=${WORK_DIR}/ ${WORK_DIR}/corpus ${CORPUS}
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${code}):\n${out}\n${err}")
endif()
