# The frame over its views, as a user meets it on the sample: the frameless tool bars stand at
# the active drawing view's corner, leave while another main frame is the active one and come
# back with their frame; resting the mouse on a bar's control tells the active view; Shift+F1
# (57669) makes the next command show its help instead of running, and Esc leaves that mode.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(samples "C:\\Users\\user\\Documents\\Samples")

set(filters "frameless 1 selection-filter")
korvo_run(frameless EXIT 0 OUTPUT out ARGS --quiet window,log INPUT
  "start\nidle\ndump modes 1\nopen \"${samples}\\Cover plate.grb\"\ndump modes 1\nhover 1 1098\nnew-frame\ndump modes 1\nactivate 1\ndump modes 1\nquit\n")
step("${out}" "dump modes 1" none)
korvo_expect("${none}" "${filters} hidden free " "no view, no bar over it")
after("${out}" "file choose" opened)
step("${opened}" "dump modes 1" shown)
korvo_expect("${shown}" "${filters} visible free [^\n]* at 2,2\n" "the selection-filter bar stands at the drawing view's corner")
korvo_expect("${shown}" "frameless 3 view hidden locked " "the kernel's position keeps the view bar hidden")
korvo_expect("${opened}" "user hover 1098 on frame 1\ncall CXTPCommandBar::SetSelected\\(\"View\", 1098\\)\ncall CKVView::OnCommandControlSelected\\(1098\\)\n"
             "the control the mouse rests on reaches the active view")
# The dump after the hover is the one after the new frame.
after("${opened}" "user hover" second)
step("${second}" "dump modes 1" away)
korvo_expect("${away}" "${filters} hidden free [^\n]*section 3 hidden\n" "another active main frame takes the bars away")
after("${second}" "user activate frame 1" again)
step("${again}" "dump modes 1" back)
korvo_expect("${back}" "${filters} visible free [^\n]* at 2,2\n" "the bars come back with their frame")

korvo_run(context_help EXIT 0 OUTPUT out ARGS --quiet window,log INPUT
  "start\nidle\nopen \"${samples}\\Cover plate.grb\"\ncommand 1 57669\ndump modes 1\ncommand 1 1098\ndump modes 1\ncommand 1 57669\npress 1 Esc\ndump modes 1\nquit\n")
step("${out}" "dump modes 1" entered)
korvo_expect("${entered}" "\ncontext-help on\n" "Shift+F1's command enters help mode")
step("${out}" "user command 1098" asked)
korvo_expect("${asked}" "ShellExecuteW\\(null, \"[^\"]*/109800\"" "the command's help topic opens")
if(asked MATCHES "KVCommand::Run")
  message(FATAL_ERROR "the command ran in help mode:\n${asked}")
endif()
after("${out}" "user command 1098" later)
step("${later}" "dump modes 1" after_help)
if(after_help MATCHES "context-help on")
  message(FATAL_ERROR "help mode outlived its command:\n${after_help}")
endif()
after("${later}" "user press Esc" left)
step("${left}" "dump modes 1" after_esc)
if(after_esc MATCHES "context-help on")
  message(FATAL_ERROR "Esc left help mode on:\n${after_esc}")
endif()
