# The requirement types editor, the leaders command and the PDM import dialog, driven from the
# requirements pane: new type names count on across dialogs, Cancel changes nothing, a row click
# while a leader is placed only tells the view, key 87 shows the pane and the command runs on,
# closing the document ends it, and the PDM dialog's OK waits for a selection.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(cover "C:\\Users\\user\\Documents\\Samples\\Cover plate.grb")
set(types "TechRequirementTypesDialog.List")
set(start "start\nidle\nopen \"${cover}\"\naddon requirements 1\n")

# Three new types in one dialog and two in the next are numbered 1 to 5; Cancel after edits
# leaves the types as they were; OK applies them in one undo step.
string(CONCAT script "${start}"
  "expect dialog \"TechRequirementTypesDialog\" answer click \"${types}.Buttons.AddButton\" click \"${types}.Buttons.AddButton\" "
  "click \"${types}.Buttons.AddButton\" edit \"${types}\" \"#0\" 0 \"Renamed\" cancel\n"
  "kvpf \"TechRequirementDialog.TypesSettings\" click\ndump undo \"${cover}\"\n"
  "expect dialog \"TechRequirementTypesDialog\" answer select \"${types}\" \"General\" click \"${types}.Buttons.AddEmbeddedButton\" "
  "click \"${types}.Buttons.AddButton\" ok\n"
  "kvpf \"TechRequirementDialog.TypesSettings\" click\ndump undo \"${cover}\"\n"
  "row \"TechRequirementDialog.List\" 0 edit 2 \"General\\\\Новый тип 4\"\nrow \"TechRequirementDialog.List\" 1 edit 2 \"Новый тип 5\"\ndump requirements\n"
  "expect box \"*\" answer no\nquit\n")
korvo_run(types EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet call,log,window)
korvo_expect("${out}" "dump undo \"[^\n]*\"\n\\(no undo steps\\)\n" "Cancel after three adds and a rename changes nothing")
korvo_expect("${out}" "undo \"Изменение типов технических требований\"\n" "OK applies the types in one undo step")
korvo_expect("${out}" "  row 0 id 1: 1 \"General\" \"General\\\\Новый тип 4\"" "the fourth new name, nested under the selected type")
korvo_expect("${out}" "dialog \"TechRequirementTypesDialog\" \"Типы технических требований\"" "the dialog shows by its name and title")
korvo_expect("${out}" "  row 1 id 2: 2 \"Новый тип 5\" \"Новый тип 5\"" "the fifth new name, a main type after the selected one")

# An empty name is refused and the old one stays; the show-header check of a child type is no
# check box at all.
string(CONCAT script "${start}"
  "expect box \"*пустым*\" answer ok\n"
  "expect dialog \"TechRequirementTypesDialog\" answer edit \"${types}\" \"#1\" 0 \"\" check \"${types}\" \"#1\" 1 on ok\n"
  "kvpf \"TechRequirementDialog.TypesSettings\" click\nquit\n")
korvo_run(empty_name EXIT 1 OUTPUT out ERROR err INPUT "${script}" ARGS --quiet call,log,window)
korvo_expect("${out}" "box [^\n]*\"Наименование типа не может быть пустым\"[^\n]*icon ERROR" "an empty name is refused")
korvo_expect("${out}" "check \"${types}\" \"#1\" 1 on: cell 1,1 has no check box" "a child type has no show-header check")

# The leaders command: the first row click hands a link to the annotation module, a second one
# only tells the view; key 87 shows the pane and the command runs on; closing the document ends it.
string(CONCAT script "${start}"
  "kvpf \"TechRequirementDialog.CreateInscription\" click\ndump parameters\ndump requirements\n"
  "row \"TechRequirementDialog.List\" 0 select\nrow \"TechRequirementDialog.List\" 1 select\n"
  "model CommandKey 1 87\ndump parameters\ndump panes 1\npane close 1/1038\nmodel CommandKey 1 87\ndump panes 1\n"
  "command 1 57602\ndump parameters\nquit\n")
korvo_run(leaders EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet log,window)
korvo_expect("${out}" "call KVCommandRunner::Start\\(\"Cover plate.grb\", code 8250\\)\ncall kvpf::StdCmd::automenu\\(1480 key 87 \"Показать окно технических требований\" command 823; 33 key 1021 string 1047 command 6001\\)\n"
             "the command starts with its automenu")
korvo_expect("${out}" "document \"Cover plate.grb\" mode 2 shown\nview 65537:" "the pane is in leaders mode")
korvo_expect("${out}" "call AnnotateModuleProxy::PlaceTechReqLeader\\(view on page 65536, requirement 1, page 65537\\)\n(call [^\n]*\n)*call CKVView::OnLeaderLinkChanged"
             "the first click places a leader, the second tells the view")
string(REGEX MATCHALL "PlaceTechReqLeader" placed "${out}")
list(LENGTH placed placed)
if(NOT placed EQUAL 1)
  message(FATAL_ERROR "the annotation module was called again while placing:\n${out}")
