# The kernel's panel setters on every control kind of the panel, in ribbon and in classic mode:
# a value a control does not keep is answered false, logged and changes nothing (`dump panel`
# is the same before and after); and a number beyond the double range, typed or spun, is refused
# and reaches no document.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(samples "C:\\Users\\user\\Documents\\Samples")

# Each setter with the controls that keep no value of its kind.
set(refusals
  "set_syspanel_int 1 ID 3|905 914 918"
  "set_syspanel_intvar 1 ID 5 -1|904 905 911 912 914 918"
  "set_syspanel_doublevar 1 ID 2.5 -1|904 905 911 912 914 918"
  "set_syspanel_cstr 1 ID \"abc\"|904 907 909 911 912 915"
  "set_syspanel_font 1 ID \"abc\" 0|904 905 907 909 911 912 915 918")
set(calls "")
set(count 0)
foreach(refusal ${refusals})
  string(REPLACE "|" ";" parts "${refusal}")
  list(GET parts 0 call)
  list(GET parts 1 ids)
  string(REPLACE " " ";" ids "${ids}")
  foreach(id ${ids})
    string(REPLACE "ID" "${id}" line "${call}")
    string(APPEND calls "kernel ${line}\n")
    math(EXPR count "${count} + 1")
  endforeach()
endforeach()

string(CONCAT script
  "start\nidle\nopen \"${samples}\\Bracket.grb\"\n"
  "kernel SetSyspanelControls 904 0 0 905 0 0 907 0 0 909 0 0 911 0 0 912 0 0 914 0 0 915 0 0 918 0 0\n"
  "kernel set_syspanel_int 1 904 255\nkernel set_syspanel_doublevar 1 907 4 -1\nkernel set_syspanel_cstr 1 905 \"Steel\"\n"
  "dump panel 1\n${calls}dump panel 1\ncommand 1 806\ndump panel 1\n${calls}dump panel 1\nquit\n")
korvo_run(refused EXIT 0 OUTPUT out INPUT "${script}")
korvo_expect("${out}" "kernel set_syspanel_int: true\nkernel set_syspanel_doublevar: true\nkernel set_syspanel_cstr: true\n"
             "the kinds a control keeps are taken")
string(REGEX MATCHALL "kernel set_syspanel_[a-z]+: false\n" answers "${out}")
list(LENGTH answers refused)
math(EXPR expected "${count} * 2")
if(NOT refused EQUAL expected)
  message(FATAL_ERROR "${refused} refusals instead of ${expected}:\n${out}")
endif()
korvo_expect("${out}" "log 6 Control 907 \\(CSyspanelEdit\\) takes no text\n" "the log names the control and the kind")
korvo_expect("${out}" "log 6 Control 904 \\(CColorPopupControl\\) takes no measure\n" "a measure is no colour word")
string(REGEX MATCHALL "bar visible[^\n]*\n(  [^\n]*\n)+" panels "${out}")
list(LENGTH panels shown)
if(NOT shown EQUAL 4)
  message(FATAL_ERROR "four panel dumps expected:\n${out}")
endif()
list(GET panels 0 before)
list(GET panels 1 after)
list(GET panels 2 classic_before)
list(GET panels 3 classic_after)
if(NOT before STREQUAL after OR NOT classic_before STREQUAL classic_after)
  message(FATAL_ERROR "a refused value changed the panel:\n${before}\n${after}\n${classic_before}\n${classic_after}")
endif()
korvo_expect("${before}" "  907 edit group - \"4\" [^\n]* ribbon \"4\" list 0\n" "the level and its twin hold the measure")
korvo_expect("${before}" "  905 material group - \"Steel\" [^\n]* ribbon \"Steel\"\n" "the material and its twin hold the name")

string(CONCAT typed_script
  "start\nidle\nopen \"${samples}\\Bracket.grb\"\nkernel EnableSyspanelControl 907 1\n"
  "model AddObject 1\nmodel SetObjectParameter 1 0 \"Level\" 3\nmodel Select 1 0\n"
  "expect box \"*neither a number*\" answer ok\ntype 1 907 \"1e400\"\ndump parameters\n"
  "type 1 907 \"1.7e308\"\nexpect dialog 1598 answer click 1491 text 102 \"1e308\" ok\nedit-command 1 907 2145\n"
  "spin 1 907 1\ndump panel 1\nmodel Select 1\ntype 1 907 \"2\"\ndump parameters\nquit\n")
korvo_run(not_finite EXIT 0 OUTPUT out INPUT "${typed_script}")
korvo_expect("${out}" "box [^\n]*neither a number[^\n]*\n" "a number beyond the double range is refused as other texts that are no number")
korvo_expect("${out}" "document 1 \"Bracket.grb\"\n  object 0 Level 3\n" "the object keeps its level")
korvo_expect("${out}" "document 1 \"Bracket.grb\"\n  object 0 Level 1.7e\\+308\n  selection none\n  defaults 2D Color colour 0 Layer 0 Level 2 "
             "spinning past the largest double wrote nothing; the next entry is an ordinary number")
if(out MATCHES "[ \"(]-?(inf|nan)[ \")\n]")
  message(FATAL_ERROR "a value that is no finite number reached the program:\n${out}")
endif()
