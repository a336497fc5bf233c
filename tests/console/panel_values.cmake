# The panel's values end to end, as the kernel and the user exchange them: a drawing's default in
# both frames that show it and not in a frame showing another; the selection's common value (an
# object without the parameter left out, the 1e-8 tolerance); typing outside a command writes the
# selection or the defaults; inside one the command reads the value through the panel's getters,
# and executing the ribbon's twin hands the value to the bar.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(samples "C:\\Users\\user\\Documents\\Samples")

string(CONCAT frames_script
  "start\nidle\nopen \"${samples}\\Bracket.grb\"\nnew-frame\ncommand 1 1059\nnew-frame\nopen \"${samples}\\Cover plate.grb\"\n"
  "kernel SetSyspanelControls 907 0 0 909 0 0\nmodel SetDefaultParameter 2 \"Level\" 9\nmodel SetDefaultParameter 1 \"Level\" 4\n"
  "model RaiseParameterEvent 1 778\ndump panel 1\ndump panel 2\ndump panel 3\n"
  "model AddObject 1\nmodel AddObject 1\nmodel AddObject 1\nmodel SetObjectParameter 1 0 \"Level\" 1\n"
  "model SetObjectParameter 1 1 \"Level\" 1.000000005\nmodel SetObjectParameter 1 2 \"Priority\" 3\nmodel Select 1 0 1 2\n"
  "model RaiseParameterEvent 1 783\ndump panel 2\n"
  "model SetObjectParameter 1 0 \"Level\" 6\nmodel SetObjectParameter 1 1 \"Level\" 6.00000002\nmodel RaiseParameterEvent 1 515\ndump panel 1\n"
  "type 1 909 \"5\"\nmodel Select 1\ntype 2 907 \"7\"\ndump parameters\nquit\n")
korvo_run(frames EXIT 0 OUTPUT out INPUT "${frames_script}")
string(CONCAT expected
  "model RaiseParameterEvent: done\ndump panel 1\nbar visible[^\n]*\n  907 edit group - \"4\" list 0 window unmodified spin-mode 0 enabled visible [^\n]* ribbon \"4\" list 0\n"
  "  909 edit group - \"0\" list 0 window unmodified spin-mode 0 enabled visible [^\n]* ribbon \"0\" list 0\ndump panel 2\nbar visible[^\n]*\n  907 edit group - \"4\" list 0 window unmodified spin-mode 0 enabled visible [^\n]* ribbon \"4\" list 0\n"
  "  909 edit group - \"0\" list 0 window unmodified spin-mode 0 enabled visible [^\n]* ribbon \"0\" list 0\ndump panel 3\nbar visible[^\n]*\n  907 edit group - \"0\" ")
korvo_expect("${out}" "${expected}"
             "both frames showing the drawing take its default, the third frame not")
string(CONCAT expected
  "model RaiseParameterEvent: done\ndump panel 2\nbar visible[^\n]*\n  907 edit group - \"1\" list 0 window unmodified spin-mode 0 enabled visible [^\n]* ribbon \"1\" list 0\n"
  "  909 edit group - \"3\" list 0 window unmodified spin-mode 0 enabled visible [^\n]* ribbon \"3\" list 0\n")
korvo_expect("${out}" "${expected}"
             "the common value: 1 and 1+5e-9 are one, the object without a level does not count")
korvo_expect("${out}" "model RaiseParameterEvent: done\ndump panel 1\nbar visible[^\n]*\n  907 edit group - \"1\" list 0 window unmodified spin-mode 0 enabled"
             "6 and 6+2e-8 have nothing in common: the edit keeps what it shows")
string(CONCAT expected
  "document 1 \"Bracket.grb\"\n  object 0 Level 6 Priority 5\n  object 1 Level 6.00000002 Priority 5\n"
  "  object 2 Priority 5\n  selection none\n  defaults 2D Color colour 0 Layer 0 Level 7 Priority 0 ")
korvo_expect("${out}" "${expected}"
             "typing writes the selected objects, then with nothing selected the default")
korvo_expect("${out}" "document 2 \"Cover plate.grb\"\n  selection none\n  defaults 2D Color colour 0 Layer 0 Level 9 "
             "the other drawing keeps its own default")

