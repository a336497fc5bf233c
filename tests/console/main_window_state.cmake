# A main frame's "MainWindow" element as the state file gets it, on the sample: its attributes in
# the order written, its ribbon and its command-bars layout; the element survives a restart, and
# a state file whose values do not parse leaves the frame as the default layout makes it.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(host ${WORK_DIR}/host)

korvo_run(dump EXIT 0 OUTPUT out INPUT "start\nidle\ndump state 1\nquit\n" ARGS --host ${host} --quiet call,log)
korvo_expect("${out}"
  "dump state 1\n<MainWindow windowRect=\"-?[0-9]+,-?[0-9]+,-?[0-9]+,-?[0-9]+\" windowState=\"[a-z]+\" fullscreen=\"false\" workbook=\"true\" maximizeMdi=\"(true|false)\" minimizeRibbonBarInWindowedMode=\"false\" minimizeRibbonBarInFullscreenMode=\"true\" showClassicAutoMenu=\"true\" showDockingPaneTabCaptions=\"true\" analysisMode=\"fea\" varnelWindows=\"files,assembly\" version=\"18.0.21.0\">\n"
  "the attributes in the order the element is written")
korvo_expect("${out}" "\n  <RibbonBar version=\"18.0.21.0\">\n" "the ribbon follows the attributes")
korvo_expect("${out}" "\n  <codejock>\n    <normalLayout>\n      <Options " "the command-bars layout comes last")
korvo_expect("${out}" "\n      <Shortcuts>\n" "the shortcuts are part of the layout")
korvo_expect("${out}" "\n      <DockingPane" "the docking panes' layout is part of it")
string(REGEX MATCH "dump state 1\n<MainWindow.*</MainWindow>\n" first "${out}")

# Quitting saves the element; the next run starts from it and writes it back the same.
korvo_run(again EXIT 0 OUTPUT out INPUT "start\nidle\ndump state 1\nquit\n" ARGS --host ${host} --quiet call,log)
string(REGEX MATCH "dump state 1\n<MainWindow.*</MainWindow>\n" second "${out}")
if(NOT first OR NOT first STREQUAL second)
  file(WRITE ${WORK_DIR}/first.xml "${first}")
  file(WRITE ${WORK_DIR}/second.xml "${second}")
  message(FATAL_ERROR "the element changed over a restart:\n${first}\n---\n${second}")
endif()

