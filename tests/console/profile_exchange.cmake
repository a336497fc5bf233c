# Settings profiles leaving and coming back: Export writes a profile to a file, Delete removes it
# after asking, Import brings it back from the file; with a PDM connection Export offers to store
# the profile in the PDM system; a profile applied from the gallery and the reset of every setting.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(profiles "\\[Software\\\\Velmora\\\\Korvo CAD 18.0\\\\Profiles")
set(documents "C:\\Users\\user\\Documents")
set(host ${WORK_DIR}/host)

string(CONCAT round_trip
  "start\nidle\n"
  "expect file choose \"${documents}\\Office.kvenv\"\n"
  "expect dialog 21101 answer click 1659 text 2473 \"Office\" click 1663 ok\n"
  "command 1 1061\n"
  "dump file \"${documents}\\Office.kvenv\"\n"
  "expect box \"Delete the profile \\\"Office\\\"?\" answer yes\n"
  "expect dialog 21101 answer select 2473 \"Office\" click 1660 ok\n"
  "command 1 1061\n"
  "dump registry\n"
  "expect file choose \"${documents}\\Office.kvenv\"\n"
  "expect box \"The profile \\\"Office\\\" was imported. Apply it now?\" answer no\n"
  "expect dialog 21101 answer click 1662 ok\n"
  "command 1 1061\n"
  "dump registry\n"
  "quit\n")
korvo_run(round_trip EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window INPUT "${round_trip}")
after("${out}" "dump file" exported)
korvo_expect("${exported}" "MainFrame" "the exported file holds the profile's items")
after("${out}" "dump registry" deleted)
string(FIND "${deleted}" "dump registry" second)
string(SUBSTRING "${deleted}" 0 ${second} deleted_only)
if(deleted_only MATCHES "${profiles}\\\\Office")
  message(FATAL_ERROR "Delete left the profile:\n${deleted_only}")
endif()
string(SUBSTRING "${deleted}" ${second} -1 imported)
korvo_expect("${imported}" "${profiles}\\\\Office\\\\MainFrame\\\\~Summary\\]" "Import brings the profile and its items back")

# An export that cannot be written says so, not that an import failed.
string(CONCAT unwritable
  "start\nidle\n"
  "expect file choose \"C:\\Nowhere\\Office.kvenv\"\n"
  "expect box \"*\" answer ok\n"
  "expect dialog 21101 answer click 1659 text 2473 \"Office\" click 1663 ok\n"
  "command 1 1061\n"
  "quit\n")
korvo_run(export_fails EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT "${unwritable}")
korvo_expect("${out}" "box [^\n]*\"The profile could not be exported.\" OK icon ERROR" "a failed export is said as one")

# A file that is no profile: a clear error, and the profile of that name stays as it was.
file(WRITE "${host}/C/Users/user/Documents/Office.kvenv" "not a profile\n")
string(CONCAT broken
  "start\nidle\n"
  "expect file choose \"${documents}\\Office.kvenv\"\n"
  "expect box \"Replace the profile \\\"Office\\\"?\" answer ok\n"
  "expect box \"*\" answer ok\n"
  "expect dialog 21101 answer click 1662 ok\n"
  "command 1 1061\n"
  "dump registry\n"
  "quit\n")
korvo_run(broken_import EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window INPUT "${broken}")
korvo_expect("${out}" "box [^\n]*\"Файл не является профилем настроек.\" OK icon ERROR" "the import failure is reported in the session language")
korvo_expect("${out}" "${profiles}\\\\Office\\\\MainFrame\\\\~Summary\\]" "the existing profile survives a failed import")

# With a PDM connection, Export asks where to; storing it hands a temporary file to the PDM
# system's add dialog and removes it afterwards.
string(CONCAT pdm
  "start\nidle\n"
  "model ConnectPdm\n"
  "expect menu choose 1765\n"
  "expect dialog 21101 answer click 1659 text 2473 \"Office\" click 1663 ok\n"
  "command 1 1061\n"
  "dump file \"C:\\Users\\user\\AppData\\Local\\Temp\\KorvoProfile-Office.kvenv\"\n"
  "quit\n")
korvo_run(pdm_export EXIT 0 OUTPUT out ARGS --quiet log,window INPUT "${pdm}")
korvo_expect("${out}" "menu   1093 [^\n]*\nmenu   1765 \"Store in the PDM system\"\nmenu answer choose 1765" "the pop-up offers a file and the PDM system")
korvo_expect("${out}" "call KVPDMWorkMix::AddFileWithDialog\\(\"C:\\\\Users\\\\user\\\\AppData\\\\Local\\\\Temp\\\\KorvoProfile-Office.kvenv\", \"Office\", \"kvenv\"\\)"
             "the PDM system gets the profile as a kvenv document")
after("${out}" "dump file" temporary)
korvo_expect("${temporary}" "^dump file: no file or folder" "the temporary file is gone")

# A profile applied from the gallery reaches the live settings and reloads the material
# libraries; the reset asks, wipes the product key and restarts.
string(CONCAT apply_reset
  "start\nidle\n"
  "expect dialog 21101 answer click 1659 text 2473 \"Office\" ok\n"
  "command 1 1061\n"
  "command 1 1190\n"
  "expect box \"All your settings of * will be deleted*\" answer yes\n"
  "command 1 1060\n"
  "quit\n")
korvo_run(apply_and_reset EXIT 0 OUTPUT out ARGS --quiet log,window INPUT "${apply_reset}")
korvo_expect("${out}" "call KVMaterialLibraryManager::Clear\\(\\)" "applying clears the material libraries")
korvo_expect("${out}" "process [^\n]*" "the reset restarts the program")
