# Form factors of a library document in the documents menu's browser pane end to end: shown in
# place of the picture, dragged into a drawing (inserted with the values), dropped where another
# document opens (nothing applied, nothing left pending) or where their own document opens,
# opened, inserted with command 1026, the report's layout kept to the next run; and the library
# chooser of command 1243.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(samples "C:\\Users\\user\\Documents\\Samples")
set(open_sample "documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\nstart\nidle\n")
set(show_cover "documents-pane expand \"Libraries\"\ndocuments-pane expand \"Samples\"\ndocuments-pane select \"Cover plate.grb\"\n")

korvo_run(shown_and_dragged EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet log,window INPUT
  "${open_sample}open \"${samples}\\Bracket.grb\"\n${show_cover}dump browser 1/1004\ndump formfactors 1/1004
expect drag choose 1 1000,500\nrow 1/1004 1 drag\ndump formfactors 1/1004
expect drag cancel\nrow 1/1004 0 drag\ndump formfactors 1/1004
command 1/1004 1026\ndump formfactors 1/1004\nclick 1/1004 8295\nquit\n")
korvo_expect("${out}" "browser form-factor \"[^\"]*Samples\\\\Cover plate.grb\" path \"[^\"]*Cover plate.grb\" icon-size 32 tool-bar hidden\n"
             "a document with form factors shows them in place of its picture")
korvo_expect("${out}" "dump formfactors 1/1004\nformfactors \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Cover plate.grb\" shown library \"Samples\" rows 2 view names search \"\" screen-tips on\n  0 \"Thin\" values \"Thickness=2; Material=\"Steel 20\"\"\n  1 \"Thick\" values [^\n]*\n  pending none\n"
             "the report lists the form factors, nothing pending yet")
korvo_expect("${out}" "user drop at 1 1000,500\ncall CKVView::InsertFragment\\(\"[^\"]*Samples\\\\Cover plate.grb\", Thickness=5.5, Material=\"Steel 45\", at [0-9]+,[0-9]+\\)\n"
             "the dragged form factor's values go with the file dropped into the drawing, the number as a number")
korvo_expect("${out}" "  1 \"Thick\" values [^\n]* focused selected\n  pending none\n" "the insert took the pending form factor")
korvo_expect("${out}" "user drag cancel\ndump formfactors[^\n]*\n[^\n]*\n  0 \"Thin\" values [^\n]* focused selected\n[^\n]*\n  pending \"Thin\" of \"[^\"]*Cover plate.grb\"\n"
             "a drag nobody takes leaves its form factor pending")
korvo_expect("${out}" "call CKVView::InsertFragment\\(\"[^\"]*Cover plate.grb\", link \"<Samples>Cover plate.grb\", Thickness=2, Material=\"Steel 20\", at 0,0\\)\n"
             "Insert links the document by its library's name with the focused form factor")

# The layout kept from the last run: the values shown.
korvo_run(layout_kept EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet log,window,call INPUT
  "${open_sample}${show_cover}dump formfactors 1/1004\nquit\n")
korvo_expect("${out}" "rows 2 view values search" "the report's view survives the restart")

# A drop that opens another document applies nothing and forgets the pending form factor.
korvo_run(other_opened EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host2 --quiet log,window INPUT
  "${open_sample}${show_cover}expect drag cancel\nrow 1/1004 1 drag\ndrop 1 1000,500 \"${samples}\\Bracket.grb\"\ndump formfactors 1/1004\nquit\n")
korvo_expect("${out}" "call CKVDocTemplate::OpenDocumentFile\\(\"[^\"]*Bracket.grb\".*dump formfactors[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n  pending none\n"
             "another document opened: nothing pending any more")
if(out MATCHES "SetCurrentFormFactor")
  message(FATAL_ERROR "another document takes no form factor:\n${out}")
endif()

# A drop that opens the document itself gives it the form factor; opening a row does too.
korvo_run(own_opened EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host3 --quiet log,window INPUT
  "${open_sample}${show_cover}expect drag choose 1 1000,500\nrow 1/1004 0 drag\nrow 1/1004 1 open\ndump formfactors 1/1004\nquit\n")
korvo_expect("${out}" "call FormFactorInstance\\(\"[^\"]*Cover plate.grb\"\\)->SetCurrentFormFactor\\(\"Thin\"\\)\n.*call FormFactorInstance\\(\"[^\"]*Cover plate.grb\"\\)->SetCurrentFormFactor\\(\"Thick\"\\)\n.*  pending none\n"
             "the document opened by the drop, then by the row, takes each form factor")

# The library chooser: the library the configuration holds itself, named with the
# configuration; OK without a choice opens nothing.
korvo_run(chooser EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host4 --quiet log,window,call INPUT
  "${open_sample}expect dialog 202 answer ok\ncommand 1 1243\ndump panes 1
expect dialog 202 answer select 1033 \"Samples (Libraries)\" ok\ncommand 1 1243\ndump panes 1\nquit\n")
after("${out}" "dialog ended 1\ndump panes 1" unchosen)
string(FIND "${unchosen}" "dialog select 1033" chosen_at)
string(SUBSTRING "${unchosen}" 0 ${chosen_at} unchosen)
if(unchosen MATCHES "11000")
  message(FATAL_ERROR "OK without a choice opens no pane:\n${out}")
endif()
korvo_expect("${out}" "dialog select 1033 \"Samples \\(Libraries\\)\"\ndialog ok\n.*11000 floating \"Samples\" [^\n]*clipart DocumentsMenu [^\n]*LibID=\\{6F1C2A40-8D3B-4E55-9A61-0B7C3D2E1F01\\}"
             "the chosen library opens in a pane")
korvo_run(not_offered EXIT 1 OUTPUT out ARGS --host ${WORK_DIR}/host5 --quiet log,window,call INPUT
  "${open_sample}expect dialog 202 answer select 1033 \"Prototypes (Libraries)\" ok\ncommand 1 1243\nquit\n")
korvo_expect("${out}" "list 1033 has no item \"Prototypes \\(Libraries\\)\"" "a library of a group is not offered")
