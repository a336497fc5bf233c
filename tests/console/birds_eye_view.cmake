# The bird's-eye view: a rubber band zooms the ordered world rectangle and sizes the mode frame,
# a band or a frame without extent zooms nothing, the frame follows the mouse and the keys, the
# kernel's invalidation is ignored in the on-request mode, and both modes survive a restart.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(bracket "C:\\Users\\user\\Documents\\Samples\\Bracket.grb")
set(opened "start\nidle\nopen \"${bracket}\"\ncommand 1 782\npane float 1/1003\nkernel SetBirdsEyeViewView 1\n")

# The floating pane's overview is 300 by 178 pixels over the 420 by 297 sheet.
string(CONCAT script "${opened}"
  "dump birdseye\nmodel ZoomView 1 10 100 110 20\ndump birdseye\n"
  "mouse 1/1003 100,50 down\nmouse 1/1003 150,50 up\ndump birdseye\n"
  "mouse 1/1003 100,50 down\nmouse 1/1003 70,40 move\nmouse 1/1003 40,30 move\nmouse 1/1003 40,30 up\ndump birdseye\n"
  "mouse 1/1003 150,89 dblclick\nmouse 1/1003 40,30 down\nmouse 1/1003 100,50 up\n"
  "mouse 1/1003 100,50 down\nmouse 1/1003 47,30 up\ndump birdseye\nquit\n")
korvo_run(band EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet log)
korvo_expect("${out}" "SetBirdsEyeViewView: done\ndump birdseye\nmode rectangle update 1 half 0x0\nview followed page [0-9]+ sheet shown\nvisible area hidden\n"
             "a view showing the whole paper has no visible-area rectangle")
korvo_expect("${out}" "ZoomView: done\ndump birdseye\n[^\n]*\n[^\n]*\nvisible area \\(10,100\\)-\\(110,20\\)\n"
             "a zoomed view's visible area is marked")
after("${out}" "mouse up on frame 1/1003 at 150,50" rest)
korvo_expect("${rest}" "^[^\n]*\ndump birdseye\nmode rectangle update 1 half 0x0\n[^\n]*\n[^\n]*\nframe hidden\nlast zoom none\n"
             "a band without height zooms nothing")
after("${out}" "mouse up on frame 1/1003 at 40,30" rest)
korvo_expect("${rest}" "call set_next_zoom\\(56, 213.573, 140, 246.944\\)\n" "a band dragged up-left zooms the ordered world rectangle")
korvo_expect("${rest}" "call KVCommand::Run\\(1107|PushAction\\([^\n]*command 1107" "the zoom command runs in the main frame")
korvo_expect("${rest}" "dump birdseye\nmode rectangle update 1 half 30x14\n[^\n]*\n[^\n]*\nframe hidden\nlast zoom \\(56,213.573\\)-\\(140,246.944\\)\n"
             "the band's half sizes, its height widened to the view's proportions, and no band on screen")
after("${out}" "mouse dblclick on frame 1/1003 at 150,89" rest)
korvo_expect("${rest}" "call set_next_zoom\\(" "a double click zooms around the point")
after("${out}" "mouse up on frame 1/1003 at 100,50" rest)
korvo_expect("${rest}" "call set_next_zoom\\(56, 213.573, 140, 246.944\\)\n" "a band dragged down-right zooms the same ordered rectangle")
after("${out}" "mouse up on frame 1/1003 at 47,30" rest)
korvo_expect("${rest}" "dump birdseye\nmode rectangle update 1 half 27x13\n" "an odd band width and widened height round their halves up")

# The frame mode from the context menu: before any band the frame has no extent, so a click
# zooms nothing; Up grows the frame, Down stops at 1; the rectangle mode erases the frame.
string(CONCAT script "${opened}"
  "expect menu choose 2180\nmouse 1/1003 50,50 rclick\nmouse 1/1003 60,60 move\nmouse 1/1003 60,60 click\ndump birdseye\n"
  "press 1/1003 Up\npress 1/1003 Down\ndump birdseye\nmouse 1/1003 80,70 move\ndump birdseye\n"
  "command 1/1003 2181\ndump birdseye\nquit\n")
korvo_run(frame EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet log,call)
korvo_expect("${out}" "menu   2181 \"Rectangle mode\" radio-checked\n" "the menu marks the rectangle mode")
korvo_expect("${out}" "click on frame 1/1003 at 60,60\ndump birdseye\nmode frame update 1 half 0x0 captured\n[^\n]*\n[^\n]*\nframe \\(60,60\\)-\\(60,60\\)\nlast zoom none\n"
             "a frame without extent zooms nothing")
