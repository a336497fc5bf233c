# The panel's chooser lists under the mouse and the keyboard, on the sample: the coordinate-system
# list shows its column title in the Explorer look and marks the object of the row the mouse
# rests on, a click on a row chooses it; in the colour pop-up Up and Down move the selection
# without choosing, and Enter takes it.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(samples "C:\\Users\\user\\Documents\\Samples")
set(setup "start\nidle\nopen \"${samples}\\Bracket.grb\"\nkernel SetSyspanelControls 904 0 0 911 0 0 912 0 0 905 0 0\n\
kernel EnableSyspanelControl 904 1\nkernel EnableSyspanelControl 912 1\n")

korvo_run(systems EXIT 0 OUTPUT out ARGS --quiet window,log INPUT
  "${setup}click 1 912\ndump chooser 1\nchooser-mouse 1 20,30 move\ndump chooser 1\nchooser-mouse 1 20,50 move\ndump chooser 1\n\
chooser-mouse 1 20,290 move\ndump chooser 1\nchooser-mouse 1 20,50 click\ndump chooser 1\ndump panel 1\nquit\n")
korvo_expect("${out}" "\n  CreateOrSelectCoordinateSystem\ncoordinate-system list column \"CoordinateSystem\" theme \"Explorer\"\n"
             "the list's column title and look, nothing marked before the mouse comes")
korvo_expect("${out}" "at 20,30\ndump chooser 1\n([^\n]*\n)+coordinate-system list column [^\n]* marked \"Base\"\n" "the row under the mouse marks its system")
korvo_expect("${out}" "at 20,50\ndump chooser 1\n([^\n]*\n)+coordinate-system list column [^\n]* marked \"Front view\"\n" "moving on marks the next row's object")
korvo_expect("${out}" "user mouse move on [^\n]* at 20,290\ndump chooser 1\n[^\n]*\n[^\n]*\n  [^\n]*\n  [^\n]*\n  [^\n]*\n  [^\n]*\n  [^\n]*\n\
coordinate-system list column \"CoordinateSystem\" theme \"Explorer\"\n" "below the rows nothing is marked")
korvo_expect("${out}" "user mouse click on [^\n]* at 20,50\n(call CKVCom_Is3D::OnCurrentDocumentChanged[^\n]*\n)?call KVDocument::start_undo_block\\(0, 218\\)\ncall LCS::Create\\(page 0, type 2, \"Front view\"\\) = 1\ncall KVDocument::end_undo_block\\(\\)\n" "a click on a projection's row makes its system in one undo block")
korvo_expect("${out}" "LCS::Show\\(1\\)\n[^\n]*\ndump chooser 1\n\\(no chooser open\\)\n" "the choice closes the list")

korvo_run(colour_keys EXIT 0 OUTPUT out ARGS --quiet window,log,call INPUT
  "${setup}click 1 904\npress 1 Down\npress 1 Down\npress 1 Up\ndump chooser 1\ndump parameters\npress 1 Enter\ndump chooser 1\ndump parameters\nquit\n")
korvo_expect("${out}" "user press Up in [^\n]*\ndump chooser 1\n[^\n]*\n[^\n]*\n  standard [^\n]* selected \"Red\"\n"
             "Down, Down, Up: the next colour is selected")
korvo_expect("${out}" "selected \"Red\"\n[^\n]*\ndump parameters\ndocument 1 \"Bracket.grb\"\n  selection none\n  defaults 2D Color colour 0 "
             "moving the selection chooses nothing")
korvo_expect("${out}" "user press Enter in [^\n]*\ndump chooser 1\n\\(no chooser open\\)\ndump parameters\ndocument 1 \"Bracket.grb\"\n  selection none\n  defaults 2D Color colour 1 "
             "Enter takes the selected colour")
