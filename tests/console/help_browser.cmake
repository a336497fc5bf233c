# The help browser as a user meets it: links of the start page and help pages, the help window
# beside the main window and its close button, and tutorial tabs.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(host ${WORK_DIR}/host)

# The tutorials package: its folder in the machine registry and two pages.
file(WRITE ${host}/registry/HKEY_LOCAL_MACHINE.reg
     "; registry hive HKEY_LOCAL_MACHINE\n[SOFTWARE\\WOW6432Node\\Velmora\\Korvo Tutorials 18\\Rus]\n\"SetupDirectory\"=\"C:\\\\Tutorials\\\\\"\n")
file(WRITE "${host}/C/Tutorials/index.htm" "<html><head><title>Start here</title></head></html>")
file(WRITE "${host}/C/Tutorials/next.htm" "<html><head><title>Next step</title></head></html>")

# run_help(name out_var [LENIENT] script...): LENIENT for a script whose refusal is the point.
function(run_help name out_var)
  cmake_parse_arguments(PARSE_ARGV 2 help "LENIENT" "" "")
  string(JOIN "" script ${help_UNPARSED_ARGUMENTS})
  set(lenient)
  if(help_LENIENT)
    set(lenient --lenient)
  endif()
  file(WRITE ${WORK_DIR}/${name}.korvo "${script}")
  korvo_run(${name} EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log ${lenient} --script ${WORK_DIR}/${name}.korvo)
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()

# The help window takes the main window's right quarter; its links navigate, or run a verb and
# stay; closing it gives the main window its placement back. A second close is refused.
run_help(help_window out LENIENT
  "start\nidle\ndump help 1\nlink \"?kvcommand=tutorhtm:index.htm\"\ndump help 1\n"
  "link 1 \"C:\\Tutorials\\next.htm\"\nlink 1 \"?kvcommand=shell:..\\x.exe\"\nlink 1 \"C:\\Tutorials\\missing.htm\"\n"
  "dump help 1\nclose 1 help\ndump help 1\nclose 1 help\nquit\n")
korvo_expect("${out}" "dump help 1\n\\(no help window\\)\n" "no help window before a link opens one")
korvo_expect("${out}" "link: handled\ndump help 1\nhelp window 0x[0-9a-f]+ \"Start here\" attached visible\n  url \"C:\\\\Tutorials\\\\index.htm\"\n  title \"Start here\"\n  history 1/1\n  rect \\(1433,15\\)-\\(1905,1025\\)\n  main-rect \\(15,15\\)-\\(1433,1025\\)\n  saved-placement show 1 \\(15,15\\)-\\(1905,1025\\)\n  tool-bar 32771\\+ \\| 32772 32773\n"
  "the help window takes the right quarter, attached")
korvo_expect("${out}" "\"Next step\" attached visible\n  url \"C:\\\\Tutorials\\\\next.htm\"\n  title \"Next step\"\n  history 2/2\n"
  "a followed link navigates; a refused shell link and a missing page leave it")
korvo_expect("${out}" "user close 0x[0-9a-f]+\n[^\n]*\n[^\n]*\ndump help 1\n\\(no help window\\)\n" "the close button closes it")
korvo_expect("${out}" "close: frame 1 has no help window" "a second close is refused")
if(out MATCHES "process ")
  message(FATAL_ERROR "a help link started a program:\n${out}")
endif()

# "contents" alone closes the help window; with a page it opens a tutorial tab, reused after.
run_help(tutorials out
  "start\nidle\nlink \"?kvcommand=tutorhtm:index.htm\"\nlink \"?KVCOMMAND=CONTENTS:index.htm\"\n"
  "link \"?kvcommand=contents:next.htm\"\ndump help 1\ndump documents\nquit\n")
korvo_frame_handle("${out}" main)
korvo_expect("${out}" "dump help 1\n\\(no help window\\)\ntutorial \"[^\"]+\"\n  view \"C:\\\\Tutorials\\\\next.htm\" frame 0x[0-9a-f]+ main ${main}\ndump documents"
  "one tutorial tab shows the last page")