korvo_expect("${out}" "press Down in frame 1/1003\ndump birdseye\nmode frame update 1 half 1x1 captured\n[^\n]*\n[^\n]*\nframe \\(59,59\\)-\\(61,61\\)\n"
             "Up grows the frame, Down leaves a frame of 1")
korvo_expect("${out}" "at 80,70\ndump birdseye\n[^\n]*\n[^\n]*\n[^\n]*\nframe \\(79,69\\)-\\(81,71\\)\n" "the frame follows the mouse")
korvo_expect("${out}" "2181 to frame 1/1003\ndump birdseye\nmode rectangle update 1 half 1x1\n[^\n]*\n[^\n]*\nframe hidden\n"
             "the rectangle mode erases the captured frame and lets the mouse go")

# The kernel's invalidation repaints; on request it leaves the overview, the pane's redraw paints it;
# a model waiting for regeneration is not drawn but asked to repaint later.
string(CONCAT script "${opened}" "kernel InvalidateBirdsEyeView\n"
  "expect dialog 1345 answer click 1102 ok\ncommand 1/1003 2178\nkernel InvalidateBirdsEyeView\ncommand 1/1003 2182\n"
  "model SetRegenerationNeeded 1 1\ncommand 1/1003 2182\nquit\n")
korvo_run(update EXIT 0 OUTPUT out INPUT "${script}" ARGS --quiet log)
korvo_expect("${out}" "SetBirdsEyeViewView: done\n(call [^\n]*\n|window [^\n]*\n)*call STATUS::PrepareGC[^\n]*\n(call [^\n]*\n|window [^\n]*\n)*kernel InvalidateBirdsEyeView: done\n"
             "in the default mode the kernel's invalidation repaints")
after("${out}" "dialog ended 1" rest)
korvo_expect("${rest}" "kernel InvalidateBirdsEyeView: done\nuser command 2182 to frame 1/1003\ncall STATUS::PrepareGC[^\n]*\n(call [^\n]*\n)*call KVDocument::redraw_struct"
             "invalidation is ignored, the redraw command paints")
string(FIND "${rest}" "kernel InvalidateBirdsEyeView: done" invalidated)
string(SUBSTRING "${rest}" 0 ${invalidated} before_invalidated)
if(before_invalidated MATCHES "PrepareGC|redraw_struct")
  message(FATAL_ERROR "the kernel's invalidation repainted an overview that updates on request:\n${rest}")
endif()
after("${out}" "SetRegenerationNeeded: done" rest)
korvo_expect("${rest}" "call CKvw32Doc::RepaintNeeded\\(\"Bracket.grb\"\\)\n" "a model to regenerate asks for a later repaint")
if(rest MATCHES "redraw_struct")
  message(FATAL_ERROR "a model to regenerate was drawn:\n${rest}")
endif()

# Both modes are kept in the pane layout and come back in the next run.
file(REMOVE_RECURSE ${WORK_DIR}/host)
korvo_run(first EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet log,call
          INPUT "start\nidle\nexpect dialog 1345 answer click 1103 click 1100 ok\ncommand 1/1003 2178\nquit\n")
korvo_run(second EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet log,call INPUT "start\nidle\ndump birdseye\nquit\n")
korvo_expect("${out}" "dump birdseye\nmode frame update 0 half 0x0\n" "the frame and update modes survive a restart")

# The kernel's view work names what is missing instead of acting on nothing.
korvo_run(no_view EXIT 2 ERROR err INPUT "start\nidle\nmodel ZoomView 1 0 10 10 0\nquit\n")
korvo_expect("${err}" "<stdin>:3: ZoomView: the main frame has no active view" "a frame without a view is refused")
korvo_run(no_document EXIT 2 ERROR err INPUT "start\nidle\nmodel SetRegenerationNeeded 0 1\nquit\n")
korvo_expect("${err}" "<stdin>:3: SetRegenerationNeeded: no document" "no document is refused")

# The same view on the same page again changes nothing: no repaint, no visible-area redraw.
korvo_run(same_view EXIT 0 OUTPUT out ARGS --quiet log INPUT "${opened}kernel SetBirdsEyeViewView 1\nquit\n")
korvo_expect("${out}" "kernel SetBirdsEyeViewView: done\n" "the first call")
string(REGEX MATCH "kernel SetBirdsEyeViewView: done\n(.*)kernel SetBirdsEyeViewView: done\n" pair "${out}")
korvo_expect("${pair}" "." "both calls answered")
if(CMAKE_MATCH_1 MATCHES "PrepareGC|LineTo")
  message(FATAL_ERROR "the same view and page repainted:\n${CMAKE_MATCH_1}")
endif()
