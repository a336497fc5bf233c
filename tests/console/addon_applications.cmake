# The add-on applications dialog: a descriptor folder offers only the applications the kernel does
# not know yet, an added one is saved and can be started, one that needs the PDM system cannot
# start while it is not connected, a started one that puts its tools on the applications tab
# brings the user there, the start mode follows the application's flags, and removing keeps the
# rules about applications the user cannot delete here.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
korvo_seed_host()
set(win_program "C:\\Program Files\\Velmora\\Korvo CAD 18.0")
file(WRITE "${program}/Applications.ini" "[Known]\nName=Known tool\nPath=${win_program}\\KVTEXT.dll\n")
file(WRITE "${program}/Tools.kva"
  "[Known]\nName=Known again\nPath=C:\\Known.dll\n"
  "[NewTool]\nName=\nTitle=New tool\nPath=${win_program}\\KVDict.dll\nFlags=2048\n"
  "[PdmTool]\nName=PDM tool\nPath=${win_program}\\KVCatalog.dll\nFlags=1025\n"
  "[Bad\\Name]\nName=Bad name\nPath=C:\\Bad.dll\n"
  "[Empty]\nName=No kind\nType=0\nPath=C:\\Empty.dll\n"
  "[NoPath]\nName=No path\n"
  "[Managed]\nName=Managed tool\nType=2\nPath=${win_program}\\KV3DSE.dll\n")
# A hidden applications tab, as a layout may bring it.
file(READ "${program}/DefaultLayout.xml" layout)
string(REPLACE "    <RibbonTab caption=\"3D model\""
  "    <RibbonTab caption=\"Applications\" guid=\"{2A629998-3570-4D28-95F3-C61F7A8B1DBE}\" visible=\"false\">\n      <RibbonGroup caption=\"Tools\">\n        <Button id=\"1258\" caption=\"Applications\"/>\n      </RibbonGroup>\n    </RibbonTab>\n    <RibbonTab caption=\"3D model\""
  layout "${layout}")
file(WRITE "${program}/DefaultLayout.xml" "${layout}")

# Applications the kernel knows, descriptor sections without a usable identifier, kind or path
# are not offered; an entry without a name is offered by its title.
foreach(absent "Known again" "Bad name" "No kind" "No path")
  string(MAKE_C_IDENTIFIER "${absent}" name)
  korvo_run(absent_${name} EXIT 1 ERROR err ARGS --host ${host} --quiet call,log INPUT
    "start\nidle\nexpect dialog 1561 answer select 1157 \"${absent}\" ok\nexpect dialog 1563 answer click 1221 cancel\ncommand 1 1258\nquit\n")
  korvo_expect("${err}" "list 1157 has no item \"${absent}\"" "\"${absent}\" is not offered")
endforeach()

# The new tool is added (the row selected before gives way to it), saved into the applications
# file and started: its tools are on the applications tab, which is shown and selected.
string(CONCAT script
  "start\nidle\ndump applications\nexpect dialog 1561 answer select 1157 \"New tool\" ok\nexpect dialog 1563 answer select 1267 \"Known tool\" click 1221 click 1517\ncommand 1 1258\ndump applications\ndump ribbon 1\n"
  "expect box \"The application is running*\" answer ok\nexpect dialog 1563 answer select 1267 \"New tool\" click 1134 cancel\ncommand 1 1258\ndump applications\nquit\n")
korvo_run(add_start EXIT 0 OUTPUT out ARGS --host ${host} --quiet log INPUT "${script}")
korvo_expect("${out}" "dump applications\nKnown \"Known tool\" \"[^\"]*KVTEXT.dll\" native ini flags 0 started\nuser" "the ini's application is known")
korvo_expect("${out}" "call CKVApplicationManager::AddApplication\\(\"NewTool\"\\)\ncall CKVBaseApplication::SaveInINI\\(\"NewTool\", \"C:\\\\Program Files\\\\Velmora\\\\Korvo CAD 18.0\\\\Applications.ini\"\\)"
             "the added application is saved into the applications file")
