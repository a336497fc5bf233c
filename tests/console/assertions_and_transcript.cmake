# A script checks what it sees: assert fails the run exactly when no line the verb before it
# printed matches (assert not, when one does). The transcript is the same byte for byte in two
# runs, reads as the user's actions, and leaves out the kinds --quiet names; long or hostile
# input quoted in a refusal or error is cut and escaped.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# Assertions look at the verb before them; several in a row at the same one. A script names the
# first frame by its number and matches any handle: how windows are numbered is the platform's.
set(checks "start\nassert \"log 2 Initialized in *\"\nassert not \"failure *\"\nidle\nassert not \"*Initialized*\"\n")
korvo_run(holding EXIT 0 ERROR err INPUT "${checks}dump frames\nassert \"1 0x???????? \\\"Korvo CAD\\\" active\"\nquit\n")
korvo_run(missing EXIT 1 ERROR err INPUT "${checks}dump frames\nassert \"2 *\"\nquit\n")
korvo_expect("${err}" "korvo: failed: <stdin>:7: assert \"2 \\*\": nothing line 6 \\(dump frames\\) printed matches\n"
             "an assertion that fails names itself, its line and the step it looked at")
korvo_run(present EXIT 1 ERROR err INPUT "start\nidle\nnew-frame\nassert not \"window created*\"\n")
korvo_expect("${err}" "<stdin>:4: assert not \"window created\\*\": line 3 \\(new-frame\\) printed: window created 0x"
             "an assertion not that fails quotes the line")
korvo_run(first_line EXIT 1 ERROR err INPUT "assert \"*\"\n")
korvo_expect("${err}" "<stdin>:1: assert \"\\*\": no verb ran before it" "an assertion before any verb")
korvo_run(lenient EXIT 1 OUTPUT out INPUT "start\nassert \"nothing like this\"\nidle\ndump frames\n" ARGS --lenient)
korvo_frame_handle("${out}" first)
korvo_expect("${out}" "\ndump frames\n1 ${first} " "a lenient run goes on after a failed assertion")

# A script run checks itself: a refusal (a misspelt caption) fails it as a failed assertion does,
# stopping it there and naming the refusal and its line; --lenient lets it go on, and so does
# standard input, where the operator reads the refusal as it comes.
set(misspelt "start\nidle\nclick 1 \"Opne\"\ndump frames\nquit\n")
file(WRITE ${WORK_DIR}/misspelt.korvo "${misspelt}")
korvo_run(refused EXIT 1 OUTPUT out ERROR err ARGS --script ${WORK_DIR}/misspelt.korvo)
korvo_expect("${out}" "\nclick: no visible control is captioned \"Opne\" in frame 1\n" "the refusal in the transcript")
korvo_expect("${err}" "korvo: [^\n]*misspelt.korvo:3: stopping after a failure\n.*korvo: failed: [^\n]*misspelt.korvo:3: click: no visible control is captioned \"Opne\" in frame 1\n"
             "the run stops at the refusal, which standard error names with its line")
if(out MATCHES "\ndump frames\n")
  message(FATAL_ERROR "a refused step does not stop the script run:\n${out}")
endif()
korvo_run(refused_lenient EXIT 0 OUTPUT out ERROR err ARGS --lenient --script ${WORK_DIR}/misspelt.korvo)
korvo_expect("${out}" "\nclick: no visible control is captioned \"Opne\" in frame 1\n(.*\n)?dump frames\n1 " "--lenient goes on after it")
korvo_run(refused_piped EXIT 0 OUTPUT out INPUT "${misspelt}")
korvo_expect("${out}" "\nclick: no visible control is captioned \"Opne\" in frame 1\n(.*\n)?dump frames\n1 " "standard input goes on after it")
# Refusals of other verbs fail it too; one that quotes hostile input is escaped on standard error.
string(ASCII 1 control)
file(WRITE ${WORK_DIR}/tab.korvo "start\nidle\ndoc-tab 1 \"a${control}b\" click\nquit\n")
korvo_run(refused_tab EXIT 1 ERROR err ARGS --script ${WORK_DIR}/tab.korvo)
korvo_expect("${err}" "korvo: failed: [^\n]*tab.korvo:3: doc-tab: main frame 1 shows no document tab \"a\\\\x01b\"\n" "a doc-tab refusal, escaped")
# Every verb that names a control or a tab by caption refuses a caption nothing shows, as click
# does: a failure of a script run that names its line, and no mistake; --lenient goes on.
foreach(line "tab 1 \"Veiw\"" "command 1 \"Opne\"" "hover 1 \"Opne\"" "backstage 1 \"Nowhere\"")
  string(REGEX MATCH "^[a-z]+" verb "${line}")
  file(WRITE ${WORK_DIR}/caption.korvo "start\nidle\n${line}\ndump frames\nquit\n")
  korvo_run(caption_${verb} EXIT 1 OUTPUT out ERROR err ARGS --script ${WORK_DIR}/caption.korvo)
  korvo_expect("${err}" "korvo: failed: [^\n]*caption.korvo:3: ${verb}: " "a ${verb} caption nothing shows is a refusal")
  korvo_run(caption_${verb}_lenient EXIT 0 OUTPUT out ARGS --lenient --script ${WORK_DIR}/caption.korvo)
  korvo_expect("${out}" "\n${verb}: [^\n]+\n(.*\n)?dump frames\n1 " "--lenient goes on after the ${verb} refusal")
