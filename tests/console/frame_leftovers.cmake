# The ribbon's contextual tabs follow the window a user activates: with two drawings open, the
# one whose view the kernel made a 3D model's shows the 3D tab, the other hides it again.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(sample "C:\\\\Users\\\\user\\\\Documents\\\\Samples")
set(model_tab "tab 3 \"3D model\"")
set(model_guid "{7EB4FAE1-C764-4869-906D-97BF25A7BC14}")
korvo_run(contextual EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"${sample}\\\\Bracket.grb\"\nopen \"${sample}\\\\Cover plate.grb\"\nmodel ViewType 1 ${model_guid}\nactivate \"${sample}\\\\Bracket.grb\"\ndump ribbon 1\nactivate \"${sample}\\\\Cover plate.grb\"\ndump ribbon 1\nquit\n")
after("${out}" "user activate" model_window)
after("${model_window}" "\ndump ribbon 1\n" model_dump)
after("${model_window}" "Cover plate.grb" drawing_window)
korvo_expect("${model_dump}" "^\ndump ribbon 1\nribbon [^\n]*\n(  [^\n]*\n|tab [^\n]*\n)*${model_tab} selected contextual ${model_guid}\n"
             "the 3D model's window shows its tab")
after("${drawing_window}" "\ndump ribbon 1\n" drawing_dump)
korvo_expect("${drawing_dump}" "\n${model_tab} hidden contextual ${model_guid}\n" "the drawing's window hides it again")

korvo_run(bad_type EXIT 2 ERROR err INPUT "start\nidle\nopen \"${sample}\\\\Bracket.grb\"\nmodel ViewType 1 3D\n")
korvo_expect("${err}" "ViewType: 3D is no \\{GUID\\}" "a type that is no GUID is refused")
