# The technical-requirements pane from the console: an add-on hosts it on the sample's cover
# plate, its page filter, the Active-view fallback, the page columns kept per document, the
# highlight, selection and hover, command 823, the pane greyed while the document runs another
# command with a requirement deleted meanwhile, and what a user cannot do at its controls.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
# The dump that starts at `marker` (its first line), up to the next verb's heading or the end.
function(tr_block text marker var)
  string(FIND "${text}" "${marker}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "no \"${marker}\" in:\n${text}")
  endif()
  string(SUBSTRING "${text}" ${at} -1 rest)
  string(FIND "${rest}" "\ndump " end)
  if(NOT end EQUAL -1)
    string(SUBSTRING "${rest}" 0 ${end} rest)
  endif()
  set(${var} "${rest}" PARENT_SCOPE)
endfunction()

# Fails with `what` unless `text` holds `part` as it is.
function(tr_has text part what)
  string(FIND "${text}" "${part}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${what}:\n${text}")
  endif()
endfunction()
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(cover "C:\\Users\\user\\Documents\\Samples\\Cover plate.grb")
set(bracket "C:\\Users\\user\\Documents\\Samples\\Bracket.grb")
set(view "kvpf \"TechRequirementDialog.View\" select")
set(list "\"TechRequirementDialog.List\"")

# Hosting, the columns of all views and of one page, and the fallback of the Active-view item on
# a document change.
string(CONCAT script
  "start\nidle\ndump requirements\nopen \"${cover}\"\naddon requirements 1\ndump requirements\n"
  "${view} 65537\ndump requirements\n${view} -777\ndump requirements\nopen \"${bracket}\"\ndump requirements\nquit\n")
korvo_run(hosting EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet call,log,window)
korvo_expect("${out}" "dump requirements\n\\(no pane\\)\n" "no pane before an add-on hosts one")
korvo_expect("${out}" "document \"Cover plate.grb\" mode 0 shown\nview -666: -777 \"[^\"]+\" -666 \"[^\"]+\" 65536 \"Sheet 1\" 65537 \"Sheet 2\"\n"
             "the view select lists the pages")
tr_has("${out}" "columns 8\n" "6 + 2 columns")
tr_has("${out}" "  column 6 \"Sheet 1\" width 0.3 visible\n  column 7 \"Sheet 2\" width 0.3 visible\n" "the page columns are named by their pages")
korvo_expect("${out}" "  row 1 id 2: 2 \"Тип не задан\" \"Тип не задан\" \"Sharp edges to be blunted\" \"-\" resource 40757 16,24,32 pages checked unchecked"
             "the untyped requirement shows the unknown-type text")
korvo_expect("${out}" "  row 2 id 3: 3 \"General\" \"General\\\\Surfaces\" \"Coating per the company standard\" \"Varnel\" resource 40757"
             "the PDM source and the full type name")
korvo_expect("${out}" "  row 3 id 4: [^\n]* resource 40756 16,24,32 pages checked unchecked" "the suppression icon")
korvo_expect("${out}" "view 65537:[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\ncolumns 6\n" "a page filter gives exactly 6 columns")
tr_block("${out}" "view -777:" active)
tr_has("${active}" "  row 2 id 4: " "the active view filters the first page")
korvo_expect("${out}" "document \"Bracket.grb\" mode 0 shown\nview -666:" "Active view falls back to All views on a new document")

# A's hidden page column comes back after B; the highlight colours the inscribed row; rows are
# selected and hovered; 823 toggles the pane.
string(CONCAT script
  "start\nidle\nopen \"${cover}\"\naddon requirements 1\ncolumn ${list} 7 hide\nopen \"${bracket}\"\ndump requirements\n"
  "activate \"${cover}\"\ndump requirements\nkvpf \"TechRequirementDialog.HighlightInscripted\" toggle\n"
  "row ${list} 0,2 select\nrow ${list} 3 hover\ndump requirements\ncommand 1 823\ndump panes 1\ncommand 1 823\n"
  "dump panes 1\nquit\n")
korvo_run(columns EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet call,log,window)
tr_block("${out}" "document \"Bracket.grb\"" b)
tr_has("${b}" "  column 6 \"Sheet 1\" width 0.6 visible\n" "B shows its page")
tr_block("${out}" "document \"Cover plate.grb\"" a)
tr_has("${a}" "  column 6 \"Sheet 1\" width 0.3 visible\n  column 7 \"Sheet 2\" width 0.3 hidden\n"
       "A to B and back restores A's hidden page column")
