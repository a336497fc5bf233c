# A running command's own controls in the manipulator panels of two main frames: one object, four
# views; values set on all and read from the active frame; what the user does in a view reaches
# the object; clearing one panel leaves the other.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(samples "C:\\Users\\user\\Documents\\Samples")

string(CONCAT script
  "start\nidle\nopen \"${samples}\\Bracket.grb\"\nnew-frame\ncommand 1 1059\nactivate 1\n"
  "kernel --manip 1 1 Clear\nkernel --manip 1 1 AddEdit \"len\"\nkernel --manip 1 1 AddCheckBox \"snap\"\n"
  "kernel --manip 1 1 SetEditValue \"len\" 2.5\ndump panel 1\ndump panel 2\nkernel --manip 2 1 GetEditValue \"len\"\n"
  "key 1 3001 Enter\nkey 1 3001 Up\nkernel --manip 1 1 HookKeys \"len\" 40\nkey 1 3001 Down\nkey 1 3001 Esc\n"
  "key 1 3001 5\nkernel --manip 1 2 AddLabel \"hint\"\nkernel --manip 1 2 Clear\ndump panel 1\n"
  "click 1 3002\nkernel --manip 1 1 IsCheckBoxChecked \"snap\"\n"
  "kernel --manip 1 1 Clear\nkernel --manip 1 1 IsEmpty\nkernel --manip 1 1 GetEditValue \"len\"\nquit\n")
korvo_run(two_frames EXIT 0 OUTPUT out INPUT "${script}")
string(CONCAT expected
  "call CKVSysPanelCtrlImpl::addControl\\(\"len\", view 1\\)\ncall CKVSysPanelCtrlImpl::addControl\\(\"len\", view 2\\)\n"
  "call CKVSysPanelCtrlImpl::addControl\\(\"len\", view 3\\)\ncall CKVSysPanelCtrlImpl::addControl\\(\"len\", view 4\\)\nkernel AddEdit: done\n")
korvo_expect("${out}" "${expected}"
             "one edit, four registered views: bar and tool bar of each frame")
string(CONCAT expected
  "dump panel 1\nbar visible[^\n]*\n  3001 edit group 1 \"2.5\" [^\n]*class CManipPanelEdit tag [0-9]+ begins-group [^\n]*\n"
  "  3002 check group 1 [^\n]* in-group [^\n]*\ndump panel 2\nbar visible[^\n]*\n  3001 edit group 1 \"2.5\" ")
korvo_expect("${out}" "${expected}"
             "the value reaches both frames' bars; the first control after Clear begins a group")
korvo_expect("${out}" "kernel GetEditValue: 2.5 var -1\n" "the getter reads the active frame's view")
string(CONCAT expected
  "user key Enter in 3001 on frame 1\n(call CKvw32Doc[^\n]*\n)?call CKVSysPanelCtrlImpl::OnFirstNotify\\(\"len\", view 1\\)\n"
  "call CKVSysPanelCtrlImpl::OnKeyHook\\(\"len\", view 1, key 13\\)\nuser key Up")
korvo_expect("${out}" "${expected}"
             "Enter: the first notification and the key hook, no focus-loss notification")
korvo_expect("${out}" "user key Up in 3001 on frame 1\n(call CKvw32Doc[^\n]*\n)?call CKVSysPanelCtrlImpl::OnSecondNotify\\(\"len\", view 1\\)\n"
             "Up: the second notification")
korvo_expect("${out}" "call CKVSysPanelCtrlImpl::OnSecondNotify\\(\"len\", view 1\\)\ncall CKVSysPanelCtrlImpl::OnKeyHook\\(\"len\", view 1, key 40: taken\\)\n"
             "a key the hook takes")
korvo_expect("${out}" "user key Esc in 3001 on frame 1\n(call CKvw32Doc[^\n]*\n)?call CKVSysPanelCtrlImpl::OnKeyHook\\(\"len\", view 1, key 27\\)\nuser key 5"
             "Esc: the focus leaves without the focus-loss notification")
string(CONCAT expected
  "call CKVSysPanelCtrlImpl::removeControl\\(\"hint\", view 1\\)\n[^k]*kernel Clear: done\ndump panel 1\nbar visible[^\n]*\n"
  "  3001 edit group 1 [^\n]*\n  3002 check group 1 [^\n]*\nuser click")
korvo_expect("${out}" "${expected}"
             "clearing panel 2 leaves panel 1's controls")
korvo_expect("${out}" "kernel IsCheckBoxChecked: true\n" "a click toggles the box")
korvo_expect("${out}" "user click 3002 on [^\n]*\ncall CKVSysPanelCtrlImpl::OnFirstNotify\\(\"snap\", view 1\\)\n" "the box tells its object")
korvo_expect("${out}" "call CKVSysPanelCtrlImpl::OnThirdNotify\\(\"len\", view 1\\)\n" "the focus leaving after a plain key")
korvo_expect("${out}" "kernel IsEmpty: true\nkernel GetEditValue: false\n" "cleared: no view to read")

# A click on the drawing takes the focus from the edit: the focus-loss notification.
korvo_run(click_away EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"${samples}\\Bracket.grb\"\nkernel --manip 1 1 AddEdit \"len\"\nkey 1 3001 5\nmouse 1 1000,600 click\nquit\n")
string(CONCAT expected
  "call CKVSysPanelCtrlImpl::OnKeyHook\\(\"len\", view 1, key 53\\)\nuser mouse click on frame 1 at 1000,600\n"
  "call CKVSysPanelCtrlImpl::OnThirdNotify\\(\"len\", view 1\\)\n")
korvo_expect("${out}" "${expected}"
             "the edit keeps the focus until the click takes it")

# A control object the command drops before its views: the views stay and tell nobody.
korvo_run(dropped EXIT 0 OUTPUT out INPUT
  "start\nidle\nkernel --manip 1 1 AddEdit \"len\"\nkernel --manip 1 1 Destroy \"len\"\nkey 1 3001 Enter\nkernel --manip 1 1 Clear\nquit\n")
korvo_expect("${out}" "kernel Destroy: done\nuser key Enter in 3001 on frame 1\nkernel Clear: done\n" "no notification, no unregistering")
korvo_run(unknown EXIT 2 ERROR err INPUT "start\nidle\nkernel --manip 1 1 SetEditValue \"nothing\" 1\n")
korvo_expect("${err}" "SetEditValue: no control object \"nothing\"" "an object the command never made")
