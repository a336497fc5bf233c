# Quit by command: a cancelled save prompt keeps everything running; "No" ends the program once,
# keeping the open documents for the next start and the settings no profile item keeps.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(prompt "expect box \"Save changes to C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Bracket.grb?\"")
korvo_run(quit EXIT 0 OUTPUT out INPUT
  "start\nidle\nmodel ReopenDocuments 1\nopen \"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\"\nmodel Modify 1\n${prompt} answer cancel\ncommand 1 1019\ndump frames\n${prompt} answer no\ncommand 1 1019\ndump registry\n")
after("${out}" "box answer IDCANCEL" cancelled)
korvo_expect("${cancelled}" "\ndump frames\n1 0x[0-9a-f]+ \"Bracket.grb - Korvo CAD\" active\n"
             "Cancel at the save prompt leaves the frame open")
string(FIND "${cancelled}" "DestroySession" destroyedAt)
string(FIND "${cancelled}" "box answer IDNO" declinedAt)
after("${out}" "box answer IDNO" declined)
if(destroyedAt LESS declinedAt)
  message(FATAL_ERROR "the session ended before the user declined to save:\n${out}")
endif()
string(REGEX MATCHALL "call GlobalContainer::DestroySession\\(false\\)" destroyed "${out}")
list(LENGTH destroyed count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "the session was destroyed ${count} times:\n${out}")
endif()
korvo_expect("${declined}" "program exit 0\n" "No at the save prompt ends the program")
korvo_expect("${out}" "OpenDocuments\\]\n\"Count\"=dword:00000001\n\"Document0\"=\"C:[^\n]*Bracket.grb\"\n\\["
             "the open document is kept for the next start")
korvo_expect("${out}" "Settings\\]\n\"ToolBarIconSize\"=dword:00000018\n\"RibbonMode\"=dword:00000001\n"
             "the settings no profile item keeps are written")

# The framework's exit id is Quit too; reopening off keeps no documents.
korvo_run(exit_id EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\"\ncommand 1 57665\ndump registry\n")
korvo_expect("${out}" "OpenDocuments\\]\n\"Count\"=dword:00000000\n\\[" "reopening off keeps no documents")
korvo_expect("${out}" "program exit 0" "the exit id ends the program")