string(CONCAT command_script
  "start\nidle\nopen \"${samples}\\Bracket.grb\"\nkernel SetSyspanelControls 907 0 0\nkernel EnableSyspanelControl 907 1\n"
  "model RunCommand 1 1\ntype 1 907 \"12.5\"\ndump panel 1\nclick 1 907\ndump panel 1\nkernel UnpackSyspanelIntVar 907\n"
  "click 1 911\nexpect prompt answer \"Hatching\"\npick 1 \"new\"\n"
  "dump parameters\nmodel RunCommand 1 0\ncommand 1 907\ntype 1 907 \"0.123456789\"\ndump panel 1\n"
  "kernel UnpackSyspanelDoubleVar 907\nquit\n")
korvo_run(command EXIT 0 OUTPUT out INPUT "${command_script}")
string(CONCAT typed_in_command "user type \"12.5\" into 907 on frame 1\n(call [^\n]*\n)*call KVCommand::Run\\(907, \"PanelValueReader\"\\)\n"
       "call PanelValueReader reads 907: GetSyspanelControlData 12.5, UnpackSyspanelDoubleVar 12.5, "
       "UnpackSyspanelIntVar 12, GetSyspanelControlIntValue 12\n(call [^\n]*\n)*dump panel 1\nbar visible[^\n]*\n  907 edit group - \"12.5\" ")
korvo_expect("${out}" "${typed_in_command}"
             "typed inside a command: the command is sent 907 and reads the ribbon twin's value through every getter, and the bar holds it")
string(CONCAT layer_in_command "user pick \"new\" in frame 1\n((dialog|call|log|window) [^\n]*\n)*call PanelValueReader reads 911: GetSyspanelControlData 2, "
       "UnpackSyspanelDoubleVar false, UnpackSyspanelIntVar false, GetSyspanelControlIntValue 2\n")
korvo_expect("${out}" "${layer_in_command}" "a layer chosen in the ribbon inside a command: every getter reads it")
string(CONCAT typed_outside "user type \"0.123456789\" into 907 on frame 1\n(call [^\n]*\n)*dump panel 1\nbar visible[^\n]*\n"
       "  907 edit group - \"0.123456789\" [^\n]* ribbon \"0.123456789\" list 0\n(call [^\n]*\n)*kernel UnpackSyspanelDoubleVar: 0.123456789\n")
korvo_expect("${out}" "${typed_outside}" "typed into the ribbon's twin outside a command, the value reaches the bar at once")
string(CONCAT expected
  "call PanelValueReader reads 907: GetSyspanelControlData 12.5, UnpackSyspanelDoubleVar 12.5, "
  "UnpackSyspanelIntVar 12, GetSyspanelControlIntValue 12\n")
korvo_expect("${out}" "${expected}"
             "executing the twin hands the value to the bar, where every getter reads it")
korvo_expect("${out}" "\ndump panel 1\nbar visible[^\n]*\n  907 edit group - \"12.5\" list 0 window unmodified spin-mode 0 enabled visible [^\n]* ribbon \"12.5\" list 0\nkernel UnpackSyspanelIntVar: 12\n"
             "both the ribbon twin and the bar hold the value")
korvo_expect("${out}" "document 1 \"Bracket.grb\" in command\n  selection none\n  defaults 2D Color colour 0 Layer 0 Level 0 "
             "inside a command nothing is written")
korvo_expect("${out}" "call PanelValueReader\\(907\\): no command runs\n" "after the command the reader is not running")

korvo_run(bad_value EXIT 2 ERROR err INPUT "start\nidle\nopen \"${samples}\\Bracket.grb\"\nmodel SetDefaultParameter 1 \"Level\" high\n")
korvo_expect("${err}" "<stdin>:4: SetDefaultParameter: high is not a number" "a value that is no number")
korvo_run(bad_document EXIT 2 ERROR err INPUT "start\nidle\nmodel AddObject 3\n")
korvo_expect("${err}" "<stdin>:3: AddObject: no open document 3" "a document that is not open")
korvo_run(bad_name EXIT 2 ERROR err INPUT "start\nidle\nopen \"${samples}\\Bracket.grb\"\nmodel DefaultParameter 1 \"Colour\"\n")
korvo_expect("${err}" "<stdin>:4: DefaultParameter: unknown parameter Colour" "a parameter the kernel does not know")
