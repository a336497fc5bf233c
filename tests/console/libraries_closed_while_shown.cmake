# A library closed with its configuration while a pane shows it, or one of its documents: the
# clipart pane's icons and the documents menu's own go at once (no insert reaches the closed
# library), the pane then shows nothing, and Level up and the form-factor dump find no library.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(samples "C:\\Users\\user\\Documents\\Samples")
set(open_sample "documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\nstart\nidle\ndocuments-pane expand \"Libraries\"\n")
# The tree's rows are 20 pixels high from 72 below the pane window's top: Libraries at 10,80,
# Samples at 10,100.
set(close_row "expect menu choose \"Закрыть\"\nmouse 1/1004 10,80 rclick\n")
set(close_all "expect menu choose \"Закрыть все\"\nmouse 1/1004 10,80 rclick\n")

# A clipart pane of the library, a drawing open, the configuration closed by its row's menu.
korvo_run(clipart EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host1 --quiet log,window INPUT
  "${open_sample}open \"${samples}\\Bracket.grb\"\nexpect menu choose \"Открыть в новом окне\"\nmouse 1/1004 10,100 rclick
dump list 1/11000\n${close_row}dump list 1/11000\nrow 1/11000 0 rclick\ndump browser 1/11000\nquit\n")
korvo_expect("${out}" "dump list 1/11000\nlist library \"Samples\" rows 2\n" "the clipart pane lists the library's documents")
korvo_expect("${out}" "menu answer choose \"Закрыть\" \\(expected\\)\n([^\n]*\n)*dump list 1/11000\n\\(no list\\)\n"
             "the closed library's icons are gone")
korvo_expect("${out}" "row: there is no list in frame 1/11000\n" "no icon is left to insert from")
korvo_expect("${out}" "dump browser 1/11000\nbrowser none " "the pane shows nothing once the close is done")

# The documents menu's own browser, "Закрыть все": nothing is left to right-click.
korvo_run(window EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host2 --quiet log,window INPUT
  "${open_sample}open \"${samples}\\Bracket.grb\"\ndocuments-pane select \"Samples\"\ndump list 1/1004\n${close_all}dump list 1/1004\nmouse 1/1004 240,80 rclick\ndump browser 1/1004\nquit\n")
korvo_expect("${out}" "dump list 1/1004\nlist library \"Samples\" rows 2\n" "the window's browser lists the library's documents")
korvo_expect("${out}" "menu answer choose \"Закрыть все\" \\(expected\\)\n([^\n]*\n)*dump list 1/1004\n\\(no list\\)\n"
             "every configuration closed, the icons are gone")
korvo_expect("${out}" "dump browser 1/1004\nbrowser none " "the window's pane shows nothing")

# A document's picture and one's form factors: hidden after "Закрыть все"; Level up leads nowhere
# and the form factors name no library.
korvo_run(previews EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host3 --quiet log,window INPUT
  "${open_sample}documents-pane expand \"Samples\"\ndocuments-pane select \"Bracket.grb\"\ndump browser 1/1004\n${close_all}click 1/1004 40819\ndump browser 1/1004
documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\nidle\ndocuments-pane expand \"Libraries\"\ndocuments-pane expand \"Samples\"\ndocuments-pane select \"Cover plate.grb\"\ndump formfactors 1/1004\n${close_all}click 1/1004 40819\ndump browser 1/1004\ndump formfactors 1/1004\nquit\n")
korvo_expect("${out}" "dump browser 1/1004\nbrowser document \"[^\"]*Bracket.grb\" " "the picture shows")
korvo_expect("${out}" "dump formfactors 1/1004\nformfactors \"[^\"]*Cover plate.grb\" shown library \"Samples\" " "the form factors show")
string(REGEX MATCHALL "dump browser 1/1004\nbrowser none " gone "${out}")
list(LENGTH gone count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "both previews are hidden once the configuration is closed:\n${out}")
endif()
korvo_expect("${out}" "dump formfactors 1/1004\nformfactors \"[^\"]*Cover plate.grb\" hidden library none " "the hidden form factors name no library")

# A clipart pane of the library, every configuration closed: the pane hidden leaves no Level up.
korvo_run(clipart_all EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host5 --quiet log,window INPUT
  "${open_sample}expect menu choose \"Открыть в новом окне\"\nmouse 1/1004 10,100 rclick\n${close_all}dump browser 1/11000\nquit\n")
korvo_expect("${out}" "dump browser 1/11000\nbrowser none [^\n]*\n  level-up 40819 disabled tooltip \"\"\n"
             "the hidden pane's Level up is disabled, without a tooltip")

# A group's clipart pane, its configuration closed: the group goes with it as a library does,
# leaving no icon, no menu and no Level up behind.
korvo_run(group EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host4 --quiet log,window INPUT
  "${open_sample}expect menu choose \"Открыть в новом окне\"\nmouse 1/1004 10,120 rclick\ndump list 1/11000\n${close_row}dump list 1/11000
row 1/11000 0 rclick\ndump browser 1/11000\nquit\n")
korvo_expect("${out}" "dump list 1/11000\nlist group \"Templates\" rows 1\n" "the clipart pane lists the group's library")
korvo_expect("${out}" "menu answer choose \"Закрыть\" \\(expected\\)\n([^\n]*\n)*dump list 1/11000\n\\(no list\\)\n"
             "the closed configuration's group leaves no icon")
korvo_expect("${out}" "row: there is no list in frame 1/11000\n" "no icon is left to open a menu on")
korvo_expect("${out}" "dump browser 1/11000\nbrowser none [^\n]*\n  level-up 40819 disabled tooltip \"\"\n" "the pane shows nothing and Level up leads nowhere")
