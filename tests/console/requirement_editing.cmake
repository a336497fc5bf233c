# Editing technical requirements from the pane: a type or page change on a selected row reaches
# every selected row in one undo step, moving keeps the moved rows selected, Add, Edit, Duplicate,
# Remove, Copy and Paste, CreateText's question and new view, export and import through files,
# and what a user cannot do at the list's cells.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(cover "C:\\Users\\user\\Documents\\Samples\\Cover plate.grb")
set(list "row \"TechRequirementDialog.List\"")
set(undo "dump undo \"${cover}\"")
set(start "start\nidle\nopen \"${cover}\"\naddon requirements 1\n")

# Type and page edits: inside the selection they change every selected row at once, outside it
# only the edited row; each is one undo step.
string(CONCAT script "${start}"
  "${list} 0,1 select\n${list} 1 edit 2 \"General\\\\Surfaces\"\n${undo}\ndump requirements\n"
  "${list} 3 edit 2 \"Tolerances\"\n${undo}\ndump requirements\n"
  "${list} 1,3 select\n${list} 3 check 7 on\ndump requirements\n"
  "${list} 3 icon 5\ndump requirements\n${list} 3 icon 2\n${list} 3 check 3 on\n${list} 0 edit 0\n${list} 9 edit 2\n"
  "expect box \"*\" answer no\nquit\n")
korvo_run(type_and_pages EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet call,log,window)
korvo_expect("${out}" "dump undo \"[^\n]*\"\nundo \"Change technical requirements\"\ndump requirements"
             "a type edit over two selected rows is one undo step")
korvo_expect("${out}" "  row 0 id 1: 1 \"General\" \"General\\\\Surfaces\" [^\n]*\n  row 1 id 2: 2 \"General\" \"General\\\\Surfaces\" [^\n]*\n  row 2 id 3: [^\n]*\n  row 3 id 4: 4 \"General\" \"General\" "
             "both selected rows take the type, the others keep theirs")
korvo_expect("${out}" "undo \"Change technical requirements\"\nundo \"Change technical requirements\"\ndump requirements\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n  row 0 id 1: 1 \"General\" \"General\\\\Surfaces\" [^\n]*\n  row 1 id 2: 2 \"General\" \"General\\\\Surfaces\" [^\n]*\n  row 2 id 3: [^\n]*\n  row 3 id 4: 4 \"Tolerances\" \"Tolerances\" "
             "a row outside the selection changes alone")
korvo_expect("${out}" "  row 1 id 2: [^\n]* pages checked checked background[^\n]*\n  row 2 id 3: [^\n]* pages unchecked checked [^\n]*\n  row 3 id 4: [^\n]* pages checked checked "
             "a page check on a selected row puts every selected requirement on the page")
korvo_expect("${out}" "  row 3 id 4: [^\n]* resource 40757 16,24,32 pages checked checked" "the icon lifts the suppression")
korvo_expect("${out}" "row: cell 3,2 has no icon\nrow: cell 3,3 has no check box\nrow: cell 0,0 is not editable\n"
             "cells without icon, check box or editor refuse")
korvo_expect("${out}" "row: list \"TechRequirementDialog.List\" has no row 9 \\(4 rows\\)\n" "no such row")

# Moving: the moved rows stay selected; a selected row whose requirement the kernel deletes goes
# at the next idle pass, and with nothing selected nothing moves. Add takes the editor's
# paragraphs onto the active page.
string(CONCAT script "${start}"
  "model SetRequirementType 1 3 \"none\"\nmodel SetRequirementType 1 4 \"none\"\n"
  "expect requirement answer \"Fifth|Sixth\"\nkvpf \"TechRequirementDialog.Add\" click\n"
  "${list} 3,5 select\nkvpf \"TechRequirementDialog.MoveUp\" click\ndump requirements\n"
  "kvpf \"TechRequirementDialog.MoveDown\" click\ndump requirements\n"
  "${list} 3 select\nmodel DeleteRequirement 1 4\nkvpf \"TechRequirementDialog.MoveUp\" click\ndump requirements\n"
  "${undo}\nexpect box \"*\" answer no\nquit\n")
