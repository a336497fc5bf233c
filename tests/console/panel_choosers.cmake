# The choosers of the panel's parameter controls end to end, as a user clicks a control and picks:
# a colour goes to the defaults, to the selected objects, or inside a command to the command, and
# the pop-up's state persists; a new layer needs a fresh name and comes in one undo block; a
# projection gets one coordinate system; the material chooser writes the selected bodies in one
# step; and what a user could not do is said.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(samples "C:\\Users\\user\\Documents\\Samples")
set(setup "start\nidle\nopen \"${samples}\\Bracket.grb\"\nkernel SetSyspanelControls 904 0 0 911 0 0 912 0 0 905 0 0\n\
kernel EnableSyspanelControl 904 1\nkernel EnableSyspanelControl 911 1\nkernel EnableSyspanelControl 912 1\n\
kernel EnableSyspanelControl 905 1\n")

korvo_run(colour EXIT 0 OUTPUT out ARGS --quiet log,window INPUT
  "${setup}pick 1 \"Red\"\nclick 1 904\npick 1 \"Red\"\ndump parameters\nmodel AddObject 1\nmodel Select 1 0\n\
click 1 904\npick 1 \"R10 G20 B200\"\nexpect colour choose 10,20,200\npick 1 \"Other colours...\"\ndump parameters\n\
dump panel 1\nmodel RunCommand 1 1\nclick 1 904\npick 1 \"Blue\"\nmodel RunCommand 1 0\nclick 1 904\naway 1\n\
pick 1 \"Blue\"\ndump registry\nquit\n")
korvo_expect("${out}" "\nuser pick \"Red\" in frame 1\npick: no chooser is open in that frame\n" "nothing to pick in before a click")
korvo_expect("${out}" "\ndump parameters\ndocument 1 \"Bracket.grb\"\n  selection none\n  defaults 2D Color colour 1 "
             "with nothing selected the colour goes to the defaults")
korvo_expect("${out}" "\npick: the colour pop-up shows no \"R10 G20 B200\"\n" "a colour neither list shows")
korvo_expect("${out}" "\ndialog colour dialog, text \"255,0,0\"\ndialog choose \"10,20,200\"\n"
             "the colour dialog opens at the current colour and answers the chosen one")
korvo_expect("${out}" "\n  object 0 Color colour -938210816\n  selection 0\n"
             "a true colour with blue above 127 goes to the selected object as a true colour")
korvo_expect("${out}" "\n  904 colour group - -938210816 shows \"R10 G20 B200\" enabled"
             "the control shows the true colour by its parts")
korvo_expect("${out}" "\nuser pick \"Blue\" in frame 1\n(call CKVCom_Is3D::OnCurrentDocumentChanged[^\n]*\n)?call CKvw32Doc::PushAction\\(\"Bracket.grb\", command 904, \"\"\\)\n\
call KVCommand::Run\\(904, \"PanelValueReader\"\\)\ncall PanelValueReader reads 904: [^\n]*GetSyspanelControlIntValue 3\n"
             "inside a command the frame hears the control's id and the command reads the colour")
korvo_expect("${out}" "\nuser activate another window than frame 1\n(call CKVCom_Is3D::OnCurrentDocumentChanged[^\n]*\n)?user pick \"Blue\" in frame 1\npick: no chooser is open in that frame\n"
             "clicking elsewhere closes the pop-up")
korvo_expect("${out}" "\\[Software[^\n]*\\\\Colors\\\\CustomColors\\]\n\"Color0\"=dword:00c8140a\n"
             "the chosen colour is kept among the custom colours")
korvo_expect("${out}" "\\\\Colors\\\\SelectColorDialog\\]\n\"Width\"=dword:000000c8\n\"Height\"=dword:0000012c\n\"Show256\"=dword:00000001\n\"StandartH\"=dword:000000be\n\"UserH\"=dword:00000046\n"
             "closing keeps the pop-up's sizes and Show256")

korvo_run(layers_and_systems EXIT 0 OUTPUT out ARGS --quiet log,window INPUT
  "${setup}click 1 911\nexpect prompt answer \" Hatching \"\npick 1 \"new\"\ndump panel 1\nclick 1 911\n\
expect prompt answer \"0\"\nexpect box \"A layer named*\" answer ok\npick 1 \"new\"\nclick 1 911\n\
expect prompt answer \"\"\npick 1 \"new\"\nclick 1 911\nexpect prompt cancel\npick 1 \"new\"\nclick 1 911\n\
pick 1 \"Dimensions\"\ndump parameters\nclick 1 912\npick 1 \"Top view\"\ndump panel 1\nclick 1 912\n\
pick 1 \"PageCoordinateSystem (Page 1)\"\ndump panel 1\nclick 1 912\npick 1 \"Front views\"\nquit\n")
korvo_expect("${out}" "\ndialog prompt dialog, text \"New layer\"\ndialog choose \" Hatching \"\n\
call KVDocument::start_undo_block\\(0, 215\\)\ncall KVDocument::CreateLayer\\(\"Hatching\"\\) = 2\ncall KVDocument::end_undo_block\\(\\)\n"
             "a new layer, its name trimmed, in one undo block")
