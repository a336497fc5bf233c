# Help the user asks for where the program knows better than the help file, the tutorials'
# download offer, and the start page the user wants at start-up, kept for the next run.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
korvo_seed_host()

# No tutorials installed, but a download address: the offer hands it to the shell on Yes only.
file(READ "${program}/Korvo.ini" ini)
string(REPLACE "TutorDownloadUri=\n" "TutorDownloadUri=https://tutorials.velmora.example/korvo\n" ini "${ini}")
file(WRITE "${program}/Korvo.ini" "${ini}")
korvo_run(tutorial_offer EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log INPUT
  "start\nidle\nexpect box \"*tutorials are not installed*\" answer no\ncommand 1 1206\nexpect box \"*tutorials are not installed*\" answer yes\ncommand 1 1206\nquit\n")
string(REGEX MATCHALL "shell-opened [^\n]*tutorials[^\n]*" opened "${out}")
list(LENGTH opened count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "the download address goes to the shell after Yes only:\n${out}")
endif()
korvo_expect("${out}" "box answer IDNO \\(expected\\)\n(.*\n)?box answer IDYES \\(expected\\)\n(.*\n)?process shell-opened null, \"https://tutorials.velmora.example/korvo\""
  "Yes hands the address to the shell")

# F1 asks the context-help provider first: its id is the context the on-line help opens at.
korvo_run(context_help EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log INPUT
  "start\nidle\nmodel SetContextHelp 4711\ncommand 1 57670\nmodel SetContextHelp 0\ncommand 1 57670\nmodel SetContextHelp -1\nquit\n")
korvo_expect("${out}" "model SetContextHelp: done\n(.*\n)?process shell-opened null, \"https://help.velmora.example/korvo/18/rus/4711\""
  "the provider's id is the help context")
string(REGEX MATCHALL "shell-opened null, \"https://help[^\n]*" helps "${out}")
list(LENGTH helps count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "a provider naming no help leaves the current context (1: nothing shown):\n${out}")
endif()

# "Show the start page at start-up": set in one run, the next run starts with the start page.
korvo_run(start_page_off EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log INPUT "start\nidle\ndump startpage 1\nmodel SetShowStartPage 1\nquit\n")
korvo_expect("${out}" "dump startpage 1\n\\(no start page\\)\n" "the sample starts without the start page")
korvo_run(start_page_on EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log INPUT "start\nidle\ndump startpage 1\nmodel SetShowStartPage 0\nquit\n")
korvo_expect("${out}" "dump startpage 1\nstart-page 0x[0-9a-f]+ tab \"Start Page\"" "the kept setting shows the start page at start-up")
korvo_run(start_page_off_again EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log INPUT "start\nidle\ndump startpage 1\nquit\n")
korvo_expect("${out}" "dump startpage 1\n\\(no start page\\)\n" "switched off again, it stays off")