korvo_expect("${out}" "highlight on\nenabled: Add Duplicate Import ImportSource Copy Remove [^\n]*\n" "two selected rows enable Duplicate, Copy, Remove")
korvo_expect("${out}" "hint icon 500x75\n" "hovering a row shows its preview")
korvo_expect("${out}" "  row 0 id 1: [^\n]* background rgb\\(122,188,255\\) selected\n" "the inscribed row is coloured")
korvo_expect("${out}" "  row 2 id 3: [^\n]* background - selected\n" "the second selected row")
korvo_expect("${out}" "\n1038 closed [^\n]*\n" "823 closes the pane")
string(FIND "${out}" "\n1038 closed " closed)
string(FIND "${out}" "\n1038 docked " docked REVERSE)
if(closed EQUAL -1 OR NOT docked GREATER closed)
  message(FATAL_ERROR "823 shows the pane again:\n${out}")
endif()

# Mode 1: greyed while the document runs another command; a requirement deleted meanwhile shows
# empty cells, the list catches up when the command ends; the kernel's page and type changes.
string(CONCAT script
  "start\nidle\nopen \"${cover}\"\naddon requirements 1\nmodel RunCommand 1 1\nmodel DeleteRequirement 1 3\n"
  "dump requirements\nrow ${list} 2 hover\nmodel RunCommand 1 0\ndump requirements\n"
  "model AddPage 1 \"Sheet 3\"\nmodel SetRequirementType 1 2 \"Tolerances\"\ndump requirements\nquit\n")
korvo_run(busy EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet call,log,window)
tr_block("${out}" "document \"Cover plate.grb\" mode 1 shown disabled\n" busy)
tr_has("${busy}" "enabled:\ndisabled: Add Edit " "mode 1 disables everything")
korvo_expect("${out}" "  row 2 id 3: - - - - - - pages - - background -\n" "the deleted requirement leaves empty cells")
korvo_expect("${out}" "row: control \"TechRequirementDialog.List\" is disabled\n" "a greyed list takes no hover")
tr_block("${out}" "mode 0 shown\n" caught)
tr_has("${caught}" "  row 2 id 4: " "the list catches up when the command ends")
tr_block("${out}" "columns 9\n" grown)
korvo_expect("${grown}" "  column 8 \"Sheet 3\"[^\n]*\n  row 0 id 1: [^\n]*\n  row 1 id 2: 2 \"Tolerances\" \"Tolerances\""
             "a new page and a new type reach the pane at idle")

# The kernel's own additions and deletions reach the list at the next idle pass.
string(CONCAT script
  "start\nidle\nopen \"${cover}\"\naddon requirements 1\nmodel DeleteRequirement 1 3\nidle\ndump requirements\n"
  "model AddRequirement 1 \"Chamfer all edges\" 1\nidle\ndump requirements\nquit\n")
korvo_run(kernel_rows EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet call,log,window)
tr_block("${out}" "dump requirements\n" deleted)
if(deleted MATCHES " id 3: " OR NOT deleted MATCHES "  row 2 id 4: ")
  message(FATAL_ERROR "the deleted requirement's row is gone:\n${deleted}")
endif()
after("${out}" "model AddRequirement" added)
tr_block("${added}" "dump requirements\n" added)
korvo_expect("${added}" "  row 3 id 5: [^\n]*\"Chamfer all edges\"" "the added requirement has its row")

# What a user cannot do, and lines that do not parse.
string(CONCAT script
  "start\nidle\nopen \"${cover}\"\naddon requirements 1\n${view} 42\nkvpf \"TechRequirementDialog.Nothing\" toggle\n"
  "kvpf \"TechRequirementDialog.View\" toggle\nrow ${list} 9 select\nkvpf \"TechRequirementDialog.ImportSource\" select 1\nquit\n")
korvo_run(refusals EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet call,log,window)
korvo_expect("${out}" "kvpf: control \"TechRequirementDialog.View\" has no item 42\n" "no such item")
korvo_expect("${out}" "kvpf: no control \"TechRequirementDialog.Nothing\"\n" "no such control")
korvo_expect("${out}" "kvpf: control \"TechRequirementDialog.View\" is a select\n" "a select is no toggle")
korvo_expect("${out}" "row: list \"TechRequirementDialog.List\" has no row 9 \\(4 rows\\)\n" "no such row")
korvo_expect("${out}" "kvpf: no control \"TechRequirementDialog.ImportSource\"\n" "the import source sits in its popup")
korvo_run(bad_rows EXIT 2 ERROR err INPUT "start\nidle\nrow ${list} 1,x select\n")
korvo_expect("${err}" "<stdin>:3: row: \"1,x\" is not a row or rows N,M,... \\(each 0 or more\\)" "bad rows refused")
korvo_run(bad_item EXIT 2 ERROR err INPUT "start\nidle\n${view} Sheet\n")
korvo_expect("${err}" "<stdin>:3: kvpf: \"Sheet\" is not a whole number" "bad item id refused")
korvo_run(early EXIT 2 ERROR err INPUT "addon requirements 1\n")
korvo_expect("${err}" "<stdin>:1: " "hosting before start is a mistake")
