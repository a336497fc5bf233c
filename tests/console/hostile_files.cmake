# Files and numbers made to hurt, given as a user or a bad file would give them: nesting deep
# enough to exhaust a recursive reader's stack, enumerated values out of range, rectangles at the
# integer limits, thousands of hidden documents and unknown panes, temporary files of killed runs,
# numbers wider than their argument, and a signal during a long start-up.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
korvo_seed_host(INPUT "start\nidle\nquit\n")
set(documents "${host}/C/Users/user/Documents")
set(profile "${host}/C/Users/user/AppData/Local/Velmora/Korvo CAD 18.0/Profiles/Default/MainFrame")
set(win_documents "C:\\\\Users\\\\user\\\\Documents")

# A configuration of 30,000 nested groups: refused with its file and line, by the documents menu
# and through automation alike; the run goes on.
string(REPEAT "<group name=\"g\">\n" 30000 open)
string(REPEAT "</group>" 30000 close)
file(WRITE "${documents}/Deep.tws" "<configuration name=\"Deep\">\n${open}${close}</configuration>\n")
korvo_run(deep_configuration EXIT 0 OUTPUT out ARGS --lenient --host ${host} INPUT
  "documents-menu configuration \"C:\\Users\\user\\Documents\\Deep.tws\"\nstart\nidle\nautomation OpenLibraryConfiguration \"C:\\Users\\user\\Documents\\Deep.tws\"\nquit\n")
korvo_expect("${out}" "warning ${win_documents}\\\\Deep.tws\\(257\\): elements nested deeper than 256 levels\n.*warning ${win_documents}\\\\Deep.tws\\(257\\): elements nested deeper than 256 levels"
             "a deep configuration refused by the documents menu and by automation")
korvo_expect("${out}" "automation OpenLibraryConfiguration: 0\n" "automation told the configuration did not open")

# A default layout of 20,000 nested elements, and enumerated values out of their range: every
# start read, walked and freed the tree recursively, and cast the values as they came.
file(READ "${program}/DefaultLayout.xml" layout)
string(REPEAT "<Popup caption=\"p\">\n" 20000 open)
string(REPEAT "</Popup>" 20000 close)
file(WRITE "${program}/DefaultLayout.xml" "<MainWindow>\n<MenuBar id=\"59392\">\n${open}${close}</MenuBar></MainWindow>\n")
korvo_run(deep_layout EXIT 0 OUTPUT out ARGS --lenient --host ${host} INPUT "start\nidle\nquit\n")
korvo_expect("${out}" "warning C:\\\\Program Files\\\\Velmora\\\\Korvo CAD 18.0\\\\DefaultLayout.xml\\(257\\): elements nested deeper than 256 levels"
             "a deep default layout refused with its file and line")
string(REPLACE "<Popup id=\"57600\" caption=\"&amp;File\">" "<Popup id=\"57600\" caption=\"&amp;File\" style=\"99\">" odd "${layout}")
string(REPLACE "<RibbonTab caption=\"&amp;Home\"" "<RibbonTab contextColor=\"2147483647\" caption=\"&amp;Home\"" odd "${odd}")
file(WRITE "${program}/DefaultLayout.xml" "${odd}")
korvo_run(odd_values EXIT 0 OUTPUT out ARGS --lenient --host ${host} INPUT "start\nidle\nquit\n")
korvo_expect("${out}" "warning Korvo::UI::XML::ToolBar::apply: style 99 is not a button style \\(0 to 4\\)" "a style out of range")
korvo_expect("${out}" "warning Korvo::UI::XML::RibbonBar::apply: contextColor 2147483647 is not a context colour \\(0 to 7\\)"
             "a context colour out of range")
file(WRITE "${program}/DefaultLayout.xml" "${layout}")

# A state file with rectangles at the integer limits, 20,000 hidden documents in the documents
# menu's values and 20,000 panes the program never makes: start-up is quick, and keeps the panes
# it knows.
file(READ "${profile}/state.xml" state)
set(hidden "")
set(unknown "")
foreach(id RANGE 5000 24999)
  string(APPEND hidden "<doc libID=\"6F1C2A40-8D3B-4E55-9A61-0B7C3D2E1F01\" docName=\"d${id}.grb\"/>")
  string(APPEND unknown "<Pane ID=\"${id}\" State=\"0\" Group=\"1006\"/>")