# Web links go to the shell; a link without a verb is left to the browser.
run_help(web out "start\nidle\nlink \"HTTP://example.com/x\"\nlink \"?kvcommand=\"\nquit\n")
korvo_expect("${out}" "process shell-opened null, \"HTTP://example.com/x\", \"\"\nlink: handled\nlink: not handled\n"
  "a web link opens in the shell, an empty command is not handled")

# An "open" link naming a library of the open configurations opens the document below its folder;
# a library that is not open leaves the name as written, and the open says it cannot find it; so
# does a library name that is not closed or is empty: bad input, not the end of the run.
file(WRITE ${WORK_DIR}/library_links.korvo
     "documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\nstart\nidle\nlink \"?kvcommand=open<Samples>Cover%20plate.grb\"\nexpect box \"*\" answer ok\nlink \"?kvcommand=open<Nowhere>Bracket.grb\"\ndump documents\n"
     "expect box \"*\" answer ok\nlink \"?kvcommand=open<Samples\"\nexpect box \"*\" answer ok\nlink \"?kvcommand=open<>\"\nquit\n")
korvo_run(library_links EXIT 0 OUTPUT out ARGS --host ${host} --quiet log --script ${WORK_DIR}/library_links.korvo)
korvo_expect("${out}" "call KorvoDocument2::FindPathName\\(\"<Samples>Cover plate.grb\"\\)\n([^\n]*\n)*link: handled\n" "the library's name is looked up")
korvo_expect("${out}" "dump documents\n[^\n]*Samples\\\\Cover plate.grb" "the library's document opened")
korvo_expect("${out}" "call KorvoDocument2::FindPathName\\(\"<Nowhere>Bracket.grb\"\\)\n([^\n]*\n)*box [^\n]*\"Ошибка ввода-вывода\"" "a library that is not open: the open says so")
korvo_expect("${out}" "call KorvoDocument2::FindPathName\\(\"<Samples\"\\): malformed\n([^\n]*\n)*box [^\n]*\"Ошибка ввода-вывода\"([^\n]*\n)*link: handled\n([^\n]*\n)*call KorvoDocument2::FindPathName\\(\"<>\"\\): malformed\n([^\n]*\n)*box [^\n]*\"Ошибка ввода-вывода\"([^\n]*\n)*link: handled\n"
             "a malformed library name: the open says it cannot find the file, twice")

# The "example" link opens the product's own file dialog (its settings kept as "OpenExample",
# untitled) in the folder of the configuration the product's "Examples" setting names, compared
# without regard to case; the document chosen there opens.
set(ini "${host}/C/Program Files/Velmora/Korvo CAD 18.0/Korvo.ini")
file(READ "${ini}" settings)
string(REPLACE "[SETTINGS]\n" "[SETTINGS]\nExamples=libraries.TWS\n" settings "${settings}")
file(WRITE "${ini}" "${settings}")
file(WRITE ${WORK_DIR}/example.korvo
     "documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\nstart\nidle\nexpect file choose \"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\"\nlink \"?kvcommand=example\"\ndump documents\nquit\n")
korvo_run(example EXIT 0 OUTPUT out ARGS --host ${host} --quiet log --script ${WORK_DIR}/example.korvo)
korvo_expect("${out}" "call CKVFileDialog\\(\"OpenExample\", \"grb\", open, flags [0-9]+\\)\nfile open \"\" [^\n]* folder \"C:\\\\Users\\\\user\\\\Documents\\\\\" "
             "the product's dialog, in the examples' folder")
korvo_expect("${out}" "dump documents\n\"Bracket.grb\" \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Bracket.grb\" " "the chosen example opened")

# Without a video player the user is told so and nothing starts; the link is still handled.
file(READ "${ini}" settings)
string(REPLACE "VideoPlayer=Rovani\\Rovani.exe" "VideoPlayer=" settings "${settings}")
file(WRITE "${ini}" "${settings}")
run_help(no_player out "start\nidle\nexpect box \"Video Player is not Registered\" answer ok\nlink \"?kvcommand=video:x.avi\"\nquit\n")
korvo_expect("${out}" "box [^\n]*\"Video Player is not Registered\"[^\n]*\nbox answer IDOK[^\n]*\nwindow destroyed [^\n]*\nlink: handled\n" "a missing player is said")
if(out MATCHES "process ")
  message(FATAL_ERROR "a video link started a program without a player:\n${out}")
endif()
