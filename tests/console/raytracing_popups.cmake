# The ray-tracing popups on the ribbon as the user and the kernel reach them: a choice sends the
# popup's command exactly once and the kernel reads what was chosen; the camera list has an entry
# for no camera first and the bar follows the list the next time it opens; out-of-range values
# change nothing.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(samples "C:\\Users\\user\\Documents\\Samples")

korvo_run(quality EXIT 0 OUTPUT out ARGS --quiet log,window INPUT
  "start\nidle\nkernel GetSyspanelValue2042\ntab 1 \"Tools\"\nexpect menu choose \"Final\"\nclick 1 2042\n\
kernel GetSyspanelValue2042\nkernel ResetCommandBarControls 7\nkernel GetSyspanelValue2042\n\
kernel ResetCommandBarControls 0\nexpect menu dismiss\nclick 1 2042\nquit\n")
korvo_expect("${out}" "kernel GetSyspanelValue2042: 2\nuser tab" "a new frame's quality is 2")
korvo_expect("${out}" "\nmenu   0 \"High\" checked\nmenu   0 \"Final\"\nmenu answer choose \"Final\" \\(expected\\)\n\
call KVCommandContainer::ExecuteCommand\\(2042, \"PhotoQuality\"\\)\nkernel GetSyspanelValue2042: 3\n"
             "choosing a quality runs the popup's command once and the kernel reads the choice")
korvo_expect("${out}" "ResetCommandBarControls: done\nkernel GetSyspanelValue2042: 3\n" "a quality past the last is ignored")
korvo_expect("${out}" "\nmenu   0 \"Draft\" checked\nmenu   0 \"Normal\"\n" "the kernel's quality shows checked")
korvo_expect("${out}" "program exit 0" "ends")
string(REGEX MATCHALL "ExecuteCommand\\(2042" runs "${out}")
list(LENGTH runs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "only the user's choice runs the quality command, and once (${count}):\n${out}")
endif()

korvo_run(cameras EXIT 0 OUTPUT out ARGS --quiet log,window INPUT
  "start\nidle\nopen \"${samples}\\Bracket.grb\"\ntab 1 \"Tools\"\nkernel SetCameraList 1 2 \"Front\" \"Top\"\n\
kernel GetSelectedCamera 1\nexpect menu choose \"Front\"\nclick 1 2041\nkernel GetSelectedCamera 1\n\
expect menu dismiss\nclick 1 2041\nkernel SetCameraList 1 0 \"Top\"\nkernel GetSelectedCamera 1\n\
expect menu dismiss\nclick 1 2041\nquit\n")
korvo_expect("${out}" "kernel GetSelectedCamera: \"Top\"\n" "the kernel's current camera is selected")
korvo_expect("${out}" "\nmenu 0x[0-9A-F]+ 3 items\nmenu   2041 \"<No camera>\"\nmenu   2041 \"Front\"\nmenu   2041 \"Top\" checked\n\
menu answer choose \"Front\" \\(expected\\)\n(call [^\n]*\n)*call KVCommandContainer::ExecuteCommand\\(2041, \"ViewSelectCamera\"\\)\n\
kernel GetSelectedCamera: \"Front\"\n" "two cameras give three entries; a choice runs the popup's command")
korvo_expect("${out}" "\nmenu   [0-9]+ \"Front\" checked\nmenu   2041 \"Top\"\nmenu answer dismiss" "the bar shows the choice when it opens again")
korvo_expect("${out}" "SetCameraList: done\nkernel GetSelectedCamera: null\n(.*\n)?menu 0x[0-9A-F]+ 2 items\nmenu   2041 \"<No camera>\" checked\nmenu   2041 \"Top\"\n"
             "a new list rebuilds the bar when it opens; no current camera selects the first entry")
string(REGEX MATCHALL "ExecuteCommand\\(2041" runs "${out}")
list(LENGTH runs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "one execution per choice, none from the button itself (${count}):\n${out}")
endif()

korvo_run(bad_camera EXIT 2 ERROR err ARGS --quiet call,log,window INPUT
  "start\nidle\nopen \"${samples}\\Bracket.grb\"\nkernel SetCameraList 1 3 \"Front\"\nquit\n")
korvo_expect("${err}" "SetCameraList: no camera 3 among the 1 given" "a current camera outside the list is a mistake")

# The kernel's reload of the state rebuilds the ribbon: the quality the user chose stays, and so
# does the one the kernel set.
korvo_run(quality_reloaded EXIT 0 OUTPUT out ARGS --quiet log,window,call INPUT
  "start\nidle\ntab 1 \"Tools\"\nexpect menu choose \"Final\"\nclick 1 2042\nkernel SaveState\nkernel LoadState\n\
kernel GetSyspanelValue2042\nkernel ResetCommandBarControls 0\nkernel LoadState\nkernel GetSyspanelValue2042\nquit\n")
korvo_expect("${out}" "kernel LoadState: [^\n]*\nkernel GetSyspanelValue2042: 3\n([^\n]*\n)*kernel LoadState: [^\n]*\nkernel GetSyspanelValue2042: 0\n"
             "each reload keeps the quality chosen")
