# What every frame's ribbon starts with: a tab that carries tags is hidden while no document has
# one of them, and the parameter controls are disabled until the kernel enables them, in a frame
# opened later as in the first.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# The first run seeds the host folder; the View tab of its layout is then tagged.
korvo_seed_host()
set(layout "${program}/DefaultLayout.xml")
file(READ "${layout}" text)
string(REPLACE "<RibbonTab caption=\"&amp;View\"" "<RibbonTab caption=\"&amp;View\" tags=\"weld\"" tagged "${text}")
if(tagged STREQUAL text)
  message(FATAL_ERROR "the sample layout has no View tab to tag")
endif()
file(WRITE "${layout}" "${tagged}")

korvo_run(frames EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "start\nidle\nkernel EnableSyspanelControl 907 1\nnew-frame\ndump ribbon 1\ndump ribbon 2\nquit\n")
string(REGEX MATCHALL "\ntab [0-9]+ \"View\" hidden " hidden_tabs "${out}")
list(LENGTH hidden_tabs hidden)
if(NOT hidden EQUAL 2)
  message(FATAL_ERROR "no document has the tag: the View tab should be hidden in both frames:\n${out}")
endif()
string(FIND "${out}" "907 edit \"Level\" manual\n" enabled)
string(FIND "${out}" "907 edit \"Level\" disabled manual\n" disabled)
if(enabled EQUAL -1 OR disabled LESS enabled)
  message(FATAL_ERROR "the kernel enabled the level in the first frame; the second starts with it disabled:\n${out}")
endif()
