# Nothing the program is told reaches outside its host folder: a network path whose server and
# share are ".." climbing out, given through DDE or on the command line, and symbolic links that
# were put inside the host folder pointing out (to a document, to a folder, as the log file).
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
set(host ${WORK_DIR}/host)
set(beside ${WORK_DIR}/outside)
set(user ${host}/C/Users/user)
file(WRITE ${beside}/x.grb "outside")
file(WRITE ${beside}/victim.log "victim")
file(WRITE ${beside}/x.grb.err "crash copy")
file(WRITE ${beside}/linked.grb.err "crash copy")
# Below "UNC" the host path "UNC/../../outside" would lead out.
file(MAKE_DIRECTORY ${host}/UNC)
file(MAKE_DIRECTORY ${user}/AppData/Local/Velmora/Logs)
file(CREATE_LINK ${beside}/x.grb ${user}/linked.grb SYMBOLIC)
file(CREATE_LINK ${beside}/linked.grb.err ${user}/linked.grb.err SYMBOLIC)
# Crash copies recorded for restoring at start-up (a restored crash copy is deleted): one through
# the climbing network path, one through the link.
file(WRITE ${host}/registry/HKEY_CURRENT_USER.reg [[
[Software\Velmora\Korvo CAD 18.0\ErrorRestore]
"DocsCount"=dword:00000002
"0"="\\\\..\\..\\outside\\x.grb.err"
"1"="C:\\Users\\user\\linked.grb.err"
]])
file(CREATE_LINK ${beside} ${user}/Out SYMBOLIC)
file(CREATE_LINK ${beside}/victim.log ${user}/AppData/Local/Velmora/Logs/Korvo.log SYMBOLIC)

file(WRITE ${WORK_DIR}/open.korvo [[
start
idle
dde "[open(\"\\\\..\\..\\outside\\x.grb\")]"
dde "[open(\"C:\\Users\\user\\linked.grb\")]"
dde "[open(\"C:\\Users\\user\\Out\\x.grb\")]"
dde "[open(\"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\")]"
quit
]])
korvo_run(open EXIT 0 OUTPUT out ARGS --host ${host} --lenient --script ${WORK_DIR}/open.korvo)
korvo_expect("${out}" "ReadDocumentFileInfo\\(\"\\\\\\\\\\.\\.\\\\\\.\\.\\\\outside\\\\x\\.grb\"\\)"
             "the DDE open was not tried")
korvo_expect("${out}" "OpenDocumentFile\\(\"C:\\\\Users\\\\user\\\\linked\\.grb\\.err\", true\\)"
             "the crash copy was not restored")
# The document inside opens; none of those leading out does.
korvo_expect("${out}" "UpdateFrameCounts\\(\"Bracket.grb\"\\)" "the document inside the host folder did not open")
if(out MATCHES "UpdateFrameCounts\\(\"(x|linked)\\.grb\"\\)")
  message(FATAL_ERROR "a document outside the host folder was opened:\n${out}")
endif()

# On the command line, the document cannot be opened, so the start-up fails (as for any document
# that is not there).
korvo_run(command_line EXIT 1 OUTPUT out ERROR err INPUT "start\n"
          ARGS --host ${host} --lenient -- "\\\\..\\..\\outside\\x.grb")
korvo_expect("${out}" "ReadDocumentFileInfo\\(\"\\\\\\\\\\.\\.\\\\\\.\\.\\\\outside" "the command-line open was not tried")
if(out MATCHES "UpdateFrameCounts\\(\"x\\.grb\"\\)")
  message(FATAL_ERROR "the document outside the host folder was opened from the command line:\n${out}")
endif()

file(GLOB left RELATIVE ${beside} ${beside}/*)
list(SORT left)
if(NOT left STREQUAL "linked.grb.err;victim.log;x.grb;x.grb.err")
  message(FATAL_ERROR "files appeared or went outside the host folder: ${left}")
endif()
file(READ ${beside}/x.grb document)
file(READ ${beside}/victim.log victim)
if(NOT document STREQUAL "outside" OR NOT victim STREQUAL "victim")
  message(FATAL_ERROR "a file outside the host folder was written: \"${document}\", \"${victim}\"")
endif()
