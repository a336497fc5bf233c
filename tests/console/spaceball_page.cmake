# The customise sheet's 3D-mouse page: edits in one view mode survive a switch to another and
# back, the sliders give back what they stored, buttons get commands and keys (for every view
# mode but the device's own fourth), presets save and load (a foreign version is refused), the
# applied presets survive a restart, and a device without details saves nothing.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(host ${WORK_DIR}/host)
set(documents "${host}/C/Users/user/Documents")
file(MAKE_DIRECTORY "${documents}")
file(WRITE "${documents}/v3.k3c" "[SpaceballConfig]\nversion=3\n")
file(WRITE "${documents}/only2d.k3c" "[SpaceballConfig]\nversion=2\n[2D]\nSensitivity2=0.75\nInvert2=1\n")
file(WRITE "${documents}/bad.k3c" "[SpaceballConfig]\nversion=1\n[3D]\nAxis1=4\n[Workplane]\nSensitivity1=7\n[2D]\nAxis1=3\n")

# Without a device the sheet has no such page.
korvo_run(none EXIT 1 ERROR err INPUT "start\nidle\nexpect dialog 783 answer page 20870 ok\ncommand 1 35001\nquit\n" ARGS --quiet log,call)
korvo_expect("${err}" "the dialog shows no page 20870" "without a device there is no 3D-mouse page")

string(CONCAT script
  "spaceball plug 4 6\nstart\nidle\n"
  # 3D: axis 1 at 29, then 2D at 57, back in 3D: still 29.
  "expect dialog 783 answer page 20870 slider 2481 29 select 2479 \"2D\" slider 2481 57 check 2484 on select 2479 \"3D\" ok\n"
  "command 1 35001\ndump spaceball\n"
  # Opened again and applied untouched, every value comes back as it was stored.
  "expect dialog 783 answer page 20870 ok\ncommand 1 35001\ndump spaceball\n"
  # Button 3 gets F5 in every view mode, button 4 the Open command in 2D only, button 1 loses its command.
  "expect menu choose 11\nexpect dialog 20921 answer check 2653 on key F5\n"
  "expect menu choose 10\nexpect dialog 485 answer select 1000 \"Open\" ok\n"
  "expect menu choose 12\n"
  "expect dialog 783 answer page 20870 rclick 4033 \"Button 3\" select 2479 \"2D\" rclick 4033 \"Button 4\" select 2479 \"3D\" rclick 4033 \"Button 1\" ok\n"
  "command 1 35001\ndump spaceball\n"
  # A preset holds version 2 and the three page modes.
  "expect file choose \"C:\\Users\\user\\Documents\\mouse.k3c\"\n"
  "expect dialog 783 answer page 20870 click 2299 ok\ncommand 1 35001\ndump file \"C:\\Users\\user\\Documents\\mouse.k3c\"\n"
  # Version 3 is refused; a file with 2D alone changes 2D alone.
  "expect file choose \"C:\\Users\\user\\Documents\\v3.k3c\"\nexpect box \"The 3D-mouse settings cannot be loaded from *v3.k3c.\" answer ok\n"
  "expect file choose \"C:\\Users\\user\\Documents\\only2d.k3c\"\n"
  "expect dialog 783 answer page 20870 click 1150 click 1150 ok\ncommand 1 35001\ndump spaceball\n"
  # A bad value in the second mode: the first mode keeps what it loaded, the third is not read.
  "expect file choose \"C:\\Users\\user\\Documents\\bad.k3c\"\nexpect box \"The 3D-mouse settings cannot be loaded from *\" answer ok\n"
  "expect dialog 783 answer page 20870 click 1150 ok\ncommand 1 35001\ndump spaceball\n"
  # Cancelling the sheet drops the page's edits.
  "expect dialog 783 answer page 20870 slider 2501 99 cancel\ncommand 1 35001\ndump spaceball\nquit\n")
korvo_run(page EXIT 0 OUTPUT out INPUT "${script}" ARGS --host ${host} --quiet log)

after("${out}" "user command 35001" rest)
korvo_expect("${rest}" "call CKVSpaceballDeviceManager::Lock\\(0x[0-9a-f]+, 0\\)" "the page holds the device")
korvo_expect("${rest}" "call CKVSpaceballMapping::SavePreset\\(3, null\\)\ncall CKVSpaceballDeviceManager::UpdatePresets\\(\\)"
             "applying hands the four mappings back")
korvo_expect("${rest}" "dump spaceball\ndevice 4 buttons 6 axes\nlocked none\nmode 0 3D flag 1 overall 0.5\n  axes 0:0.29 1:0.5 "
             "a 3D edit survives a switch to 2D and back")
korvo_expect("${rest}" "mode 2 2D flag 1 overall 0.5\n  axes 0:0.57 1:0.25- " "the 2D edits land in 2D")
string(REGEX MATCHALL "Unlock\\(" unlocks "${rest}")
after("${out}" "dump spaceball" first)
after("${first}" "user command 35001" second)
korvo_expect("${second}" "dump spaceball\n[^\n]*\n[^\n]*\nmode 0 3D flag 1 overall 0.5\n  axes 0:0.29 " "0.29 shows as 29 again")