korvo_expect("${out}" "\n  911 layer group - 2 shows \"Hatching\" enabled [^\n]* ribbon 2\n" "both twins show the new layer")
korvo_expect("${out}" "\ndialog choose \"0\"\n[^\n]*\n[^\n]*\nbox [^\n]*\"A layer named \"0\" exists already.\" OK"
             "a taken name is refused")
korvo_expect("${out}" "\ndialog choose \"\"\nuser click 911 on frame 1\n" "an empty name makes nothing")
korvo_expect("${out}" "\ndialog cancel\nuser click 911 on frame 1\n" "a cancelled prompt makes nothing")
korvo_expect("${out}" "defaults 2D Color colour 0 Layer 1 " "a picked layer goes to the defaults")
korvo_expect("${out}" "\ncall KVDocument::start_undo_block\\(0, 218\\)\ncall LCS::Create\\(page 0, type 2, \"Top view\"\\) = 1\n\
call KVDocument::end_undo_block\\(\\)\ncall LCS::Show\\(1\\)\n" "a projection gets one coordinate system in one undo block")
korvo_expect("${out}" "\n  912 lcs group - 1 shows \"Top view\" enabled [^\n]* ribbon 1\n" "the new system is current")
korvo_expect("${out}" "\n  912 lcs group - -1 shows \"PageCoordinateSystem\" enabled [^\n]* ribbon -1\n" "the page's own system is -1")
korvo_expect("${out}" "\npick: the coordinate-system list shows no \"Front views\"\n" "a row the list does not have")
string(REGEX MATCHALL "LCS::Create" made "${out}")
list(LENGTH made count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "one coordinate system for one projection (${count}):\n${out}")
endif()

korvo_run(materials EXIT 0 OUTPUT out ARGS --quiet log,window INPUT
  "${setup}model Set3D 1 1\nmodel AddObject 1\nmodel AddObject 1\nmodel SetObjectParameter 1 0 \"Material\" \"Steel\"\n\
model SetObjectParameter 1 1 \"Material\" \"Brass\"\nmodel Select 1 0 1\nmodel RaiseParameterEvent 1 783\ndump panel 1\n\
click 1 905\npick 1 \"Marble\"\npick 1 \"Oak\"\ndump parameters\nmodel Select 1\nmodel RaiseParameterEvent 1 783\n\
dump panel 1\nquit\n")
korvo_expect("${out}" "\n  905 material group - \"\" shows \"\" enabled [^\n]* ribbon \"\"\n" "two materials leave the caption empty")
korvo_expect("${out}" "\ncall KVMaterialChooser::Create\\(\"Bracket.grb\", \\([0-9]+,[0-9]+,[0-9]+,[0-9]+\\), mode 2, \"\"\\)\n"
             "the 3D part's chooser opens for the material of bodies")
korvo_expect("${out}" "\npick: the material chooser lists no \"Marble\"\n" "a material the library lacks")
korvo_expect("${out}" "\ncall UndoManager::Open\\(\"Bracket.grb\", \"Material\"\\)\n\
call KV3DMaterials::ApplyMaterial\\(\"Oak\", true, in step\\) = changed\ncall KV3DMaterials::ApplyMaterial\\(\"Oak\", true, in step\\) = changed\n\
call UndoManager::Close\\(\"Bracket.grb\", true, false\\)\ncall KVDocRegenContext\\(\"Bracket.grb\", true, false, false\\) opened\n\
call KVDocRegenContext\\(\"Bracket.grb\"\\) closed\ncall KVMaterialChooser::Hide\\(\\)\ncall ApplicationEventManager::Raise\\(1037\\)\n"
             "both bodies take the material in one step, then the model regenerates")
korvo_expect("${out}" "\n  object 0 Material \"Oak\"\n  object 1 Material \"Oak\"\n" "the bodies hold it")
korvo_expect("${out}" "\n  905 material group - \"\" shows \"\" disabled [^\n]* ribbon \"\"\n" "nothing selected disables the control")

korvo_run(bad_colour EXIT 2 ERROR err INPUT "expect colour choose 10,20\n")
korvo_expect("${err}" "<stdin>:1: expect: \"10,20\" is not a colour R,G,B \\(each 0 to 255\\)" "two parts are no colour")
korvo_run(big_colour EXIT 2 ERROR err INPUT "expect colour choose 10,20,256\n")
korvo_expect("${err}" "is not a colour R,G,B" "256 is past a colour part")
korvo_run(unused EXIT 1 ERROR err INPUT "start\nidle\nexpect prompt answer \"x\"\nexpect colour cancel\nquit\n")
korvo_expect("${err}" "expectation never used: prompt \"x\"" "an answer nobody asked for fails the run")
korvo_run(before_start EXIT 2 ERROR err INPUT "pick 1 \"Red\"\n")
korvo_expect("${err}" "<stdin>:1: pick" "picking before start")