endforeach()

# A dialog nobody expected is cancelled: it fails a strict run, naming the line that opened it,
# and a --lenient one goes on.
file(WRITE ${WORK_DIR}/dialog.korvo
  "documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\nstart\nidle\nclick 1 \"Open library\"\ndump frames\nquit\n")
korvo_run(unexpected_dialog EXIT 1 OUTPUT out ERROR err ARGS --script ${WORK_DIR}/dialog.korvo)
korvo_expect("${err}" "korvo: failed: [^\n]*dialog.korvo:4: unexpected dialog 202 " "the unexpected dialog's failure names its line")
korvo_run(unexpected_dialog_lenient EXIT 0 OUTPUT out ARGS --lenient --script ${WORK_DIR}/dialog.korvo)
korvo_expect("${out}" "\ndialog cancel \\(unexpected\\)\n" "--lenient cancels it")
korvo_expect("${out}" "\ndump frames\n1 " "and goes on")

# Two runs print the same bytes: the log's heap address becomes a label.
set(script "start\nidle\nnew-frame\nopen \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Gear.png\"\ndump windows\ndump frames\nquit\n")
korvo_run(first EXIT 0 OUTPUT one INPUT "${script}")
korvo_run(second EXIT 0 OUTPUT two INPUT "${script}")
if(NOT one STREQUAL two)
  message(FATAL_ERROR "two runs of one script printed different transcripts:\n${one}\n----\n${two}")
endif()
korvo_expect("${one}" "\nlog 2 Constructed main window @ 0xA000000000000001\\.\\.\\.\n.*\nlog 2 Constructed main window @ 0xA000000000000002\\.\\.\\.\n"
             "each frame's address as its own label")

# The user's actions in the script's words; every dump under its verb's line.
korvo_run(words EXIT 0 OUTPUT out INPUT
  "start\nidle\nkernel EnableSyspanelControl 907 1\nkey 1 907 Ctrl+A\nopen \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Gear.png\"\ncommand 1 1098\ncommand 1 1098\ncommand 1 1098\ncommand 1 1098\ncommand 1 1098\nscroll 1 horizontal right\ncommand 1/1022 0xE100\ndump   status 1   # the status line\nquit\n")
korvo_expect("${out}" "\nuser key Ctrl\\+A in 907 on frame 1\n" "a key by its name")
korvo_expect("${out}" "\nuser scroll horizontal right in 0x[0-9a-f]+\n" "a scroll action by the script's name")
korvo_expect("${out}" "\nuser command 57600 to frame 1/1022\n" "a pane's window by frame and pane")
korvo_expect("${out}" "\nuser close frame 1\n" "quit closes frame 1")
korvo_expect("${out}" "\ndump   status 1\npane 0 id 0 " "a dump under its verb's line as written")

# --quiet leaves kinds out; a kind it does not know is a bad option: its line and a pointer.
korvo_run(quiet EXIT 0 OUTPUT out ARGS --quiet call,log INPUT "start\nidle\nquit\n")
if(out MATCHES "(^|\n)(call|log) ")
  message(FATAL_ERROR "--quiet call,log printed such lines:\n${out}")
endif()
korvo_expect("${out}" "^window created 0x[0-9a-f]+ \"[^\"]*\" \"Korvo CAD is starting\"\n.*window created 0x[0-9a-f]+ \"AfxMDIFrame\" .*\nprogram exit 0\n$"
             "the other kinds stay")
