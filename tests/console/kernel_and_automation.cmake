# The automation and kernel verbs end to end: a client opens a document, reads it, enumerates and
# quits the program once; the kernel's answers on the UI thread and from another thread; what an
# object refuses is printed and the run goes on, while an unknown kernel operation is a mistake.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(bracket "C:\\Users\\user\\Documents\\Samples\\Bracket.grb")
set(bracket_re "C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Bracket.grb")

korvo_run(client EXIT 0 OUTPUT out INPUT
  "start\nidle\nautomation GetFirstFile 7\nautomation OpenFile \"${bracket}\"\nautomation 2.FullName\nautomation 2.ReadOnly\nautomation GetFirstFile 7\nautomation getnextfile 0\nautomation ShowApplication \"max\"\nautomation Frobnicate\nautomation SetCurrentFolder \"C:\\Work\" 0x40001\nautomation Quit\n")
korvo_expect("${out}" "\nautomation GetFirstFile: \"\"; out -1\n" "no documents yet")
korvo_expect("${out}" "\nautomation OpenFile: object 2\n" "the opened document")
korvo_expect("${out}" "\nautomation 2.FullName: \"${bracket_re}\"\nautomation 2.ReadOnly: 0\n" "its properties")
korvo_expect("${out}" "\nautomation GetFirstFile: \"${bracket_re}\"; out 0\nautomation getnextfile: \"\"; out -1\n"
             "the enumeration")
korvo_expect("${out}" "\nautomation ShowApplication: 0x80020005 DISP_E_TYPEMISMATCH\nautomation Frobnicate: 0x80020006 DISP_E_UNKNOWNNAME\n"
             "refusals of the object")
korvo_expect("${out}" "call CPathManager::SavePath\\(\"DialogOpen\", \"C:\\\\Work\"\\)\nautomation SetCurrentFolder: 1\n"
             "one remembered folder")
string(REGEX MATCHALL "\nprogram exit" exits "${out}")
list(LENGTH exits exit_count)
if(NOT exit_count EQUAL 1 OR NOT out MATCHES "program exit 0\nautomation Quit: 0\n$")
  message(FATAL_ERROR "Quit ends the program once:\n${out}")
endif()

korvo_run(kernel EXIT 0 OUTPUT out INPUT
  "start\nidle\nnew-frame\nkernel IsViewerEdition\nkernel GetProductFlags\nkernel --worker GetRegistryCompanyName\nkernel IsApplicationCommandId 0x4268\nkernel SetHelpContext 4100 \"Other.chm\"\nkernel GetCurrentHelpId\nkernel GetRibbonBarOfFrame 2\nkernel GetSyspanelCurrentId\nquit\n")
korvo_expect("${out}" "\nkernel IsViewerEdition: true\nkernel GetProductFlags: 0x20001\nkernel GetRegistryCompanyName: \"Velmora\"\nkernel IsApplicationCommandId: true\n"
             "edition answers, one from another thread")
korvo_expect("${out}" "\nkernel GetCurrentHelpId: 4100\nkernel GetRibbonBarOfFrame: window 0x[0-9a-f]+\nkernel GetSyspanelCurrentId: -1\n"
             "help and frame answers")

korvo_run(mistake EXIT 2 OUTPUT out ERROR err INPUT "start\nidle\nkernel Frobnicate 1\nkernel IsViewerEdition\n")
korvo_expect("${err}" "<stdin>:3: kernel: unknown callback operation Frobnicate" "an unknown operation")
if(out MATCHES "kernel IsViewerEdition")
  message(FATAL_ERROR "the run went on after the mistake:\n${out}")
endif()
korvo_run(bad_argument EXIT 2 ERROR err INPUT "start\nidle\nkernel IsApplicationCommandId ten\n")
korvo_expect("${err}" "<stdin>:3: IsApplicationCommandId: ten is not a number" "a bad argument")
korvo_run(too_early EXIT 2 ERROR err INPUT "automation GetVersion\n")
korvo_expect("${err}" "<stdin>:1: automation: the program is not running yet" "before start")
