# The splash while the program starts, as the transcript shows it: centred in the work area, out
# of the way while the user reads a start-up box, on a wide monitor the wide banner; and the
# About box with its owner, version block and web link.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(splash "\"Korvo CAD is starting\"")

# A host whose optional 3D module has another version: start-up shows a box about it.
korvo_seed_host()
file(WRITE "${program}/KV3DSE.dll" "version=18.0.20.0\n")

korvo_run(steps_aside EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log
          INPUT "expect box \"*KV3DSE.dll*18.0.20.0*\" answer ok after 300\nstart\nidle\nquit\n")
korvo_expect("${out}" "window created 0x[0-9a-f]+ \"[^\"]*\" ${splash}\n" "the splash has a window of its own")
string(REGEX MATCH "window created (0x[0-9a-f]+) \"[^\"]*\" ${splash}" created "${out}")
set(handle ${CMAKE_MATCH_1})
korvo_expect("${out}" "window moved ${handle} \"[^\"]*\" ${splash} from \\(360,160\\)-\\(1560,880\\) to \\(-10000,-10000\\)-\\(-10000,-10000\\)\n"
             "the wide banner centred in the 1920 x 1040 work area steps aside while the box is read")
korvo_expect("${out}" "box [^\n]*KV3DSE.dll" "the box was shown")
korvo_expect("${out}" "window destroyed ${handle} " "the splash ends with the start-up")

# A kernel that takes time to start keeps the splash up after the box: with no other window of
# the program left, it comes back to where it was. The dumps show it centred as the box appears
# and out of the way once the box has been read.
file(WRITE "${host}/C/Program Files/Velmora/Korvo CAD 18.0/KorvoKernel.dll" "version=18.0.21.0\nload_ms=400\n")
korvo_run(and_back EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log
          INPUT "expect box \"*KV3DSE.dll*18.0.20.0*\" answer ok after 300 dump windows\nstart\nidle\nquit\n")
korvo_expect("${out}" "dump windows \\(box shown\\)\n[^\n]*\"#32770\"[^\n]*\n(  [^\n]*\n)*[^\n]*${splash} visible enabled \\(360,160\\)-\\(1560,880\\)"
             "the splash is centred in the work area while the box first shows")
korvo_expect("${out}" "dump windows \\(box read\\)\n[^\n]*\"#32770\"[^\n]*\n(  [^\n]*\n)*[^\n]*${splash} visible enabled \\(-10000,-10000\\)-\\(-10000,-10000\\)"
             "the splash is out of the way while the box is read")
korvo_expect("${out}" "box answer IDOK[^\n]*\nwindow destroyed [^\n]*\nwindow moved ${handle} [^\n]*${splash} from \\(-10000,-10000\\)-\\(-10000,-10000\\) to \\(360,160\\)-\\(1560,880\\)\n"
             "the splash comes back once the box is gone and the kernel is still starting")
korvo_expect("${out}" "window moved ${handle} [^\n]*to \\(360,160\\)[^\n]*\n(.*\n)?window destroyed ${handle} " "and ends with the start-up")
file(WRITE "${host}/C/Program Files/Velmora/Korvo CAD 18.0/KorvoKernel.dll" "version=18.0.21.0\n")

# The answer waits only when asked to: without "after" the splash never sees the box.
korvo_run(answered_at_once EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log
          INPUT "expect box \"*KV3DSE.dll*18.0.20.0*\" answer ok\nstart\nidle\nquit\n")
if(out MATCHES "window moved [^\n]*${splash}")
  message(FATAL_ERROR "a box answered at once moved the splash:\n${out}")
endif()

# A monitor under 1800 pixels wide gets the standard banner; a 3840-pixel one the wide banner,
# each centred in its work area.
korvo_run(narrow EXIT 0 OUTPUT out ARGS --host ${host} --monitor 1600x900 --quiet call,log
          INPUT "expect box \"*KV3DSE.dll*18.0.20.0*\" answer ok after 300\nstart\nidle\nquit\n")
korvo_expect("${out}" "${splash} from \\(500,250\\)-\\(1100,610\\) to \\(-10000,-10000\\)" "the standard banner is 600 x 360")
korvo_run(wide EXIT 0 OUTPUT out ARGS --host ${host} --monitor 3840x2160 --quiet call,log
          INPUT "expect box \"*KV3DSE.dll*18.0.20.0*\" answer ok after 300\nstart\nidle\nquit\n")
korvo_expect("${out}" "${splash} from \\(1320,700\\)-\\(2520,1420\\) to \\(-10000,-10000\\)" "the wide banner is 1200 x 720")

korvo_run(bad_monitor EXIT 2 ERROR err ARGS --monitor 3840by2160 INPUT "")
korvo_expect("${err}" "korvo: --monitor: \"3840by2160\" is not WIDTHxHEIGHT" "a size that is not WIDTHxHEIGHT is refused")
korvo_run(tiny_monitor EXIT 2 ERROR err ARGS --monitor 10x10 INPUT "")
korvo_expect("${err}" "--monitor: \"10x10\" is not WIDTHxHEIGHT \\(each from 320 to 16384\\)" "a size out of range is refused")

# The About box: its link and its OK as a user clicks them.
korvo_run(about EXIT 0 OUTPUT out ARGS --quiet log,window
          INPUT "start\nidle\nexpect dialog 183 answer click 5555 ok\ncommand 1 57664\nquit\n")
korvo_expect("${out}" "dialog 183 [^\n]*\ndialog click 5555\n" "the About box opens and its web link is clicked")
korvo_expect("${out}" "process shell-opened [^\n]*http://korvo.velmora.example" "the web link opens the product's site")
