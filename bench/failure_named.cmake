# Runs BENCH's benchmark that fails one repetition on purpose, with only the aggregates reported,
# and fails unless the run ends non-zero and standard error names the benchmark and its message.
set(ENV{KORVO_BENCH_FAIL_ON_PURPOSE} 1)
execute_process(COMMAND ${BENCH} --benchmark_filter=FailsOnPurpose --benchmark_repetitions=3
                        --benchmark_report_aggregates_only=true
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(code EQUAL 0)
  message(FATAL_ERROR "a failed benchmark left the run's exit code at 0:\n${out}\n${err}")
endif()
if(NOT err MATCHES "BM_FailsOnPurpose[^\n]* failed: the second repetition fails on purpose")
  message(FATAL_ERROR "standard error does not name the failed benchmark:\n${err}")
endif()
message(STATUS "A failed benchmark names itself on standard error")
