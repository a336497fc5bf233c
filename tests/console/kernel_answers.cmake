# What a kernel or automation client is told in the less travelled cases: a message bar made under
# id 0 is answered and closed by that id; a negative position starts the document enumeration over.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(bar_zero EXIT 0 OUTPUT out INPUT
  "start\nidle\nkernel ShowMessageBar 0 \"Zero id\" \"shown?\"\ndump windows\nkernel CloseMessageBar 0\ndump windows\nquit\n")
korvo_expect("${out}" "\nkernel ShowMessageBar: object\n" "the bar made under id 0 is answered")
string(FIND "${out}" "kernel CloseMessageBar: done" closed)
string(SUBSTRING "${out}" 0 ${closed} shown)
string(SUBSTRING "${out}" ${closed} -1 after)
korvo_expect("${shown}" "\"Korvo.MessageBar\" \"Zero id shown\\?\" visible" "the bar is shown")
if(after MATCHES "Korvo.MessageBar\"")
  message(FATAL_ERROR "closing id 0 leaves the bar:\n${after}")
endif()

set(samples "C:\\Users\\user\\Documents\\Samples")
set(samples_re "C:\\\\Users\\\\user\\\\Documents\\\\Samples")
korvo_run(enumeration EXIT 0 OUTPUT out INPUT
  "start\nidle\nautomation OpenFile \"${samples}\\Bracket.grb\"\nautomation OpenFile \"${samples}\\Cover plate.grb\"\nautomation GetNextFile -1\nquit\n")
korvo_expect("${out}" "\nautomation GetNextFile: \"${samples_re}\\\\Bracket.grb\"; out 0\n"
             "a negative position names the first document")
