# A clipart pane's browser with its history at the console: Back, Forward and Level up over
# folders and a configuration's objects, the cap on the history, objects gone meanwhile, the
# menus of its icons and of the documents menu's rows, and a pane's own menu closing it.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(docs "C:\\Users\\user\\Documents")
set(docs_re "C:\\\\Users\\\\user\\\\Documents")
set(folders "file mkdir \"${docs}\\A\"\nfile mkdir \"${docs}\\A\\B\"\nfile mkdir \"${docs}\\A\\C\"\n")
set(open_a "expect folder choose \"${docs}\\A\"\ncommand 1 1244\n")

# Folder A, its subfolder B, Back, then A's subfolder C: the step to B is forgotten. Closing the
# pane ends it, and the id is free again.
korvo_run(folders EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet log,window,call INPUT
  "start\nidle\n${folders}${open_a}dump panes 1\nrow 1/11000 0 open\nclick 1/11000 40812\nrow 1/11000 1 open\ndump browser 1/11000
click 1/11000 40813\npane close 1/11000\ndump panes 1\n${open_a}dump panes 1\nquit\n")
korvo_expect("${out}" "\n11000 floating \"${docs_re}\\\\A\" [^\n]* float \\(100,100\\)-\\(420,340\\) clipart DocumentsMenu state 0 IconSize=32 ContentType=3 FolderPath=\"${docs_re}\\\\A\"\n"
             "the folder pane floats at 100,100, 320 x 240")
korvo_expect("${out}" "dump browser 1/11000\nbrowser folder \"${docs_re}\\\\A\\\\C\" [^\n]*\n  level-up 40819 enabled tooltip \"Перейти к \"${docs_re}\\\\A\"\"\n  back 40812 enabled tooltip \"Назад к \"${docs_re}\\\\A\"\"\n  forward 40813 disabled tooltip \"Вперёд\"\n  history 2 at 1\n    0 folder \"${docs_re}\\\\A\"\n  > 1 folder \"${docs_re}\\\\A\\\\C\"\n"
             "A, B, Back, C leaves A and C, Forward disabled, Back naming the folder")

korvo_expect("${out}" "click: control 40813 is hidden or disabled\n" "a disabled Forward does nothing")
after("${out}" "user close pane 11000 of frame 1\n" closed)
if(closed MATCHES "^dump panes 1\n(([0-9]+ [^\n]*|    [^\n]*)\n)*" AND CMAKE_MATCH_0 MATCHES "\n11000 ")
  message(FATAL_ERROR "the closed pane stayed:\n${out}")
endif()
korvo_expect("${closed}" "user command 1244 [^\n]*\n([^\n]*\n)*11000 floating" "the next pane takes 11000 again")

# 257 recorded steps (A, then B and Level up in turn) keep the last 256.
string(REPEAT "row 1/11000 0 open\nclick 1/11000 40819\n" 128 steps)
korvo_run(cap EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host2 --quiet log,window,call,user INPUT
  "start\nidle\n${folders}${open_a}${steps}dump browser 1/11000\nquit\n")
korvo_expect("${out}" "  back 40812 enabled [^\n]*\n  forward 40813 disabled [^\n]*\n  history 256 at 255\n    0 folder \"${docs_re}\\\\A\\\\B\"\n"
             "the history keeps 256 steps, the oldest gone, Back enabled")

# A library's pane: a document's icon and its menu (the inserts greyed without a drawing), Level up
# to its configuration (nothing above it), then the configuration closed: Back passes over what is
# gone and changes nothing.
set(open_sample "documents-menu configuration \"${docs}\\Libraries.tws\"\nstart\nidle\ndocuments-pane expand \"Libraries\"\n")
korvo_run(library EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host3 --quiet log,window,call INPUT
  "${open_sample}expect menu choose \"Открыть в новом окне\"\nmouse 1/1004 10,100 rclick\nexpect menu dismiss\nrow 1/11000 0 rclick
documents-pane expand \"Samples\"\nexpect menu choose \"Копировать полный путь\"\nmouse 1/1004 10,120 rclick\ndump clipboard\ndocuments-pane collapse \"Samples\"\nclick 1/11000 40819\ndump browser 1/11000\nexpect menu choose \"Закрыть\"\nmouse 1/1004 10,80 rclick\nclick 1/11000 40812\ndump browser 1/11000\nquit\n")
korvo_expect("${out}" "menu   0 \"Открыть в проводнике\"\nmenu   0 \"Открыть\"\nmenu   0 \"Вставить как фрагмент\" disabled\nmenu   0 \"Вставить как рисунок\" disabled\nmenu   0 \"Свойства\"\nmenu   ---- 0 \"Вид\" >\n"
             "a document's icon offers the shell's folder, open, the greyed inserts and properties")
korvo_expect("${out}" "dump clipboard\nclipboard \"${docs_re}\\\\Samples\\\\Bracket.grb\"\n" "copy full path of the document's row fills the clipboard")
korvo_expect("${out}" "dump browser 1/11000\nbrowser configuration \"Libraries\" [^\n]*\n  level-up 40819 disabled tooltip \"\"\n  back 40812 enabled [^\n]*\n[^\n]*\n  history 2 at 1\n    0 library \"Samples\"\n"
             "a configuration's Level up is disabled with an empty tooltip")
korvo_expect("${out}" "user click 40812 in frame 1/11000\ndump browser 1/11000\nbrowser none [^\n]*\n([^\n]*\n)*  history 2 at 1\n    0 library \\(gone\\)\n  > 1 configuration \\(gone\\) "
             "Back passes over objects gone meanwhile and changes nothing")

# The window's show-hidden item flips the state once (its caption follows); closing a
# configuration that cannot be saved asks first ("No" keeps it), another one closes unasked.
korvo_run(configurations EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host4 --quiet log,window,call INPUT
  "documents-menu configuration \"${docs}\\Libraries.tws\"\ndocuments-menu configuration \"${docs}\\Drafts\\Draft.tws\"\nstart\nidle
documents-pane expand \"Libraries\"\ndocuments-pane visible \"Templates\"\nexpect menu choose \"Показать скрытые\"\nmouse 1/1004 10,100 rclick
expect menu dismiss\nmouse 1/1004 10,100 rclick\nfile delete \"${docs}\\Drafts\"\nexpect box \"*Draft*\" answer no
expect menu choose \"Закрыть\"\nmouse 1/1004 10,80 rclick\nexpect menu choose \"Закрыть\"\nmouse 1/1004 10,100 rclick\ndump documents-menu
file mkdir \"${docs}\\Drafts\"\nquit\n")
korvo_expect("${out}" "menu   0 \"Показать скрытые\"\n([^\n]*\n)*menu answer choose \"Показать скрытые\" \\(expected\\)\n([^\n]*\n)*menu   0 \"Не показывать скрытые\"\n([^\n]*\n)*menu answer dismiss"
             "the show-hidden item flips the state once")
string(REGEX MATCHALL "box [^\n]*Всё равно закрыть" questions "${out}")
list(LENGTH questions asked)
if(NOT asked EQUAL 1 OR NOT out MATCHES "сохранить конфигурацию \"Draft\"")
  message(FATAL_ERROR "only the configuration that cannot be saved is asked about:\n${out}")
endif()
korvo_expect("${out}" "dump documents-menu\n  Draft  [^\n]*Draft.tws\nuser close" "\"No\" keeps it; the other one is closed")

# Two runs over one host folder: an add-on's pane saved while its add-on ran waits until the add-on
# asks for it again; a model tree whose stored state is longer than any state comes back without it.
set(host ${WORK_DIR}/host5)
korvo_run(first EXIT 0 OUTPUT out ARGS --host ${host} --quiet log,window,call INPUT
  "start\nidle\naddon run \"Drafter\"\nkernel ShowApplicationClipart \"Drafter\" 7 \"Sketches\"\nkernel ShowModelTreeClipart 0 4\nclose 1\n")
file(GLOB_RECURSE states ${host}/*/state.xml)
list(GET states 0 state)
file(READ ${state} xml)
string(REPLACE "ModelTreeWndStateSize=\"0\"" "ModelTreeWndStateSize=\"4000000000\" ModelTreeWndState=\"0102\"" xml "${xml}")
file(WRITE ${state} "${xml}")
korvo_run(second EXIT 0 OUTPUT out ARGS --host ${host} --quiet log,window,call INPUT
  "start\nidle\ndump panes 1\nkernel ShowApplicationClipart \"Drafter\" 7 \"Other\"\naddon run \"Drafter\"\nkernel ShowApplicationClipart \"Drafter\" 7 \"Other\"\ndump panes 1\nquit\n")
after("${out}" "dump panes 1\n" waiting)
string(FIND "${waiting}" "kernel ShowApplicationClipart" at)
string(SUBSTRING "${waiting}" 0 ${at} waiting)
if(waiting MATCHES "\n11000 ")
  message(FATAL_ERROR "the add-on's pane came back before its add-on ran:\n${out}")
endif()
korvo_expect("${out}" "\n11001 floating [^\n]* clipart ModelTree state 2 ModelTreeGroupType=4 [^\n]* ModelTreeWndStateSize=0\nkernel ShowApplicationClipart: null\n"
             "the model tree comes back without the state; the add-on's pane waits while its add-on does not run")
korvo_expect("${out}" "kernel ShowApplicationClipart: window 0x[0-9a-f]+\ndump panes 1\n([^\n]*\n)*11000 floating \"Drafter #7\" [^\n]* clipart Application state 2 AppKey=\"Drafter\" WindowID=7 Title=\"Sketches\"\n"
             "the add-on's pane comes back with what the layout kept once the add-on asks")

# The browser pane takes the list colours of the UI theme's paint theme: the Office 2013 list
# boxes' under an Office 2013 theme, the window colours under others.
korvo_run(themes EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host6 --quiet log,window,call INPUT
  "${open_sample}documents-pane select \"Samples\"\ncommand 1 3401\ndump browser 1/1004\ncommand 1 3402\ndump browser 1/1004\nquit\n")
korvo_expect("${out}" "  history none\n  colours background #FFFFFF text #000000 theme \"office2010black\"\n([^\n]*\n)*  colours background #FFFFFF text #444444 theme \"office2013light\"\n"
             "the pane's colours follow the theme")

# A folder's icon offers the shell's folder and a window of its own, which shows the folder
# (without the icon's trailing backslash).
korvo_run(folder_menu EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host5 --quiet log,window,call INPUT
  "start\nidle\n${folders}${open_a}expect menu choose \"Открыть в новом окне\"\nrow 1/11000 0 rclick\ndump panes 1\nquit\n")
korvo_expect("${out}" "menu   0 \"Открыть в проводнике\"\nmenu   0 \"Открыть в новом окне\"\n" "the folder's two actions")
korvo_expect("${out}" "\n110[0-9][0-9] floating \"${docs_re}\\\\A\\\\B\" [^\n]* clipart DocumentsMenu state 0 IconSize=32 ContentType=3 FolderPath=\"${docs_re}\\\\A\\\\B\"\n"
             "the folder opens in a pane of its own, named as any folder is in its title and saved path")
