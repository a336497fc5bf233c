# Clipart panes at the console: a folder pane the user opens and closes, an add-on's pane that
# survives its close, and the panes coming back in a second run over the same host folder.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# Fails with `what` unless every pattern (a regular expression) matches `text`, each after the
# one before.
function(expect_matches_in_order text what)
  set(rest "${text}")
  foreach(pattern ${ARGN})
    if(NOT rest MATCHES "${pattern}")
      message(FATAL_ERROR "${what}: \"${pattern}\" missing or out of order:\n${text}")
    endif()
    string(FIND "${rest}" "${CMAKE_MATCH_0}" at)
    string(LENGTH "${CMAKE_MATCH_0}" length)
    math(EXPR at "${at} + ${length}")
    string(SUBSTRING "${rest}" ${at} -1 rest)
  endforeach()
endfunction()

set(choose_documents "expect folder choose \"C:\\\\Users\\\\user\\\\Documents\"\n")
set(folder_line "\n11000 floating \"[^\"]*\" icon 11000 selected window 0x[0-9a-f]+ float \\(100,100\\)-\\(420,340\\) clipart DocumentsMenu state 0 IconSize=32 ContentType=3 FolderPath=\"C:\\\\Users\\\\user\\\\Documents\"\n")

korvo_run(folder_pane EXIT 0 OUTPUT out INPUT
  "start\nidle\n${choose_documents}command 1 1244\ndump panes 1\npane close 1/11000\ndump panes 1\n${choose_documents}command 1 1244\ndump panes 1\nquit\n")
expect_matches_in_order("${out}" "a folder pane opens floating as 11000, goes when closed and its id comes back"
  "dump panes 1\n" "\n11000 floating" "user close pane 11000 of frame 1\n" "dump panes 1\n" "dump panes 1\n" "\n11000 floating")
korvo_expect("${out}" "${folder_line}" "the folder pane's place, kind and keys")
# The dump after the close lists no pane 11000.
string(FIND "${out}" "user close pane 11000 of frame 1\n" at)
string(SUBSTRING "${out}" ${at} -1 after_close)
string(FIND "${after_close}" "dump panes 1\n" at)
math(EXPR at "${at} + 13")
string(SUBSTRING "${after_close}" ${at} -1 after_close)
if(after_close MATCHES "^([0-9]+ [^\n]*\n)*" AND CMAKE_MATCH_0 MATCHES "(^|\n)11000 ")
  message(FATAL_ERROR "the closed folder pane stayed:\n${out}")
endif()

korvo_run(addon_pane EXIT 0 OUTPUT out INPUT
  "start\nidle\nkernel ShowApplicationClipart \"Drafter\" 7 \"Sketches\"\naddon run \"Drafter\"\nkernel ShowApplicationClipart \"Drafter\" 7 \"Sketches\"\nkernel SetClipartTitle \"Drafter\" 7 \"Sheets\"\ndump panes 1\npane close 1/11000\nkernel IsClipartWindowVisible \"Drafter\" 7\ndump panes 1\nkernel ShowClipartWindow \"Drafter\" 7 1\nkernel IsClipartWindowVisible \"Drafter\" 7\naddon stop \"Drafter\"\nkernel ShowApplicationClipart \"Drafter\" 8 \"More\"\nquit\n")
expect_matches_in_order("${out}" "an add-on's pane closes, keeps its view and comes back"
  "kernel ShowApplicationClipart: null\n"
  "log 2 Created a docking pane for the window 7 \"Sketches\" of the application \"Drafter\"\n"
  "kernel ShowApplicationClipart: window 0x"
  "\n11000 floating \"Drafter #7\" icon 11000 selected window 0x[0-9a-f]+ float [^ ]+ clipart Application state 0 AppKey=\"Drafter\" WindowID=7 Title=\"Sheets\"\n"
  "kernel IsClipartWindowVisible: false\n"
  "\n11000 closed \"Drafter #7\" icon 11000 window none clipart Application state 1 AppKey=\"Drafter\""
  "kernel IsClipartWindowVisible: true\n"
  "log 4 Ignoring the request to create a docking pane for the not-running application \"Drafter\"\n")

# Two runs over one host folder: the folder pane comes back with its keys.
set(host ${WORK_DIR}/host)
file(WRITE ${WORK_DIR}/first.korvo "start\nidle\n${choose_documents}command 1 1244\nclose 1\n")
korvo_run(first EXIT 0 OUTPUT out ARGS --host ${host} --script ${WORK_DIR}/first.korvo)
file(WRITE ${WORK_DIR}/second.korvo "start\nidle\ndump panes 1\nquit\n")
korvo_run(second EXIT 0 OUTPUT out ARGS --host ${host} --script ${WORK_DIR}/second.korvo)
# It was the selected pane of its floating frame when saved.
string(REPLACE "state 0" "state 2" saved_folder_line "${folder_line}")
korvo_expect("${out}" "${saved_folder_line}" "the folder pane came back in the second run")

# The icon size chosen in a folder pane's menu, and the folder it moves to, are the pane's: they
# come back at the next start over the host and after the kernel reloads the state mid-session.
set(size_host ${WORK_DIR}/sizes)
set(small "expect menu choose \"Мелкие значки\"\nmouse 1/11000 200,150 rclick\n")
set(huge "expect menu choose \"Огромные значки\"\nmouse 1/11000 200,150 rclick\n")
korvo_run(size_first EXIT 0 OUTPUT out ARGS --host ${size_host} --quiet log,window,call INPUT
  "start\nidle\nfile mkdir \"C:\\\\Users\\\\user\\\\Documents\\\\A\"\n${choose_documents}command 1 1244\n${small}row 1/11000 0 open\ndump panes 1\nquit\n")
set(pane_a "\n11000 floating \"C:\\\\Users\\\\user\\\\Documents\\\\A\\\\?\" [^\n]* clipart DocumentsMenu state [02] IconSize=")
set(path_a " ContentType=3 FolderPath=\"C:\\\\Users\\\\user\\\\Documents\\\\A\\\\?\"\n")
korvo_expect("${out}" "${pane_a}16${path_a}" "the pane keeps the size chosen and the folder opened in it")
korvo_run(size_second EXIT 0 OUTPUT out ARGS --host ${size_host} --quiet log,window,call INPUT
  "start\nidle\ndump panes 1\ndump browser 1/11000\n${huge}kernel SaveState\n${small}kernel LoadState\ndump panes 1\ndump browser 1/11000\nquit\n")
string(FIND "${out}" "kernel LoadState" at)
string(SUBSTRING "${out}" 0 ${at} started)
korvo_expect("${started}" "${pane_a}16${path_a}" "the size and the folder come back at the next start")
korvo_expect("${started}" "dump browser 1/11000\nbrowser folder \"C:\\\\Users\\\\user\\\\Documents\\\\A\\\\?\" [^\n]* icon-size 16 "
             "the browser shows them")
after("${out}" "kernel LoadState" reloaded)
korvo_expect("${reloaded}" "${pane_a}128${path_a}" "the kernel's reload brings back the size it saved")
korvo_expect("${reloaded}" "\nbrowser folder [^\n]* icon-size 128 " "and the browser shows it")
korvo_run(size_third EXIT 0 OUTPUT out ARGS --host ${size_host} --quiet log,window,call INPUT "start\nidle\ndump panes 1\nquit\n")
korvo_expect("${out}" "${pane_a}128${path_a}" "the second run's size comes back at the third start")
