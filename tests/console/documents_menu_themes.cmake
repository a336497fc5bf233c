# The documents menu's views draw in the report theme of the UI theme: the sample's default theme
# (Office 2016) gives the native Windows 10 one; a stored Visual Studio 2015 theme gives its own;
# Office 2010 the Office XP one.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(default EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet call,log INPUT "start\nidle\ndump panes 1\nquit\n")
korvo_expect("${out}" "\n1004 docked \"Documents\" [^\n]* theme NativeWindows10\n" "the default theme")

set(hive "${WORK_DIR}/host/registry/HKEY_CURRENT_USER.reg")
foreach(pair "msvs2015dark;VisualStudio2015" "office2013light;Office2013" "office2010black;OfficeXP")
  list(GET pair 0 style)
  list(GET pair 1 report)
  file(READ "${hive}" registry)
  string(REGEX REPLACE "\"UIStyle\"=\"[^\"]*\"\n" "" registry "${registry}")
  string(REPLACE "[Software\\Velmora\\Korvo CAD 18.0\\Settings]\n"
                 "[Software\\Velmora\\Korvo CAD 18.0\\Settings]\n\"UIStyle\"=\"${style}\"\n" registry "${registry}")
  file(WRITE "${hive}" "${registry}")
  korvo_run(${style} EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet call,log INPUT "start\nidle\ndump panes 1\nquit\n")
  korvo_expect("${out}" "\n1004 docked \"Documents\" [^\n]* theme ${report}\n" "the theme of ${style}")
endforeach()