endif()
korvo_expect("${out}" "model CommandKey: done\n(call [^\n]*\n)*dump parameters\ndocument 1 \"Cover plate.grb\" in command\n" "key 87 leaves the command running")
# The key shows the pane: a pane that shows stays, a closed one comes back.
korvo_expect("${out}" "dump panes 1\n([^\n]*\n)*1038 docked \"Технические требования\"[^\n]*\n([^\n]*\n)*user close [^\n]*\n"
             "key 87 leaves the pane that shows")
korvo_expect("${out}" "model CommandKey: done\n([^\n]*\n)*dump panes 1\n([^\n]*\n)*1038 docked \"Технические требования\"[^\n]*\n([^\n]*\n)*user command 57602"
             "key 87 shows the closed pane again")
if(out MATCHES "1038 closed \"Технические требования\"[^\n]*\n([^\n]*\n)*user close")
  message(FATAL_ERROR "key 87 closed the pane that showed:\n${out}")
endif()
korvo_expect("${out}" "call KVCommandRunner::End\\(\"Cover plate.grb\"\\)\ncall AnnotateModuleProxy::EndTechReqLeaders\\(\\)\n" "closing the document ends the command")

# Keys 1014 and 1021 end the command; other keys leave it; with no command the kernel has
# nothing to send keys to.
foreach(key 1014 1021)
  string(CONCAT script "${start}"
    "kvpf \"TechRequirementDialog.CreateInscription\" click\nmodel CommandKey 1 5\nmodel CommandKey 1 ${key}\ndump parameters\ndump requirements\n"
    "model EndCommand 1\n")
  korvo_run(end_${key} EXIT 2 OUTPUT out ERROR err INPUT "${script}" ARGS --quiet log,window)
  korvo_expect("${out}" "call KVCommandRunner::SendKey\\(\"Cover plate.grb\", 5\\)\nmodel CommandKey: done\ncall KVCommandRunner::SendKey\\(\"Cover plate.grb\", ${key}\\)\ncall KVCommandRunner::End[^\n]*\ncall AnnotateModuleProxy::EndTechReqLeaders"
               "key ${key} ends the command")
  korvo_expect("${out}" "dump parameters\ndocument 1 \"Cover plate.grb\"\n" "the document is out of the command")
  korvo_expect("${out}" "document \"Cover plate.grb\" mode 0 shown" "the pane is back in mode 0")
  korvo_expect("${err}" "EndCommand: no command runs in the document" "nothing left to end")
endforeach()

# The PDM import: Cancel imports nothing; the chosen rows become requirements from the PDM
# system, in the order chosen; OK is greyed while nothing is selected.
set(pdm "${start}model ConnectPdm\nrow \"TechRequirementDialog.List\" 0 select\n")
set(import "kvpf \"TechRequirementDialog.Import\" click\nkvpf \"TechRequirementDialog.ImportPopup.ImportSource\" select 1\n")
string(CONCAT script "${pdm}"
  "expect dialog \"TechRequirementVarnelImportDialog\" answer cancel\n${import}"
  "expect dialog \"TechRequirementVarnelImportDialog\" answer select \"TechRequirementVarnelImportDialog.StandardReqsList\" \"#2,#0\" ok\n${import}"
  "dump requirements\nexpect box \"Save changes to *Cover plate.grb?\" answer no\nquit\n")
korvo_run(pdm_import EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet log,window)
korvo_expect("${out}" "dialog cancel\ndialog ended 2\n(call CKVCom[^\n]*\n)*call KVPDMWorkMix::GetStandardTechRequirements" "Cancel imports nothing")
korvo_expect("${out}" "ImportStandardReqsFromVarnel\\(\"Cover plate.grb\"\\): 2 made\n" "two chosen, two made")
korvo_expect("${out}" "  row 4 id 5: [^\n]*\"Surface treatment: zinc plating\" \"Varnel\"[^\n]*\n  row 5 id 6: [^\n]*\"Unspecified tolerances to ISO 2768-m\" \"Varnel\""
             "in the order chosen, from the PDM system")
string(CONCAT script "${pdm}" "expect dialog \"TechRequirementVarnelImportDialog\" answer ok\n${import}quit\n")
korvo_run(pdm_ok_greyed EXIT 1 OUTPUT out INPUT "${script}" ARGS --quiet log,window)
korvo_expect("${out}" "ok: control 1 is disabled" "OK waits for a selection")

# Lines that do not parse: a list cell needs its row in quotes and a column, a check on or off,
# an edit its text; a framework button is clicked by its quoted id only.
foreach(bad "check \"${types}\" 1 2 on" "check \"${types}\" \"#1\" 2 maybe" "edit \"${types}\" \"#1\" 0" "edit \"${types}\" \"#1\" x \"A\"")
  korvo_run(bad_answer EXIT 2 ERROR err INPUT "expect dialog \"TechRequirementTypesDialog\" answer ${bad}\n")
  korvo_expect("${err}" "<stdin>:1: expect dialog: (check|edit) \"TechRequirementTypesDialog.List\" needs " "refused: ${bad}")
endforeach()
korvo_run(no_command EXIT 2 ERROR err INPUT "${start}model CommandKey 1 87\n")
korvo_expect("${err}" "CommandKey: no command runs in the document" "no command takes the key")