endforeach()
string(REGEX REPLACE "<Pane ID=\"1006\"[^>]*>" "<Pane ID=\"1006\" State=\"0\" Left=\"-2147483648\" Top=\"-2147483648\" Right=\"2147483647\" Bottom=\"2147483647\">" hostile "${state}")
string(REPLACE "<HiddenDocs />" "<HiddenDocs>${hidden}</HiddenDocs>" hostile "${hostile}")
string(REPLACE "</DockingPane>" "${unknown}</DockingPane>" hostile "${hostile}")
file(WRITE "${profile}/state.xml" "${hostile}")
string(TIMESTAMP begin "%s")
korvo_run(hostile_state EXIT 0 OUTPUT out ARGS --host ${host} INPUT "start\nidle\ndump panes 1\nquit\n")
string(TIMESTAMP end "%s")
math(EXPR seconds "${end} - ${begin}")
if(seconds GREATER 30)
  message(FATAL_ERROR "a hostile state file took ${seconds} s to start and close")
endif()
korvo_expect("${out}" "log 2 Loaded state in " "the state file loaded")
if(out MATCHES "\n(5[0-9][0-9][0-9]|[1-2][0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "a pane the program never makes was made:\n${out}")
endif()
file(READ "${profile}/state.xml" saved)
if(saved MATCHES "Left=\"-2147483648\"" OR saved MATCHES "ID=\"5000\"")
  message(FATAL_ERROR "the hostile values were written back:\n${saved}")
endif()

# Temporary files of killed runs beside the state file, a configuration and a picture go at the
# next start; one of a run still going stays. (No process has an id of 999999999.)
foreach(folder "${profile}" "${documents}" "${documents}/Pictures")
  file(WRITE "${folder}/.~korvo-999999999-4.tmp" "half")
endforeach()
file(WRITE "${documents}/.~korvo-1-0.tmp" "init's")
korvo_run(leftovers EXIT 0 ARGS --host ${host} INPUT "start\nidle\nquit\n")
file(GLOB_RECURSE left "${host}/*/.~korvo-999999999-*")
if(left)
  message(FATAL_ERROR "temporary files of a dead run left behind: ${left}")
endif()
if(NOT EXISTS "${documents}/.~korvo-1-0.tmp")
  message(FATAL_ERROR "the temporary file of a running process was removed")
endif()
file(REMOVE "${documents}/.~korvo-1-0.tmp")

# Numbers wider than their argument: an error naming the argument at the kernel's callbacks, the
# framework's DISP_E_OVERFLOW through automation, never a number cut to fit.
korvo_run(wide_kernel_number EXIT 2 ERROR err INPUT "start\nidle\nkernel GetSyspanelControlIntValue 4294967297\n")
korvo_expect("${err}" "<stdin>:3: .*GetSyspanelControlIntValue: argument 1 \\(4294967297\\) does not fit an unsigned 32-bit number"
             "a kernel argument wider than its parameter")
korvo_run(wide_worker_number EXIT 2 ERROR err INPUT "start\nidle\nkernel --worker GetSyspanelControlIntValue -1\n")
korvo_expect("${err}" "argument 1 \\(-1\\) does not fit an unsigned 32-bit number" "a negative id")
korvo_run(wide_automation_number EXIT 0 OUTPUT out INPUT
  "start\nidle\nautomation SetCurrentFolder \"C:\\\\\" 4294967297\nautomation SetCurrentFolder \"C:\\\\\" -2147483649\nquit\n")
korvo_expect("${out}" "automation SetCurrentFolder: 0x8002000A DISP_E_OVERFLOW\nautomation SetCurrentFolder: 0x8002000A DISP_E_OVERFLOW\n"
             "automation numbers wider than a LONG")
korvo_run(wide_reference EXIT 2 ERROR err INPUT "start\nidle\nautomation GetFirstFile 70000\n")
korvo_expect("${err}" "argument 1 \\(70000\\) does not fit a 16-bit reference" "a reference wider than a short")

# A signal during a start-up that takes long (300 main windows in the state file) ends the run
# within a second of grace.
string(REGEX MATCH "<MainWindow[ >].*</MainWindow>" window "${state}")
string(REPEAT "${window}" 300 windows)
file(WRITE "${profile}/state.xml" "<?xml version=\"1.0\"?>\n<state product=\"Viewer\">${windows}</state>\n")
execute_process(COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/support/end_during_start.sh ${KORVO} ${host} ${WORK_DIR}/signal.out
                TIMEOUT 120 RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "SIGTERM during a long start-up: ${code}\n${out}\n${err}")
endif()
