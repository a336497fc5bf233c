# The include-order check: the tree holds to tools/layers, and a tree given one include against the
# order fails the check naming that file, line and include; a list that builds in a circle is refused.
set(check ${SOURCE_DIR}/tools/check-layers)

execute_process(COMMAND ${check} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the sources include against the order of tools/layers:\n${out}${err}")
endif()

# A small tree of its own, checked with the real list of folders.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR}/tools)
file(COPY ${check} ${SOURCE_DIR}/tools/layers DESTINATION ${WORK_DIR}/tools)
file(WRITE ${WORK_DIR}/platform/core/types.h "#pragma once\n")
file(WRITE ${WORK_DIR}/platform/win32/window.h "#pragma once\n#include \"platform/core/types.h\"\n")
file(WRITE ${WORK_DIR}/syspanel/panel.h "#pragma once\n#include <vector>\n#include \"platform/win32/window.h\"\n")
file(WRITE ${WORK_DIR}/app/app.h "#pragma once\n#include \"syspanel/panel.h\"\n")

function(expect_check expected_rc)
  execute_process(COMMAND ${WORK_DIR}/tools/check-layers RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL expected_rc)
    message(FATAL_ERROR "the check exited ${rc}, expected ${expected_rc}:\n${out}${err}")
  endif()
  set(out "${out}${err}" PARENT_SCOPE)
endfunction()

expect_check(0)

# Upward inside the platform, upward in the shell, and sideways between two subsystems.
file(WRITE ${WORK_DIR}/platform/core/types.h "#pragma once\n\n#include \"platform/win32/window.h\"\n")
file(WRITE ${WORK_DIR}/commandbars/bar.cpp "#include \"syspanel/panel.h\"\n#include \"app/app.h\"\n")
expect_check(1)
foreach(line
    "platform/core/types.h:3: includes platform/win32/window.h, but platform/core does not build on platform/win32"
    "commandbars/bar.cpp:1: includes syspanel/panel.h, but commandbars does not build on syspanel"
    "commandbars/bar.cpp:2: includes app/app.h, but commandbars does not build on app"
    "3 include(s) against the order")
  string(FIND "${out}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the check did not say \"${line}\":\n${out}")
  endif()
endforeach()

# A list whose folders build on each other cannot hold any tree to an order.
file(APPEND ${WORK_DIR}/tools/layers "a: b\nb: a\n")
expect_check(2)
if(NOT out MATCHES "circle")
  message(FATAL_ERROR "a circle in the list was not named:\n${out}")
endif()
