# The system-panel verbs end to end: the frame's panel as the shell sees it, typing refused where
# a user could not type (a disabled parameter edit, a button), and a frame that is not open.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(panel EXIT 0 OUTPUT out INPUT
  "start\nidle\nnew-frame\ndump panel 2\ntype 1 907 \"5\"\ntype 1 1001 \"5\"\ntype 1 4711 \"5\"\ndump ribbon 1\nquit\n")
korvo_expect("${out}" "\nbar visible[^\n]*\nuser type \"5\" into 907 on frame 1\ntype: control 907 is disabled\n"
             "an empty panel and a parameter edit the kernel has not enabled")
korvo_expect("${out}" "\ntype: control 1001 is no edit\n" "a button is no edit")
korvo_expect("${out}" "\ntype: no button or tool-bar control 4711 in frame 1\n" "no such control")
korvo_expect("${out}" "\n  group \"Parameters\"\n    904 popup \"Colour\" disabled manual\n    911 popup \"Layer\" disabled manual\n    907 edit \"Level\" disabled manual\n"
             "the ribbon's parameter group holds the panel's twins, left to the kernel")

korvo_run(filters EXIT 0 OUTPUT out INPUT
  "start\nidle\nkernel SetSyspanelControls 907 0 0 2702 0 0 2750 0 0\ndump panel 1\nquit\n")
korvo_expect("${out}" "\n  2702 filter group - \"Lines\" enabled visible [^\n]*\n  2750 filter group - \"\" enabled visible [^\n]*\n"
             "a command's list: a built-in filter button with its own tooltip and a new one")

korvo_run(no_frame EXIT 2 ERROR err INPUT "start\nidle\ndump panel 2\n")
korvo_expect("${err}" "<stdin>:3: dump panel: there is no main frame 2" "a frame that is not open")
korvo_run(before_start EXIT 2 ERROR err INPUT "type 1 907 \"5\"\n")
korvo_expect("${err}" "<stdin>:1: type" "typing before start")

# The parameter controls after a restart: the frame loads the state the first run saved, and the
# controls stay as the kernel left them (disabled, no document open), as on the first run.
set(host ${WORK_DIR}/host)
foreach(run first second)
  korvo_run(restart_${run} EXIT 0 OUTPUT out ARGS --host ${host} INPUT "start\nidle\ndump ribbon 1\nquit\n")
  korvo_expect("${out}" "\n  group \"Parameters\"\n    904 popup \"Colour\" disabled manual\n    911 popup \"Layer\" disabled manual\n    907 edit \"Level\" disabled manual\n"
               "the parameter controls are disabled with no document open (${run} run)")
endforeach()

# The state loaded again in the middle of a session (the kernel's LoadState, a profile applied from
# the gallery and from the profiles page), on the first start and on a second over the same host,
# in ribbon and in classic mode: each bar keeps the states the kernel gave its controls (the
# kernel's list of controls enables the panel's colour alone, never its ribbon twin), the rebuilt
# ribbon twins show the panel's values, and a command reads one value through every getter.
set(samples "C:\\Users\\user\\Documents\\Samples")
string(CONCAT kernel_set
  "open \"${samples}\\Bracket.grb\"\nkernel SetSyspanelControls 904 0 0 911 0 0 907 0 0\n"
  "kernel set_syspanel_int 1 904 3\nkernel set_syspanel_doublevar 1 907 5 -1\nkernel EnableSyspanelControl 904 0\n"
  "kernel SetSyspanelControls 904 0 0 911 0 0 907 0 0\nkernel EnableSyspanelControl 911 0\n"
  "dump panel 1\ndump ribbon 1\n")
set(shown "dump panel 1\ndump ribbon 1\n")
string(CONCAT reloads
  "kernel SaveState\nkernel LoadState\n${shown}command 1 1190\n${shown}"
  "expect dialog 21101 answer select 2473 \"Office\" check 2473 on click 1658\ncommand 1 1061\n${shown}"
  "model RunCommand 1 1\ncommand 1 904\ncommand 1 907\nmodel RunCommand 1 0\n")
set(ribbon_ribbon on)
set(ribbon_classic off)
set(profile "expect dialog 21101 answer click 1659 text 2473 \"Office\" ok\ncommand 1 1061\n")
foreach(mode ribbon classic)
  set(host ${WORK_DIR}/host_${mode})
  set(switch "")
  set(click "")
  if(mode STREQUAL "classic")
    set(switch "command 1 806\n")
    # The panel's colour stays enabled: a click opens its chooser.
    set(click "click 1 904\naway 1\n")
  endif()
  foreach(run first second)
    if(run STREQUAL "first")
      set(input "start\nidle\n${switch}${profile}${kernel_set}${reloads}${click}dump modes 1\nquit\n")
    else()
      set(input "start\nidle\n${kernel_set}${reloads}${click}dump modes 1\nquit\n")
    endif()
    korvo_run(reloaded_${mode}_${run} EXIT 0 OUTPUT out ARGS --host ${host} --quiet log,window INPUT "${input}")
    string(REGEX MATCHALL "\n  (904|907|911) [^\n]*|\n    (904|907|911) [^\n]*" controls "${out}")
    list(LENGTH controls count)
    if(NOT count EQUAL 24)
      message(FATAL_ERROR "four dumps of three controls in both bars expected (${mode}, ${run} run):\n${out}")
    endif()
    list(SUBLIST controls 0 6 before)
    foreach(at 6 12 18)
      list(SUBLIST controls ${at} 6 after)
      if(NOT before STREQUAL after)
        message(FATAL_ERROR "a reload changed the parameter controls (${mode}, ${run} run):\n${before}\n${after}")
      endif()
    endforeach()
    string(JOIN "" before ${before})
    korvo_expect("${before}" "\n  904 colour group - 3 [^\n]* enabled [^\n]* ribbon 3\n  911 layer group - 0 [^\n]* disabled [^\n]* ribbon 0\n"
                 "the panel's colour is enabled, its layer disabled, and the ribbon twins hold the values (${mode}, ${run} run)")
    korvo_expect("${before}" "\n  907 edit group - \"5\" [^\n]* enabled [^\n]* ribbon \"5\" list 0"
                 "the level and its twin hold 5 (${mode}, ${run} run)")
    korvo_expect("${before}" "\n    904 popup \"Colour\" disabled manual\n    911 popup \"Layer\" disabled manual\n    907 edit \"Level\" manual"
                 "the ribbon's colour twin stays disabled (${mode}, ${run} run)")
    korvo_expect("${out}" "\ncall PanelValueReader reads 904: GetSyspanelControlData 3, UnpackSyspanelDoubleVar false, UnpackSyspanelIntVar false, GetSyspanelControlIntValue 3\n"
                 "a command reads the one colour through every getter (${mode}, ${run} run)")
    korvo_expect("${out}" "\ncall PanelValueReader reads 907: GetSyspanelControlData 5, UnpackSyspanelDoubleVar 5, UnpackSyspanelIntVar 5, GetSyspanelControlIntValue 5\n"
                 "a command reads the one level through every getter (${mode}, ${run} run)")
    if(mode STREQUAL "classic")
      korvo_expect("${out}" "\nuser click 904 on frame 1\nuser activate another window than frame 1\n"
                   "the panel's colour takes the click (${run} run)")
    endif()
    korvo_expect("${out}" "\ndump modes 1\n[^\n]*\n[^\n]*\nribbon ${ribbon_${mode}}\n" "the frame is in ${mode} mode (${run} run)")
  endforeach()
endforeach()