korvo_run(moving EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet call,log,window)
korvo_expect("${out}" "  row 2 id 4: [^\n]* selected\n  row 3 id 3: [^\n]*-\n  row 4 id 6: [^\n]* selected\n  row 5 id 5: \"?5[^\n]*Fifth"
             "MoveUp on rows 3 and 5 selects rows 2 and 4")
korvo_expect("${out}" "  row 3 id 4: [^\n]* selected\n  row 4 id 5: [^\n]*-\n  row 5 id 6: [^\n]* selected\n"
             "MoveDown moves them back")
korvo_expect("${out}" "model DeleteRequirement: done\nkvpf: control \"TechRequirementDialog.MoveUp\" is disabled\n" "nothing moved: the row went with its requirement")
korvo_expect("${out}" "  row 3 id 5: [^\n]* background -\n  row 4 id 6: [^\n]* background -\n" "the deleted requirement's row is gone, nothing selected")
korvo_expect("${out}" "undo \"Add technical requirements\"\nundo \"Change technical requirements\"\nundo \"Change technical requirements\"\nuser close"
             "each move is one undo step, a move of nothing none")

# The editors: Add cancelled or empty leaves no undo step; Edit and a text cell go through the
# single-requirement editor; Duplicate, Remove, Copy and Paste.
string(CONCAT script "${start}"
  "expect requirement cancel\nkvpf \"TechRequirementDialog.Add\" click\nexpect requirement answer \"\"\n"
  "kvpf \"TechRequirementDialog.Add\" click\n${undo}\n"
  "${list} 0 select\nexpect requirement answer \"Edited\"\nkvpf \"TechRequirementDialog.Edit\" click\n"
  "expect requirement answer \"Edited again\"\n${list} 1 edit 3\n"
  "${list} 0,1 select\nkvpf \"TechRequirementDialog.Duplicate\" click\n"
  "${list} 3 select\nkvpf \"TechRequirementDialog.Remove\" click\n"
  "${list} 0 select\nkvpf \"TechRequirementDialog.Copy\" click\nkvpf \"TechRequirementDialog.Paste\" click\n"
  "dump requirements\n${undo}\nexpect box \"*\" answer no\nquit\n")
korvo_run(editors EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet log,window)
korvo_expect("${out}" "call UndoBlock\\(\"Add technical requirements\"\\) cancelled\n" "Add that made nothing cancels its undo step")
korvo_expect("${out}" "dump undo \"[^\n]*\"\n\\(no undo steps\\)\n" "cancelled editors leave no undo step")
korvo_expect("${out}" "dialog requirement dialog, text \"Sharp edges to be blunted\"\n" "the text cell opens the requirement's editor")
korvo_expect("${out}" "call TechRequirementManager::DeleteInVarnel\\([^\n]*, false\\)\n([^\n]*\n)?call CKvw32Doc::DeleteElements\\(\"Cover plate.grb\", 4\\)\n"
             "Remove takes the requirement out of the PDM work item, then deletes it")
korvo_expect("${out}" "  row 0 id 1: 1 [^\n]*\"Edited\"[^\n]*\n  row 1 id 2: 2 [^\n]*\"Edited again\"[^\n]*\n  row 2 id 3: [^\n]*\n  row 3 id 5: 5 [^\n]*\"Edited\"[^\n]*\n  row 4 id 6: 6 [^\n]*\"Edited again\"[^\n]*\n  row 5 id 7: 7 [^\n]*\"Edited\" "
             "duplicates, the removed row gone and the pasted copy")
korvo_expect("${out}" "undo \"Change technical requirements\"\nundo \"Change technical requirements\"\nundo \"Копирование технических требований\"\nundo \"Delete technical requirements\"\n"
             "Edit, the text cell, Duplicate and Remove are one step each")

# CreateText: nothing for All views; a declined question does nothing; accepted, a new view on
# the page takes the text. Export and import go through a file the user picks.
string(CONCAT script "${start}"
  "kvpf \"TechRequirementDialog.CreateText\" click\nkvpf \"TechRequirementDialog.View\" select 65537\n"
  "expect box \"*активным*\" answer no\nkvpf \"TechRequirementDialog.CreateText\" click\n"
  "expect box \"*активным*\" answer yes\nkvpf \"TechRequirementDialog.CreateText\" click\n"
  "expect file choose \"C:\\\\Users\\\\user\\\\Documents\\\\sheet2.rtf\"\nkvpf \"TechRequirementDialog.Export\" click\n"
  "kvpf \"TechRequirementDialog.Import\" click\nexpect file choose \"C:\\\\Users\\\\user\\\\Documents\\\\sheet2.rtf\"\n"
  "kvpf \"TechRequirementDialog.ImportPopup.ImportSource\" select 2\nkvpf \"TechRequirementDialog.View\" select -666\ndump requirements\n"
  "kvpf \"TechRequirementDialog.Import\" click\nexpect file cancel\nkvpf \"TechRequirementDialog.ImportPopup.ImportSource\" select 2\n"
  "expect box \"Save changes to *Cover plate.grb?\" answer no\nquit\n")