# A hand-edited file: values that do not parse keep the layout's own.
file(GLOB_RECURSE states ${host}/*/state.xml)
list(GET states 0 state)
file(READ ${state} text)
string(REPLACE "workbook=\"true\"" "workbook=\"maybe\"" text "${text}")
string(REPLACE "varnelWindows=\"files,assembly\"" "varnelWindows=\"all,!search,bogus\"" text "${text}")
string(REPLACE "analysisMode=\"fea\"" "analysisMode=\"FEA\"" text "${text}")
file(WRITE ${state} "${text}")
korvo_run(edited EXIT 0 OUTPUT out INPUT "start\nidle\ndump state 1\nquit\n" ARGS --host ${host} --quiet call,log)
korvo_expect("${out}" " workbook=\"true\" " "an unparsable boolean keeps the value")
korvo_expect("${out}" " analysisMode=\"fea\" " "an unknown analysis mode keeps the mode")
korvo_expect("${out}" " varnelWindows=\"files,assembly,desktop,nomenclature,mail,configurationSettings,libraryElements\" "
             "the PDM windows of a value set")

# The quick-access bar is the user's: it comes back at every start over the host, through the
# kernel's reload of the state, and as a profile applied from the profiles page had it, empty too.
set(quick_host ${WORK_DIR}/quick)
set(add_open "expect menu choose 9606\nright-click 1 1001\n")
set(add_folder "expect menu choose 9606\nright-click 1 1244\n")
function(new_profile var name)
  set(${var} "expect dialog 21101 answer click 1659 text 2473 \"${name}\" ok\ncommand 1 1061\n" PARENT_SCOPE)
endfunction()
function(apply_profile var name)
  set(${var} "expect dialog 21101 answer select 2473 \"${name}\" check 2473 on click 1658\ncommand 1 1061\n" PARENT_SCOPE)
endfunction()
# The quick-access controls of each `dump ribbon` in `text`, as "ID ID ..;" per dump.
function(quick_access text var)
  string(REGEX MATCHALL "\nquick access\n(  [^\n]*\n)*ribbon controls\n" dumps "${text}")
  set(result "")
  foreach(dump IN LISTS dumps)
    string(REGEX MATCHALL "\n  [0-9]+ " ids "${dump}")
    string(REGEX REPLACE "[\n ;]+" " " ids "${ids}")
    string(STRIP "${ids}" ids)
    string(APPEND result "${ids};")
  endforeach()
  set(${var} "${result}" PARENT_SCOPE)
endfunction()
new_profile(new_plain "Plain")
new_profile(new_office "Office")
apply_profile(apply_office "Office")
apply_profile(apply_plain "Plain")
korvo_run(quick_first EXIT 0 OUTPUT out ARGS --host ${quick_host} --quiet call,log,window INPUT
  "start\nidle\n${new_plain}${add_open}${new_office}${add_folder}kernel SaveState\nkernel LoadState\ndump ribbon 1\n${apply_office}dump ribbon 1\nquit\n")
quick_access("${out}" bars)
if(NOT bars STREQUAL "1001 1244;1001;")
  message(FATAL_ERROR "the kernel's reload keeps the bar, a profile applied brings its own (${bars}):\n${out}")
endif()
korvo_run(quick_second EXIT 0 OUTPUT out ARGS --host ${quick_host} --quiet call,log,window INPUT
  "start\nidle\ndump ribbon 1\n${add_folder}quit\n")
quick_access("${out}" bars)
if(NOT bars STREQUAL "1001;")
  message(FATAL_ERROR "the bar as the profile left it after a restart (${bars}):\n${out}")
endif()
korvo_run(quick_third EXIT 0 OUTPUT out ARGS --host ${quick_host} --quiet call,log,window INPUT
  "start\nidle\ndump ribbon 1\n${apply_plain}dump ribbon 1\nquit\n")
quick_access("${out}" bars)
if(NOT bars STREQUAL "1001 1244;;")
  message(FATAL_ERROR "the second run's addition after another restart, then a profile's empty bar (${bars}):\n${out}")
endif()
korvo_run(quick_fourth EXIT 0 OUTPUT out ARGS --host ${quick_host} --quiet call,log,window INPUT "start\nidle\ndump ribbon 1\nquit\n")
quick_access("${out}" bars)
if(NOT bars STREQUAL ";")
  message(FATAL_ERROR "an emptied bar stays empty after a restart (${bars}):\n${out}")
endif()

# The docking panes' lock (903) is the user's setting too: it comes back at the next start, either
# way, a reload of the state mid-session leaves it as the user set it, and a profile applied
# brings the profile's.
set(lock_host ${WORK_DIR}/lock)
new_profile(new_locked "Locked")
apply_profile(apply_locked "Locked")
korvo_run(lock_first EXIT 0 ARGS --host ${lock_host} --quiet call,log,window INPUT
  "start\nidle\ncommand 1 903\n${new_locked}quit\n")
korvo_run(lock_second EXIT 0 OUTPUT out ARGS --host ${lock_host} --quiet call,log,window INPUT
  "start\nidle\ndump modes 1\ncommand 1 903\nkernel SaveState\nkernel LoadState\ndump modes 1\n${apply_locked}dump modes 1\ncommand 1 903\nquit\n")
string(REGEX MATCHALL "\nlock-panes [a-z]+" locks "${out}")
if(NOT locks STREQUAL "\nlock-panes on;\nlock-panes off;\nlock-panes on")
  message(FATAL_ERROR "the lock after a restart, a reload and a profile applied (${locks}):\n${out}")
endif()
korvo_run(lock_third EXIT 0 OUTPUT out ARGS --host ${lock_host} --quiet call,log,window INPUT "start\nidle\ndump modes 1\nquit\n")
korvo_expect("${out}" "\nlock-panes off\n" "the lock taken off comes back off")
