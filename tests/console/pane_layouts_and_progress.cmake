# What a user does to the docking panes survives a restart over the same host folder, a second
# frame gets its panes closed and then the saved layout, and a kernel command's progress redraws
# the status line only as often as the throttle lets it on the manual clock.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(host ${WORK_DIR}/host)

# First run: tasks shown by its pane command, properties closed, model elements floated. The
# program keeps the layout of the frame that closes last.
korvo_run(first EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "start\nidle\ncommand 1 790\npane close 1/1007\npane float 1/1022\nquit\n")
set(state "${host}/C/Users/user/AppData/Local/Velmora/Korvo CAD 18.0/Profiles/Default/MainFrame/state.xml")
if(NOT EXISTS "${state}")
  message(FATAL_ERROR "no state file was written:\n${out}")
endif()
file(READ ${host}/registry/HKEY_CURRENT_USER.reg user_hive)
if(NOT user_hive MATCHES "\\[Software\\\\Velmora\\\\Korvo CAD 18.0\\\\Profiles\\\\Default\\\\MainFrame\\]\n\"UseStateFile\"=dword:00000001")
  message(FATAL_ERROR "the profile does not say a state file exists:\n${user_hive}")
endif()

# Second run: the first frame as the user left it; a later frame starts with every pane closed
# (the state file is read once, at start-up).
korvo_run(second EXIT 0 OUTPUT out ARGS --host ${host} INPUT "start\nidle\ndump panes 1\nnew-frame\ndump panes 2\nquit\n")
korvo_expect("${out}" "log 2 Loaded state in " "the state file loaded")
korvo_expect("${out}" "\n1008 docked \"Tasks\" icon 4172 group 1006 selected window " "tasks open and selected")
korvo_expect("${out}" "\n1007 closed \"Properties\" icon 811 group 1006 window " "properties closed")
korvo_expect("${out}" "\n1022 floating \"Элементы модели\" icon 795 " "model elements floating")
korvo_expect("${out}" "\n1008 closed \"Tasks\" icon 4172 group 1006 window " "the second frame's tasks closed")

# A state file that is not XML loads nothing, is reported with its name, and start-up goes on.
file(WRITE "${state}" "<state><MainWindow>")
korvo_run(broken EXIT 0 OUTPUT out ARGS --lenient --host ${host} INPUT "start\nidle\ndump panes 1\nquit\n")
korvo_expect("${out}" "\n1007 docked \"Properties\" icon 811 group 1006 window " "the default panes after a broken file")

# Progress: 25 positions at one moment draw 19 of them; once the clock moves on the next one shows.
set(calls "")
foreach(position RANGE 1 25)
  string(APPEND calls "progress set ${position}\n")
endforeach()
korvo_run(progress EXIT 0 OUTPUT out INPUT
  "start\nidle\nprogress begin\nprogress begin\nprogress set 7\nprogress end\n${calls}dump status 1\nadvance 250\nprogress set 300\ndump status 1\nprogress end\ndump status 1\nquit\n")
korvo_expect("${out}" "\nprogress begin: true\nprogress begin: false\nprogress set: 0 \\(the bar shows a marquee\\)\nprogress end: false\n"
             "a nested progress is refused and freezes the bar until its end")
korvo_expect("${out}" "\nprogress id 0 19/100\ntaskbar normal 19/100\n" "the throttled bar")
korvo_expect("${out}" "\nprogress set: 19\nprogress set: 20 \\(the bar shows 19\\)\n" "the kept position and the one the bar shows part")
korvo_expect("${out}" "\nprogress set: 25 \\(the bar shows 19\\)\n" "the bar still shows 19 at the last call")
korvo_expect("${out}" "\nprogress set: 100\n" "a position past the bound is kept as the bound")
korvo_expect("${out}" "\nprogress id 0 100/100\ntaskbar normal 100/100\n" "the bar after the clock moved")
korvo_expect("${out}" "\nprogress end: true\n" "the outer end")
korvo_expect("${out}" "\ntaskbar none [0-9]+/[0-9]+\nuser close" "no progress at the end")

# A pane verb must name a pane the frame has.
korvo_run(no_pane EXIT 2 ERROR err INPUT "start\nidle\npane close 1\n")
korvo_expect("${err}" "<stdin>:3: pane close: name the pane as FRAME/PANE-ID" "a frame instead of a pane")
korvo_run(unknown_pane EXIT 2 ERROR err INPUT "start\nidle\npane float 1/1099\n")
korvo_expect("${err}" "<stdin>:3: pane float: main frame 1 has no docking pane 1099" "a pane the frame lacks")
