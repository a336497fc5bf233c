# The customise sheet's ribbon page from the console: opened from a ribbon control's customise
# item with that control focused, the bar tree's find-next (wrapping), the command tree's
# categories and search, and the ribbon's layout written to a file and read back through the
# import/export drop-down, with the refusals a foreign or broken file gets.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(host ${WORK_DIR}/host)
set(documents "${host}/C/Users/user/Documents")
set(customize "expect menu choose \"Настроить элемент...\"\n")
set(file "C:\\\\Users\\\\user\\\\Documents\\\\ribbon.xml")

# Find-next starts at the focused control when it matches, then wraps from the last match.
korvo_run(find EXIT 0 OUTPUT out ARGS --quiet call,log,window,menu INPUT
  "start\nidle\n${customize}expect dialog 782 answer page 782 text 4196 \"save\" click 4197 click 4197 click 4197 click 4197 click 4197 ok\nright-click 1 1029\nquit\n")
korvo_expect("${out}" "dialog tree 3961: 65 items\ndialog   \\[x\\] \"Home\" \\+\n" "the bar tree shows the ribbon's tabs, ticked")
korvo_expect("${out}" "dialog tree 3961 focus \"Home\\|Document\\|Save\"\ndialog 782 " "the page opens on the control the menu was opened on")
korvo_expect("${out}" "dialog click 4197\ndialog tree 3961 focus \"Home\\|Document\\|Save\"\ndialog click 4197\ndialog tree 3961 focus \"Home\\|Document\\|Save as\"\n"
             "the focused control that matches comes first")
korvo_expect("${out}" "focus \"Home\\|Document\\|Save all\"\ndialog click 4197\ndialog tree 3961 focus \"Home\\|Document\\|Save\"\n"
             "after the last match the first comes again")

# Opened on a later match, find-next starts there and not at the first match.
korvo_run(find_later EXIT 0 OUTPUT out ARGS --quiet call,log,window,menu INPUT
  "start\nidle\n${customize}expect dialog 782 answer page 782 text 4196 \"save\" click 4197 click 4197 ok\nright-click 1 1093\nquit\n")
korvo_expect("${out}" "dialog click 4197\ndialog tree 3961 focus \"Home\\|Document\\|Save as\"\ndialog click 4197\ndialog tree 3961 focus \"Home\\|Document\\|Save all\"\n"
             "the focused match comes first, then the one after it")

# Categories and the command tree's search: a match inside a pop-up shows with its pop-up
# expanded; the system commands leave the service commands out.
korvo_run(search EXIT 0 OUTPUT out ARGS --quiet call,log,window,menu INPUT
  "start\nidle\n${customize}expect dialog 782 answer select 3963 \"Системные команды\" select 3963 \"Текстовое меню\" text 4195 \"tile\" text 4195 \"nothing like it\" click 4193 ok\nright-click 1 1001\nquit\n")
korvo_expect("${out}" "select 3963 \"Системные команды\"\ndialog tree 3960: 22 items\ndialog   \"Automatic dimensions\"\n([^\n]*\n)*dialog   \"Connect to Varnel\"\ndialog   \"Disconnect from Varnel\"\n"
             "the system commands are listed by caption")
korvo_expect("${out}" "text 4195 \"tile\"\ndialog tree 3960: 4 items\ndialog   \"Window\" -\ndialog     \"Разделитель\"\ndialog     \"Tile horizontally\"\n"
             "a match in a pop-up is shown inside its expanded pop-up")
korvo_expect("${out}" "text 4195 \"nothing like it\"\ndialog tree 3960: 0 items\n" "a search that matches nothing empties the tree")
korvo_expect("${out}" "click 4193\ndialog tree 3960: 32 items\ndialog   \"File\" \\+\n" "clearing the search shows everything collapsed")

