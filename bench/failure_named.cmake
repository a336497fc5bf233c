# Runs BENCH's benchmarks that fail a repetition on purpose, each on its own with only the
# aggregates reported, and fails unless each run ends with exit code 1 (not 0, and not a crash)
# and standard error names the benchmark and its message.
set(ENV{KORVO_BENCH_FAIL_ON_PURPOSE} 1)

# Each further argument is a message standard error must name the benchmark with.
function(expect_named_failure benchmark repetitions)
  execute_process(COMMAND ${BENCH} --benchmark_filter=^${benchmark}/ --benchmark_repetitions=${repetitions}
                          --benchmark_report_aggregates_only=true
                  RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code STREQUAL "1")
    message(FATAL_ERROR "${benchmark} failing a repetition ended the run with ${code}, not 1:\n${out}\n${err}")
  endif()
  foreach(message IN LISTS ARGN)
    if(NOT err MATCHES "${benchmark}[^\n]* failed: ${message}")
      message(FATAL_ERROR "standard error does not name the failed benchmark ${benchmark} with \"${message}\":\n${err}")
    endif()
  endforeach()
endfunction()

expect_named_failure(BM_FailsOnPurpose 3 "the second repetition fails on purpose")
# The repetitions after a failed one fail at once, without running.
expect_named_failure(BM_FailsOnPurposeFirst 3 "the first repetition fails on purpose" "an earlier repetition failed")
expect_named_failure(BM_FailsOnPurposeBeforeItsLoop 4 "the third repetition fails on purpose before its loop")
message(STATUS "A failed benchmark names itself on standard error and ends the run with exit code 1")