after("${second}" "user command 35001" third)
korvo_expect("${third}" "mode 0 3D[^\n]*\n[^\n]*\n  button 1 command 0\n  button 2 key 27 \"Esc\"\n  button 3 key 116 \"F5\"\n"
             "button 3 sends F5 in 3D, button 1 does nothing")
korvo_expect("${third}" "mode 1 Workplane[^\n]*\n[^\n]*\n  button 1 command 1001\n  button 2 key 27 \"Esc\"\n  button 3 key 116 \"F5\"\n"
             "all modes include the work plane")
korvo_expect("${third}" "mode 2 2D[^\n]*\n[^\n]*\n  button 1 command 1001\n  button 2 key 27 \"Esc\"\n  button 3 key 116 \"F5\"\n  button 4 command 1001\n"
             "the 2D mode has the key and the command")
korvo_expect("${third}" "  button 4 command 1001\nmode 3 fourth[^\n]*\n[^\n]*\n  button 1 command 1001\n  button 2 key 27 \"Esc\"\n(dump|user|call|window|dialog|menu|file)"
             "the device's fourth mode is left alone")

korvo_expect("${out}" "mouse.k3c\": [0-9]+ bytes\n *\\[SpaceballConfig\\]\n *version=2\n *\\[3D\\]\n" "a preset starts with version 2 and the 3D mode")
korvo_expect("${out}" "mouse.k3c\": [0-9]+ bytes\n([^\n]*\n)* *\\[Workplane\\]\n([^\n]*\n)* *\\[2D\\]\n" "the preset has the work plane and 2D")

korvo_expect("${out}" "box [^\n]*\"The 3D-mouse settings cannot be loaded from C:[^\n]*v3.k3c.\" OK icon ERROR" "version 3 is refused")
after("${out}" "only2d.k3c" rest)
korvo_expect("${rest}" "mode 0 3D flag 1 overall 0.5\n  axes 0:0.29 " "the 2D file leaves 3D")
korvo_expect("${rest}" "mode 2 2D flag 1 overall 0.5\n  axes 0:0.57 1:0.75- " "the 2D file changes 2D")
after("${rest}" "bad.k3c" rest)
korvo_expect("${rest}" "mode 0 3D[^\n]*\n  axes 4:" "the first mode of a bad file keeps what it loaded")
korvo_expect("${rest}" "mode 2 2D[^\n]*\n  axes 0:0.57 1:0.75- " "the mode after the bad one is not read")
after("${rest}" "slider 2501 99" rest)
if(rest MATCHES "SavePreset|overall 0.99")
  message(FATAL_ERROR "a cancelled sheet saved the page's edits:\n${rest}")
endif()

# The applied presets are the device's after a restart.
korvo_run(again EXIT 0 OUTPUT out INPUT "spaceball plug 4 6\nstart\nidle\ndump spaceball\nquit\n" ARGS --host ${host} --quiet log,call)
korvo_expect("${out}" "mode 2 2D flag 1 overall 0.5\n  axes 0:0.57 1:0.75- " "the presets survive a restart")

# A device that gives no details: the page shows the defaults and applying saves nothing.
korvo_run(silent EXIT 0 OUTPUT out INPUT "spaceball plug 4 6 silent\nstart\nidle\nexpect dialog 783 answer page 20870 slider 2481 80 ok\ncommand 1 35001\ndump spaceball\nquit\n"
          ARGS --quiet log)
korvo_expect("${out}" "device 4 buttons 6 axes without details\n" "the device is plugged without details")
if(out MATCHES "SavePreset")
  message(FATAL_ERROR "a page without the device's details saved:\n${out}")
endif()

# Bad plug arguments are mistakes.
korvo_run(bad EXIT 2 ERROR err INPUT "spaceball plug 40 6\n")
korvo_expect("${err}" "spaceball plug: needs BUTTONS" "a device with too many buttons is refused")

# Over a drawing the page opens on the 2D mode; Defaults gives that mode the device's defaults.
string(CONCAT script "spaceball plug 4 6\nstart\nidle\nopen \"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\"\n"
  "expect dialog 783 answer page 20870 slider 2481 90 ok\ncommand 1 35001\ndump spaceball\n"
  "expect dialog 783 answer page 20870 click 1005 ok\ncommand 1 35001\ndump spaceball\nquit\n")
korvo_run(drawing EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet log,call)
korvo_expect("${out}" "mode 0 3D[^\n]*\n  axes 0:0.5 ([^\n]*\n)*mode 2 2D[^\n]*\n  axes 0:0.9 " "a drawing's page edits the 2D mode")
after("${out}" "click 1005" rest)
korvo_expect("${rest}" "mode 2 2D[^\n]*\n  axes 0:0.25 " "Defaults restores the 2D mode")
