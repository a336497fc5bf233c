# dump tabs: a frame without documents shows no tabs; a frame that is not open is a mistake
# naming the verb.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(no_documents EXIT 0 OUTPUT out INPUT "start\nidle\ndump tabs 1\nquit\n")
korvo_expect("${out}" "\n\\(no document tabs\\)\n" "a frame without documents")

korvo_run(no_frame EXIT 2 ERROR err INPUT "start\nidle\ndump tabs 2\n")
korvo_expect("${err}" "<stdin>:3: dump tabs: there is no main frame 2 \\(1 open\\)" "a frame that is not open")
