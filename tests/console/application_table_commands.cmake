# The application table's commands from the console: a read-only document's save asks for a new
# name, a document whose windows close during its save closes once the save is over, a save that
# loses its geometry shows its message bar, tiling leaves workbook mode first, and the folder
# chooser's expectations.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# Fails with `what` unless every literal needle occurs in `text`, each after the one before.
function(expect_in_order text what)
  set(rest "${text}")
  foreach(needle ${ARGN})
    string(FIND "${rest}" "${needle}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${what}: \"${needle}\" missing or out of order:\n${text}")
    endif()
    string(LENGTH "${needle}" length)
    math(EXPR at "${at} + ${length}")
    string(SUBSTRING "${rest}" ${at} -1 rest)
  endforeach()
endfunction()

set(sample "C:\\\\Users\\\\user\\\\Documents\\\\Samples")
set(open_both "start\nidle\nopen \"${sample}\\\\Bracket.grb\"\nopen \"${sample}\\\\Cover plate.grb\"\n")

korvo_run(read_only EXIT 0 OUTPUT out INPUT
  "${open_both}model SetReadOnly 2 1\nexpect file choose \"C:\\\\Users\\\\user\\\\Documents\\\\Plate 2.grb\"\ncommand 1 1029\ndump documents\nquit\n")
korvo_expect("${out}" "call CKvw32Doc::DoFileSaveAs\\(\"Cover plate.grb\", null, 0\\)\nfile save [^\n]*\nfile choose \"C:\\\\Users\\\\user\\\\Documents\\\\Plate 2.grb\"\n"
             "a read-only document's save asks for a new name")
korvo_expect("${out}" "\n\"Plate 2.grb\" \"C:\\\\Users\\\\user\\\\Documents\\\\Plate 2.grb\" unmodified writable [a-z-]+ holds 0 frame"
             "the document is saved under the new name and writable")
if(out MATCHES "DoFileSave\\(")
  message(FATAL_ERROR "a read-only document was saved in place:\n${out}")
endif()

korvo_run(close_during_save EXIT 0 OUTPUT out INPUT
  "${open_both}model Modify 2\nmodel CloseWindowsDuringSave 2\ncommand 1 1029\ndump documents\nquit\n")
expect_in_order("${out}" "the document stays open through its save and closes after it"
  "call CKvw32Doc::DoFileSave(\"Cover plate.grb\")\ncall the windows of \"Cover plate.grb\" close during the save\n"
  "call CKvw32Doc::OnChangedViewList(\"Cover plate.grb\"): held, stays open\n"
  "call CVarnelAssemblyWnd::OnSetActiveDoc(\"Cover plate.grb\")\ncall CKVCom_Is3D::OnCurrentDocumentChanged(\"Cover plate.grb\", \"Cover plate.grb\", 1)\n")
string(REGEX MATCHALL "OnCurrentDocumentChanged\\(\"Cover plate.grb\", \"Cover plate.grb\", 1\\)" closes "${out}")
list(LENGTH closes count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "the document closed ${count} times:\n${out}")
endif()
korvo_expect("${out}" "dump documents\n\"Bracket.grb\" [^\n]*\nuser close" "only the other document is left")

korvo_run(geometry EXIT 0 OUTPUT out INPUT "${open_both}model FailGeometrySave 2\ncommand 1 1029\ndump modes 1\nquit\n")
korvo_expect("${out}" "\nmessage-bar 308 \"Геометрия документа [^\n]*\"\n" "the geometry-save bar")

korvo_run(tile EXIT 0 OUTPUT out INPUT "${open_both}command 1 1092\ndump modes 1\ncommand 1 1062\nquit\n")
expect_in_order("${out}" "tile vertical leaves workbook mode (which cascades) and then tiles with 0"
  "user command 1092 to frame 1\n" ": WM_MDICASCADE\n" ": WM_MDITILE 0\n" "dump modes 1\n")
korvo_expect("${out}" "\nworkbook off\n" "workbook mode is off")
expect_in_order("${out}" "tile horizontal" "user command 1062 to frame 1\n" ": WM_MDITILE 1\n")

korvo_run(folders EXIT 0 OUTPUT out INPUT
  "start\nidle\nexpect folder choose \"C:\\\\Users\\\\user\\\\Documents\"\ncommand 1 1244\nexpect folder cancel\ncommand 1 1244\nquit\n")
expect_in_order("${out}" "the folder chooser answered and cancelled"
  "dialog folder dialog\ndialog choose \"C:\\Users\\user\\Documents\"\n" "dialog folder dialog\ndialog cancel\n")
korvo_run(folder_unused EXIT 1 ERROR err INPUT "expect folder choose \"C:\\\\Temp\"\nstart\nidle\nquit\n")
korvo_expect("${err}" "korvo: failed: [^\n]*folder \"C:\\\\Temp\"" "a folder answer never used")
korvo_run(folder_unexpected EXIT 1 ERROR err INPUT "start\nidle\ncommand 1 1244\nquit\n")
korvo_expect("${err}" "unexpected folder dialog" "a folder chooser nobody expected")

korvo_run(web_and_modules EXIT 0 OUTPUT out INPUT
  "start\nidle\ncommand 1 2110\ncommand 1 1045\nexpect box \"The API reference*\" answer ok\ncommand 1 1763\nquit\n")
korvo_expect("${out}" "process shell-opened \"open\", \"https://www[^\"]*/check_for_updates/index.php\\?major=18&minor=0&build=21&revision=0&lang=ru&product=Viewer&platform=x64\""
             "the update check opens its page")
korvo_expect("${out}" "call Korvo::Module::loadMfcAndInitialize\\([^\n]*KVDocAccess.dll\\)\ncall GlobalContainer::RestoreSessionLanguage\\(\\)\ncall ShowDocAccessWizard\\(0x[0-9a-f]+\\)\ncall Korvo::Module::shutdownAndUnloadMfc"
             "the document-protection wizard runs with the frame as its parent")
expect_in_order("${out}" "the API reference that is not installed"
  "korvoapi.chm\", 0, 0)\n" "\"The API reference (korvoapi.chm) is not installed.\"")
