# The program's own ribbon controls end to end on the sample: the library galleries (a library,
# automatic width; a group with a header per library, three items wide), an item picked from a
# drop-down opening its document, the find box with its history and its beep, and the backstage
# taking the UI theme.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(configuration "documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\n")

korvo_run(gallery EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT
  "${configuration}start\nidle\ndump ribbon 1\nexpect menu choose \"Cover plate\"\nclick 1 1072\ndump documents\ndump ribbon 1\nquit\n")
korvo_expect("${out}" "\n    1072 gallery \"Samples\"[^\n]*\n      grid 119x70 columns 1 resizable both stretched\n      item \"Bracket\"\n      item \"Cover plate\"\n"
             "a library gallery of automatic width")
korvo_expect("${out}" "\n    1314 gallery \"Templates\"[^\n]*\n      grid 317x70 columns 3 resizable vertical\n      header \"Prototypes\"\n      item \"Drawing\"\n"
             "a group gallery three items wide, a header per library")
korvo_expect("${out}" "menu [^\n]+ 2 items\nmenu   1072 \"Bracket\"\nmenu   1072 \"Cover plate\"\nmenu answer choose \"Cover plate\" \\(expected\\)\n"
             "the drop-down offers the documents")
korvo_expect("${out}" "\ndump documents\n[^\n]*Cover plate.grb" "the picked document opened")
korvo_expect("${out}" "item \"Cover plate\"\n      drop-down 119x[0-9]+ columns 1\n" "the drop-down sized when first opened")

# Without the configuration the targets resolve to nothing: empty galleries, searched once.
korvo_run(no_library EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT "start\nidle\n${configuration}idle\ndump ribbon 1\nquit\n")
korvo_expect("${out}" "\n    1072 gallery \"Samples\"[^\n]*\n      grid 119x70 columns 1 resizable both stretched\n    1314 gallery"
             "no library, no items, not looked for again")

korvo_run(find EXIT 0 OUTPUT out ARGS --quiet log,window INPUT
  "start\nopen \"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\"\nmodel AddObject 1\nmodel AddObject 1\nmodel NameObject 1 0 \"Bolt\"\nmodel NameObject 1 1 \"Nut\"\ntype 1 1251 \"  Nut \"\ntype 1 1251 \"Bolt\"\ntype 1 1251 \"Nut\"\ndump parameters\ntype 1 1251 \"Washer\"\ndump parameters\nexpect menu choose \"Bolt\"\nclick 1 1251\ndump parameters\ntype 1 1251 \"\"\nquit\n")
korvo_expect("${out}" "call KVDocument::FindElementByName\\(\"Nut\"\\)\ncall CKVView::SelectObject\\(1\\)\n" "a trimmed name selects its element")
korvo_expect("${out}" "\ndump parameters\n[^\n]*\n  object 0 name \"Bolt\"\n  object 1 name \"Nut\"\n  selection 1\n  find-history \"Nut\" \"Bolt\"\n"
             "a name found twice is one entry, at the front")
korvo_expect("${out}" "call KVDocument::FindElementByName\\(\"Washer\"\\)\ncall MessageBeep\\(0x40\\)\n" "an unknown name beeps")
korvo_expect("${out}" "type \"Washer\"[^\n]*\n[^\n]*\n[^\n]*\ndump parameters\n[^\n]*\n[^\n]*\n[^\n]*\n  selection 1\n  find-history \"Nut\" \"Bolt\"\n"
             "and changes nothing")
korvo_expect("${out}" "menu [^\n]+ 2 items\nmenu   1 \"Nut\"\nmenu   2 \"Bolt\"\nmenu answer choose \"Bolt\" \\(expected\\)\n[^\n]*\ncall CKVView::SelectObject\\(0\\)\n"
             "the history offered, the most recent first; a pick finds again")
korvo_expect("${out}" "  selection 0\n  find-history \"Bolt\" \"Nut\"\n" "the picked name moves to the front")
korvo_expect("${out}" "type \"\" into 1251 on frame 1\ncall MessageBeep\\(0x40\\)\n" "an empty name beeps")

korvo_run(no_drawing EXIT 0 OUTPUT out ARGS --quiet log,window INPUT "start\nidle\ntype 1 1251 \"Bolt\"\nquit\n")
korvo_expect("${out}" "type \"Bolt\" into 1251 on frame 1\ncall MessageBeep\\(0x40\\)\n" "no drawing: a beep")

korvo_run(theme EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT "start\nidle\ndump backstage 1\nbackstage 1 1072\ndump backstage 1\nquit\n")
korvo_expect("${out}" "dump backstage 1\nbackstage closed\n(tab [^\n]*\n)+theme 12\n" "the UI theme's paint theme")
korvo_expect("${out}" "page help 106500\n  prototypes control, folder \"[^\"]*\", theme code 2\ntheme 12\n" "the page's code: that theme, light")