# The ribbon written through the drop-down and read back is the same ribbon.
string(CONCAT round_trip
  "start\nidle\ndump ribbon 1\n${customize}"
  "expect menu choose \"Экспорт...\"\nexpect file choose \"${file}\"\n"
  "expect menu choose \"Импорт...\"\nexpect file choose \"${file}\"\n"
  "expect dialog 782 answer click 3461 click 3461 ok\nright-click 1 1001\ndump ribbon 1\ndump file \"${file}\"\nquit\n")
korvo_run(round_trip EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window,dialog,menu INPUT "${round_trip}")
string(FIND "${out}" "dump ribbon 1\n" first)
string(FIND "${out}" "dump ribbon 1\n" second REVERSE)
string(FIND "${out}" "\nuser right-click" clicked)
string(FIND "${out}" "\ndump file" dumped)
math(EXPR first "${first} + 14")
math(EXPR second "${second} + 14")
math(EXPR before_length "${clicked} - ${first}")
math(EXPR after_length "${dumped} - ${second}")
string(SUBSTRING "${out}" ${first} ${before_length} before)
string(SUBSTRING "${out}" ${second} ${after_length} after)
if(NOT before STREQUAL after OR before STREQUAL "")
  message(FATAL_ERROR "the ribbon read back differs from the one written:\n${before}\n----\n${after}")
endif()
korvo_expect("${out}" "file save \"\" filter \"Файлы XML \\(\\*\\.xml\\)\\|\\*\\.xml\\|Все файлы \\(\\*\\.\\*\\)\\|\\*\\.\\*\\|\\|\"" "export asks with the save dialog, with the translated filter")
korvo_expect("${out}" "<RibbonBar>\n +<Backstage>\n +<BackstageTab id=\"0\" name=\"recentFileList\"" "the file holds the ribbon with its backstage")
korvo_expect("${out}" "<BackstageTab id=\"1027\" name=\"printDialog\"" "the print tab keeps its name")
korvo_expect("${out}" "<Popup id=\"0\" caption=\"Ribbon tabs\" name=\"ribbonTabsPopup\"" "the tabs pop-up is written by its name")
korvo_expect("${out}" "<Gallery id=\"1314\" caption=\"Templates\" library=\"[^\"]+\" width=\"3\"" "a gallery keeps its library and width")

# A root named in another case, a broken file and a cancelled choice.
file(WRITE "${documents}/lower.xml" "<?xml version=\"1.0\"?>\n<ribbonbar><RibbonTab caption=\"X\"/></ribbonbar>\n")
file(WRITE "${documents}/broken.xml" "<RibbonBar><RibbonTab caption=\"X\">\n")
string(CONCAT refused
  "start\nidle\n${customize}"
  "expect menu choose \"Импорт...\"\nexpect file choose \"C:\\\\Users\\\\user\\\\Documents\\\\lower.xml\"\n"
  "expect box \"В файле нет ни ленты, ни вкладки ленты.\" answer ok\n"
  "expect menu choose \"Импорт...\"\nexpect file choose \"C:\\\\Users\\\\user\\\\Documents\\\\broken.xml\"\n"
  "expect box \"Не удалось прочитать файл XML.\" answer ok\n"
  "expect menu choose \"Импорт...\"\nexpect file cancel\n"
  "expect dialog 782 answer click 3461 click 3461 click 3461 ok\nright-click 1 1001\ndump ribbon 1\nquit\n")
korvo_run(refused EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,window,menu INPUT "${refused}")
korvo_expect("${out}" "box [^\n]*\"В файле нет ни ленты, ни вкладки ленты.\"" "a \"ribbonbar\" root is no ribbon")
korvo_expect("${out}" "box [^\n]*\"Не удалось прочитать файл XML.\"" "a broken file is refused")
korvo_expect("${out}" "file cancel\ndialog ok\n" "a cancelled choice says nothing")
if(out MATCHES "tab [0-9]+ \"X\"")
  message(FATAL_ERROR "a refused file changed the ribbon:\n${out}")
endif()

korvo_run(bad_page EXIT 2 ERROR err INPUT "expect dialog 782 answer page\n")
korvo_expect("${err}" "expect dialog: page needs a page's template id" "page needs an id")