foreach(bad "--quiet;call,logs" "--frobnicate" "--host")
  korvo_run(bad_option EXIT 2 OUTPUT out ERROR err ARGS ${bad})
  korvo_expect("${err}" "^korvo: [^\n]+\nkorvo: korvo --help lists the options and verbs\n$" "a bad option (${bad}): two lines")
endforeach()
string(ASCII 27 esc)
korvo_run(bad_kind EXIT 2 ERROR err ARGS --quiet "call,${esc}[2J")
korvo_expect("${err}" "unknown kind \"\\\\x1b\\[2J\" \\(log, call, " "an unknown kind, escaped, with the known ones")

# Input quoted in a refusal or an error is cut after 80 bytes and escaped.
string(REPEAT "x" 200 long)
korvo_run(long_tab EXIT 0 OUTPUT out INPUT "start\nidle\ntab 1 \"${esc}[31m${long}\"\n")
korvo_expect("${out}" "\ntab: the ribbon has no tab \"\\\\x1b\\[31mx+\\.\\.\\.\" \\(205 bytes\\)\n" "a tab refusal")
korvo_run(long_kernel EXIT 2 ERROR err INPUT "start\nidle\nkernel Frob${long}\n")
korvo_expect("${err}" "unknown callback operation \"Frobx+\\.\\.\\.\" \\(204 bytes\\)\n" "a kernel error")
korvo_run(long_row EXIT 0 OUTPUT out INPUT "start\nidle\ndocuments-pane select \"${long}\"\n")
korvo_expect("${out}" "\ndocuments-pane: no row \"x+\\.\\.\\.\" \\(200 bytes\\) is shown\n" "a refusal in the transcript")
korvo_run(long_box EXIT 1 ERROR err INPUT "expect box \"${long}\" answer ok\n")
foreach(text "${err}")
  string(LENGTH "${text}" length)
  if(length GREATER 400 OR NOT text MATCHES "\\(200 bytes\\)")
    message(FATAL_ERROR "an unused expectation quoted its whole pattern:\n${text}")
  endif()
endforeach()

# KORVO_KEEP_HOST=1 keeps the temporary host and says where; another value does not keep it.
foreach(value 1 yes)
  file(REMOVE_RECURSE ${WORK_DIR}/tmp-${value})
  file(MAKE_DIRECTORY ${WORK_DIR}/tmp-${value})
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${WORK_DIR}/tmp-${value} KORVO_KEEP_HOST=${value} ${KORVO}
                  INPUT_FILE /dev/null TIMEOUT 60 RESULT_VARIABLE code ERROR_VARIABLE err)
  file(GLOB left ${WORK_DIR}/tmp-${value}/*)
  if(value STREQUAL "1")
    if(NOT code EQUAL 0 OR NOT left OR NOT err MATCHES "korvo: the temporary host folder is kept \\(KORVO_KEEP_HOST=1\\): ${left}\n$")
      message(FATAL_ERROR "KORVO_KEEP_HOST=1: exit ${code}, left ${left}\n${err}")
    endif()
  elseif(left OR err MATCHES "kept")
    message(FATAL_ERROR "KORVO_KEEP_HOST=${value} kept the host: ${left}\n${err}")
  endif()
endforeach()

# At a terminal a verb that cannot run is reported and the session goes on (exit 2 at its end);
# piped in, it ends the run.
find_program(SCRIPT_TOOL script)
if(SCRIPT_TOOL)
  file(WRITE ${WORK_DIR}/typed "start\nidle\ncommand 9 1001\ntab 1 \"Nope\"\ndump frames\nquit\n")
  execute_process(COMMAND ${SCRIPT_TOOL} -qec "${KORVO}" /dev/null INPUT_FILE ${WORK_DIR}/typed TIMEOUT 60
                  RESULT_VARIABLE code OUTPUT_VARIABLE out)
  korvo_expect("${out}" "command: there is no main frame 9" "the mistake reported at the terminal")
  korvo_expect("${out}" "tab: the ribbon has no tab \"Nope\"" "a refused tab reported at the terminal")
  korvo_frame_handle("${out}" first)
  korvo_expect("${out}" "\ndump frames\r?\n1 ${first} \"Korvo CAD\" active" "the session went on")
  if(NOT code EQUAL 2)
    message(FATAL_ERROR "a terminal session with mistakes: exit ${code}, expected 2\n${out}")
  endif()
endif()
korvo_run(piped EXIT 2 OUTPUT out INPUT "start\nidle\ncommand 9 1001\ndump frames\n")
if(out MATCHES "dump frames")
  message(FATAL_ERROR "piped in, the run went on after a mistake:\n${out}")
endif()
