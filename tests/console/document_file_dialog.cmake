# The kernel's document file dialog from the console: with a document open, saving offers the
# naming button, whose dialog the user answers before the name is taken; opening offers none.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

string(CONCAT script
  "start\nidle\n"
  "open \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Bracket.grb\"\n"
  "expect file click 10000 accept\n"
  "expect dialog \"AutoNamer\" answer text 100 \"Bracket plate\" ok\n"
  "kernel CreateDocumentFileDialog 0 \"C:\\\\Work\\\\Bracket.grb\" \"C:\\\\Work\"\n"
  "expect file cancel\n"
  "kernel CreateDocumentFileDialog 1 \"\" \"C:\\\\Work\"\n"
  "quit\n")
korvo_run(naming EXIT 0 OUTPUT out INPUT "${script}")
korvo_expect("${out}" "file save \"\" [^\n]* button 10000 \"Naming rules...\"\nfile click 10000\n([^\n]*\n)*file choose \"Bracket plate\"\n"
             "the naming button is clicked and the name the user gave is taken")
korvo_expect("${out}" "kernel CreateDocumentFileDialog: \"C:\\\\Work\\\\Bracket plate\"\n" "the name is taken in the dialog's folder")
korvo_expect("${out}" "file open \"\" [^\n]* name \"\" thread [0-9]+\nfile cancel\nkernel CreateDocumentFileDialog: cancelled\n"
             "opening offers no naming button")

# A button the dialog does not have fails a strict run.
korvo_run(no_button EXIT 1 OUTPUT out ERROR err
          INPUT "start\nidle\nexpect file click 10000 accept\nkernel CreateDocumentFileDialog 0 \"a.grb\" \"C:\\\\Work\"\nquit\n")
korvo_expect("${out}${err}" "the file dialog has no button 10000" "a missing button is named")
