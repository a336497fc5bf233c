# The applications dialog by double-click and Enter, as a user starts an application from its
# list: both start what Start would and nothing Start would not, so an application that needs the
# PDM system stays unstarted while it is not connected. Dialog steps a user cannot take are refused.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
korvo_seed_host()
set(win_program "C:\\Program Files\\Velmora\\Korvo CAD 18.0")
# Applications the user adds from a descriptor are not started yet.
file(WRITE "${program}/Tools.kva"
  "[PdmTool]\nName=PDM tool\nPath=${win_program}\\KVCatalog.dll\nFlags=1024\n"
  "[Plain]\nName=Plain tool\nPath=${win_program}\\KVDict.dll\n"
  "[Other]\nName=Other tool\nPath=${win_program}\\KVTEXT.dll\n")

korvo_run(disconnected EXIT 0 OUTPUT out ARGS --host ${host} --quiet log INPUT
  "start\nidle\nexpect dialog 1561 answer select 1157 \"PDM tool\" ok\nexpect dialog 1563 answer click 1221 dblclick 1267 \"PDM tool\" key Enter cancel\ncommand 1 1258\nquit\n")
korvo_expect("${out}" "dialog dblclick 1267 \"PDM tool\"\n([^\n]*\n)*dialog key Enter\n([^\n]*\n)*dialog cancel\n([^\n]*\n)*dialog ended 2" "neither starts the PDM tool")
if(out MATCHES "Start\\(\"PdmTool\"")
  message(FATAL_ERROR "a PDM tool started while the PDM system was not connected:\n${out}")
endif()

korvo_run(double EXIT 0 OUTPUT out ARGS --host ${host} --quiet log INPUT
  "start\nidle\nexpect dialog 1561 answer select 1157 \"Plain tool\" ok\nexpect dialog 1563 answer click 1221 dblclick 1267 \"Plain tool\"\ncommand 1 1258\nquit\n")
korvo_expect("${out}" "dialog ended 1\n([^\n]*\n)*call CKVBaseApplication::Start\\(\"Plain\", true, true\\)" "a double-click starts the tool")

korvo_run(enter EXIT 0 OUTPUT out ARGS --host ${host} --quiet log INPUT
  "start\nidle\nexpect dialog 1561 answer select 1157 \"Other tool\" ok\nexpect dialog 1563 answer click 1221 key Enter\ncommand 1 1258\nquit\n")
korvo_expect("${out}" "dialog key Enter\n([^\n]*\n)*call CKVBaseApplication::Start\\(\"Other\", true, true\\)" "Enter starts the selected tool")

# Steps a user could not take: a slider that is none, a row the list does not have.
korvo_run(no_slider EXIT 1 ERROR err ARGS --host ${host} --quiet log,call INPUT
  "start\nidle\nexpect dialog 1563 answer slider 1267 5\ncommand 1 1258\nquit\n")
korvo_expect("${err}" "slider 1267 5: control 1267 is not a slider" "a list is no slider")
korvo_run(no_row EXIT 1 ERROR err ARGS --host ${host} --quiet log,call INPUT
  "start\nidle\nexpect dialog 1563 answer rclick 1267 \"Nothing\"\ncommand 1 1258\nquit\n")
korvo_expect("${err}" "list 1267 has no row \"Nothing\"" "a missing row is refused")
foreach(bad "slider 2481" "slider 2481 x" "key Banana" "rclick 4033" "dblclick")
  korvo_run(bad_step EXIT 2 ERROR err INPUT "expect dialog 20870 answer ${bad}\n")
  korvo_expect("${err}" "expect dialog: " "\"${bad}\" is a mistake")
endforeach()