korvo_run(create_text EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet log,window)
korvo_expect("${out}" "kvpf: control \"TechRequirementDialog.CreateText\" is disabled\n" "All views offers no CreateText")
korvo_expect("${out}" "box answer IDNO \\(expected\\)\n(call [^\n]*\n)*box [^\n]*\nbox answer IDYES" "declining creates nothing")
korvo_expect("${out}" "call CKvw32Doc::CreateNewView\\(\"Cover plate.grb\", 2, 65537\\)\n" "no view shows the page: a new one")
string(REGEX MATCHALL "call KVTextCoreModule::CreateText" texts "${out}")
list(LENGTH texts count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "the declined question made a text too (${count} texts):\n${out}")
endif()
korvo_expect("${out}" "call KVTextCoreModule::CreateText\\(view on page 65537\\)\n" "the new view takes the text")
korvo_expect("${out}" "  row 4 id 5: 5 [^\n]*\"Unspecified limit deviations per IT14\" \"-\"[^\n]*\n  row 5 id 6: 6 [^\n]*\"Coating per the company standard\" \"-\""
             "the exported page's texts come back as requirements")
string(FIND "${out}" "CreateTechRequirementsFromText" first)
string(FIND "${out}" "CreateTechRequirementsFromText" last REVERSE)
if(NOT first EQUAL last)
  message(FATAL_ERROR "a cancelled file import made requirements:\n${out}")
endif()

# Requirements made outside the editors' undo blocks are work like any other: a Paste, a file
# import and the PDM import each leave one undo step, and quitting asks to save them.
set(import "kvpf \"TechRequirementDialog.Import\" click\n")
set(from_file "kvpf \"TechRequirementDialog.ImportPopup.ImportSource\" select 2\n")
set(rtf "expect file choose \"C:\\\\Users\\\\user\\\\Documents\\\\kept.rtf\"\n")
set(ask "expect box \"Save changes to *Cover plate.grb?\" answer no\nquit\n")
set(paste "${list} 0 select\nkvpf \"TechRequirementDialog.Copy\" click\nkvpf \"TechRequirementDialog.Paste\" click\n")
set(file_import "${rtf}kvpf \"TechRequirementDialog.Export\" click\n${import}${rtf}${from_file}")
string(CONCAT pdm_import "model ConnectPdm\n${list} 0 select\n"
  "expect dialog \"TechRequirementVarnelImportDialog\" answer select \"TechRequirementVarnelImportDialog.StandardReqsList\" \"#1\" ok\n"
  "${import}kvpf \"TechRequirementDialog.ImportPopup.ImportSource\" select 1\n")
foreach(way paste file_import pdm_import)
  korvo_run(kept_${way} EXIT 0 OUTPUT out INPUT "${start}${${way}}dump requirements\n${undo}\n${ask}" ARGS --quiet call,log,window)
  korvo_expect("${out}" "  row 4 id 5: " "${way} made a requirement")
  korvo_expect("${out}" "dump undo \"[^\n]*\"\nundo \"Add technical requirements\"\nuser close" "${way} is one undo step")
  korvo_expect("${out}" "box answer IDNO \\(expected\\)\n" "quitting after ${way} asks to save")
endforeach()

# Lines that do not parse.
korvo_run(bad_column EXIT 2 ERROR err INPUT "start\nidle\n${list} 1 edit x\n")
korvo_expect("${err}" "<stdin>:3: row: \"x\" is not a column" "bad column refused")
korvo_run(bad_check EXIT 2 ERROR err INPUT "start\nidle\n${list} 1 check 6 maybe\n")
korvo_expect("${err}" "<stdin>:3: " "a check is on or off")
