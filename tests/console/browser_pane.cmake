# The documents menu's browser pane end to end: its Level-up button through the locations, a
# document shown without the bar, the context menus of the tree's rows and of the pane's icons
# (copy full path onto the clipboard, greyed inserts, the icon sizes), and files the shell drops
# with Ctrl on a library's row.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(open_sample "documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\nstart\nidle\ndocuments-pane expand \"Libraries\"\n")
set(samples "C:\\Users\\user\\Documents\\Samples")

korvo_run(navigate EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host --quiet log,window,call INPUT
  "${open_sample}documents-pane select \"Samples\"\ndump browser 1/1004\nclick 1/1004 40819\ndump browser 1/1004
click 1/1004 40819\ndocuments-pane expand \"Samples\"\ndocuments-pane select \"Bracket.grb\"\ndump browser 1/1004\nquit\n")
korvo_expect("${out}" "dump browser 1/1004\nbrowser library \"Samples\" path \"Samples\" icon-size 32 tool-bar shown\n  level-up 40819 enabled tooltip \"[^\n]*Libraries[^\n]*\"\n  history none\n"
             "a library's Level up leads to its configuration")
korvo_expect("${out}" "user click 40819 in frame 1/1004\ndump browser 1/1004\nbrowser configuration \"Libraries\" [^\n]*\n  level-up 40819 disabled tooltip \"\"\n"
             "Level up shows the configuration, which has nothing above")
korvo_expect("${out}" "click: control 40819 is hidden or disabled\n" "a disabled Level up does nothing")
korvo_expect("${out}" "browser document \"[^\"]*Samples\\\\Bracket.grb\" path \"[^\"]*Bracket.grb\" icon-size 32 tool-bar hidden picture none\n  level-up 40819 enabled tooltip \"[^\n]*Samples"
             "a document shows as its picture, without the bar")

# The tree's rows are 20 pixels high from 72 below the pane window's top (Bracket.grb: 10,120).
korvo_run(menus EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host2 --quiet log,window,call INPUT
  "${open_sample}documents-pane expand \"Samples\"\ndocuments-pane select \"Bracket.grb\"\ndump clipboard
expect menu choose \"Копировать полный путь\"\nmouse 1/1004 10,120 rclick\ndump clipboard
documents-pane select \"Samples\"\nexpect menu choose \"Мелкие значки\"\nmouse 1/1004 240,80 rclick\ndump browser 1/1004
expect menu choose \"Только библиотеки\"\nmouse 1/1004 10,80 rclick\ndump panes 1\nquit\n")
korvo_expect("${out}" "dump clipboard\nclipboard empty\n" "the clipboard starts empty")
korvo_expect("${out}" "menu   0 \"Копировать полный путь\"\nmenu   ---- 0 \"Открыть\"\nmenu   0 \"Вставить как фрагмент\" disabled\nmenu   0 \"Вставить как рисунок\" disabled\nmenu   0 \"Свойства\"\nmenu   ---- 0 \"Конфигурации библиотек\" >\nmenu     0 \"Открыть\"\nmenu     0 \"Закрыть все\"\nmenu   ---- 0 \"Вид\" >\nmenu     0 \"Дерево\" checked\n([^\n]*\n)*menu   ---- 0 \"Просмотр\" >\n"
             "a document row offers its actions, the inserts greyed without a drawing, then the window's own, each sub-menu after a separator")
korvo_expect("${out}" "dump clipboard\nclipboard \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Bracket.grb\"\n" "copy full path fills the clipboard")
korvo_expect("${out}" "menu   0 \"Свойства\"\nmenu   ---- 0 \"Вид\" >\nmenu     0 \"Огромные значки\"\nmenu     0 \"Крупные значки\"\nmenu     0 \"Обычные значки\" checked\nmenu     0 \"Мелкие значки\"\n"
             "a document's icon offers its actions and the icon sizes, the one in use checked")
korvo_expect("${out}" "browser library \"Samples\" [^\n]* icon-size 16 " "an icon size chosen in the menu is the pane's")
korvo_expect("${out}" "1004 docked [^\n]*\n    \\+ Prototypes\n    \\+ Samples\n" "the view sub-menu switches the window to its libraries list")

# Files dragged from the shell onto a library's row (Samples: 10,100) land in its folder, only
# documents; the drop target takes them, so the main frame does not open them.
korvo_run(drop EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host3 --quiet log,window INPUT
  "${open_sample}file write \"C:\\Users\\user\\Documents\\Gear.grb\"\nfile write \"C:\\Users\\user\\Documents\\notes.txt\"
drop 1/1004 10,100 ctrl \"C:\\Users\\user\\Documents\\Gear.grb\" \"C:\\Users\\user\\Documents\\notes.txt\"\nidle\ndump file \"${samples}\"\ndump documents\nquit\n")
korvo_expect("${out}" "user drop on frame 1/1004 at 10,100 ctrl [^\n]*\n(call [^\n]*\n)*call SHFileOperationW\\(2, \"[^\"]*Gear.grb\" -> [^\n]*\nuser drop taken by a drop target, effect 1\n" "the row's drop target takes the files")
korvo_expect("${out}" "Cover plate.grb [^\n]*\n +Cover plate.grb.kff [^\n]*\n +Gear.grb 0 bytes\n +Gear.png" "the document is copied into the library's folder, the other file is not")
korvo_expect("${out}" "dump documents\n\\(no documents\\)\n" "nothing is opened")

# With a drawing open the inserts are offered and link the document by its library's name.
korvo_run(insert EXIT 0 OUTPUT out ARGS --host ${WORK_DIR}/host4 --quiet log,window INPUT
  "${open_sample}open \"${samples}\\Cover plate.grb\"\ndocuments-pane select \"Samples\"
expect menu choose \"Вставить как рисунок\"\nmouse 1/1004 240,80 rclick\nquit\n")
korvo_expect("${out}" "menu   0 \"Вставить как фрагмент\"\nmenu   0 \"Вставить как рисунок\"\n" "the inserts are offered with a drawing open")
korvo_expect("${out}" "call CKVView::InsertFragmentAsImage\\(\"[^\"]*Samples\\\\Bracket.grb\", link \"<Samples>Bracket.grb\", at 0,0\\)\n"
             "the picture of the document is inserted, linked by its library's name")