korvo_expect("${out}" "call CKVBaseApplication::Start\\(\"NewTool\", true, true\\)\ncall CKVBaseApplication::CreateTools\\(\"NewTool\"\\)" "Start starts it and makes its tools")
korvo_expect("${out}" "NewTool \"New tool\" \"[^\"]*KVDict.dll\" native added flags 2048 started\n" "the new tool runs")
korvo_expect("${out}" "box [^\n]*The application is running[^\n]*\n.*dump applications\nKnown [^\n]*\nNewTool [^\n]* started\n" "a running application stays loaded when removed")
korvo_expect("${out}" "\"Applications\" selected[^\n]*\\{2A629998-3570-4D28-95F3-C61F7A8B1DBE\\}" "the applications tab is shown and selected")
file(READ "${program}/Applications.ini" ini)
korvo_expect("${ini}" "\\[Known\\]\r?\nName=Known tool\r?\n.*\\[NewTool\\]\r?\nName=New tool\r?\nPath=[^\n]*KVDict.dll\r?\nType=1\r?\nFlags=2048" "the file keeps the old section and gains the new one")

# A restart lists it from the file; it cannot be removed here, only from the file.
korvo_run(from_ini EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log INPUT
  "start\nidle\nexpect box \"In order to delete this application you should edit file C:\\\\Program Files\\\\Velmora\\\\Korvo CAD 18.0\\\\Applications.ini\" answer ok\nexpect dialog 1563 answer select 1267 \"New tool\" click 1134 cancel\ncommand 1 1258\ndump applications\nquit\n")
korvo_expect("${out}" "NewTool \"New tool\" \"[^\"]*\" native ini flags 2048 started\n" "removing an application of the file changes nothing")

# Needing the PDM system, the tool cannot start while it is not connected.
korvo_run(pdm EXIT 1 OUTPUT out ERROR err ARGS --host ${host} --quiet call,log INPUT
  "start\nidle\nexpect dialog 1561 answer select 1157 \"PDM tool\" ok\nexpect dialog 1563 answer click 1221 select 1267 \"PDM tool\" click 1517\ncommand 1 1258\nquit\n")
korvo_expect("${err}" "click 1517: control 1517 is disabled" "Start is disabled for a PDM tool while the PDM system is not connected")

# Its start mode: with flag bit 0 the automatic mode is "before all"; the manual mode is saved and
# shown again.
korvo_run(start_mode_offer EXIT 1 ERROR err ARGS --host ${host} --quiet call,log INPUT
  "start\nidle\nexpect dialog 1562 answer select 1215 \"Автоматически\" ok\nexpect dialog 1563 answer select 1267 \"PDM tool\" click 1135 cancel\ncommand 1 1258\nquit\n")
korvo_expect("${err}" "combo box 1215 has no item \"Автоматически\"" "an application starting first is offered no plain automatic mode")
korvo_run(start_mode EXIT 0 OUTPUT out ARGS --host ${host} --quiet log INPUT
  "start\nidle\nexpect dialog 1562 answer select 1215 \"Вручную\" ok\nexpect dialog 1563 answer select 1267 \"PDM tool\" click 1135 cancel\ncommand 1 1258\nquit\n")
korvo_expect("${out}" "SetAutoStart\\(\"PdmTool\", false\\)\ncall CKVBaseApplication::SetExplicitStartOnly\\(\"PdmTool\", true\\)" "the manual mode starts only when asked")
file(READ "${program}/Applications.ini" ini)
korvo_expect("${ini}" "\\[PdmTool\\][^[]*Flags=1537" "the start mode is saved")
# Opened again, the dialog shows the saved manual mode: OK keeps it.
korvo_run(start_mode_again EXIT 0 OUTPUT out ARGS --host ${host} --quiet log INPUT
  "start\nidle\nexpect dialog 1562 answer ok\nexpect dialog 1563 answer select 1267 \"PDM tool\" click 1135 cancel\ncommand 1 1258\nquit\n")
korvo_expect("${out}" "SetAutoStart\\(\"PdmTool\", false\\)\ncall CKVBaseApplication::SetExplicitStartOnly\\(\"PdmTool\", true\\)" "the saved mode is the one shown")

# An added managed application that runs stays loaded when removed; one that does not run goes.
korvo_run(remove EXIT 0 OUTPUT out ARGS --host ${host} --quiet log INPUT
  "start\nidle\nexpect dialog 1561 answer select 1157 \"Managed tool\" ok\nexpect dialog 1563 answer click 1221 select 1267 \"Managed tool\" click 1134 cancel\ncommand 1 1258\ndump applications\nquit\n")
korvo_expect("${out}" "call IApplicationManagerProxy::Add\\(\"Managed\"\\)" "a managed application is added through the managed manager")
korvo_expect("${out}" "call IApplicationManagerProxy::Remove\\(\"Managed\"\\)\n" "a managed application that does not run is removed")
if(out MATCHES "dump applications\n[^\n]*\n[^\n]*\n[^\n]*Managed")
  message(FATAL_ERROR "the removed application is still listed:\n${out}")
endif()
