# The backstage verbs end to end: opened by the system button on its default tab, on a tab by id
# and by name, the shown page's help id and hosted window, closing it, and the refusals.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(backstage EXIT 0 OUTPUT out ARGS --quiet call,log,window,file INPUT
  "start\nopen \"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\"\nbackstage 1\ndump backstage 1\nbackstage 1 1027\ndump backstage 1\nbackstage 1 \"Export\"\ndump backstage 1\nkernel GetActiveBackstageTabId 1\nbackstage 1 close\ndump backstage 1\nkernel ActivateBackstageTab 1 0\ndump backstage 1\nquit\n")
korvo_expect("${out}" "\ndump backstage 1\nbackstage open\ntab 0 \"Recent\" name \"recentFileList\" default active\ntab 1072 \"New\"\ntab 1027 \"Print\" name \"printDialog\"\ntab 1036 \"Export\"\npage help [0-9]+\n  recent \"C:[^\n]*Bracket.grb\"\n"
             "the system button opens the recent files")
korvo_expect("${out}" "tab 1027 \"Print\" name \"printDialog\" active\ntab 1036 \"Export\"\npage help 102700\n  print window, document \"Bracket.grb\"\n"
             "the print page under its help id, printing the active document")
korvo_expect("${out}" "tab 1036 \"Export\" active\npage help 103600\n  export control, filters 3\n" "the export page by its caption")
korvo_expect("${out}" "kernel GetActiveBackstageTabId: 1036\n" "the kernel sees the shown tab")
korvo_expect("${out}" "user backstage close of frame 1\ndump backstage 1\nbackstage closed\n" "closed")
korvo_expect("${out}" "kernel ActivateBackstageTab: true\ndump backstage 1\nbackstage open\ntab 0 \"Recent\" name \"recentFileList\" default active\n" "the kernel opens it on a tab")

# The kernel's request for the print page opens the backstage on it with the document it names,
# switches to it while open, and leaves the tab for the user to choose.
string(CONCAT script "start\nopen \"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\"\n"
  "kernel ShowRibbonBackstagePrintPage 1 1\ndump backstage 1\nbackstage 1 \"Export\"\nkernel ActivateBackstageTab 1 1027\n"
  "dump backstage 1\nbackstage 1 close\nbackstage 1 1027\ndump backstage 1\nquit\n")
korvo_run(print_page EXIT 0 OUTPUT out ARGS --quiet call INPUT "${script}")
korvo_expect("${out}" "kernel ShowRibbonBackstagePrintPage: true\ndump backstage 1\nbackstage open\n[^\n]*\n[^\n]*\ntab 1027 \"Print\" name \"printDialog\" active\n[^\n]*\npage help 102700\n  print window, document \"Bracket.grb\"\n"
             "the kernel's request opens the print page on the document")
korvo_expect("${out}" "kernel ActivateBackstageTab: true\ndump backstage 1\nbackstage open\n[^\n]*\n[^\n]*\ntab 1027 \"Print\" name \"printDialog\" active\n"
             "while open the kernel switches to it")
korvo_expect("${out}" "user backstage of frame 1 1027\n([^\n]*\n)*dump backstage 1\nbackstage open\n[^\n]*\n[^\n]*\ntab 1027 \"Print\" name \"printDialog\" active\n"
             "the user still has the print tab")
if(out MATCHES "\"Print\"[^\n]* disabled")
  message(FATAL_ERROR "the print tab was left disabled:\n${out}")
endif()

korvo_run(not_open EXIT 0 OUTPUT out INPUT "start\nidle\nbackstage 1 close\ndump backstage 1\n")
korvo_expect("${out}" "user backstage close of frame 1\ndump backstage 1\nbackstage closed\n" "closing a closed backstage changes nothing")
korvo_run(no_tab EXIT 0 OUTPUT out INPUT "start\nidle\nbackstage 1 \"Nope\"\n")
korvo_expect("${out}" "\nbackstage: the backstage has no tab \"Nope\"\n" "a tab that does not exist is a refusal")
korvo_run(bad_id EXIT 2 ERROR err INPUT "start\nidle\nbackstage 1 x\n")
korvo_expect("${err}" "<stdin>:3: backstage: \"x\" is not an id" "a tab id that is no number")

# Requests repeated while the page shows: the kernel's second print request (another document,
# then the same again) leaves the page printing what it names; its Export request opens Export
# and leaves the tab to the user; a system-menu item captioned by a kernel string with line
# breaks stays on its dump line.
string(CONCAT script "start\nopen \"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\"\n"
  "open \"C:\\Users\\user\\Documents\\Samples\\Cover plate.grb\"\n"
  "kernel ShowRibbonBackstagePrintPage 1 2\nkernel ShowRibbonBackstagePrintPage 1 1\ndump backstage 1\n"
  "kernel ShowRibbonBackstagePrintPage 1 1\ndump backstage 1\n"
  "kernel ActivateBackstageTab 1 1036\ndump backstage 1\nbackstage 1 close\nbackstage 1 \"Export\"\ndump backstage 1\n"
  "kernel InsertRibbonSystemMenuItem 994 \"\" 0 1\ndump backstage 1\nquit\n")
korvo_run(repeated EXIT 0 OUTPUT out ARGS --quiet call,log,window INPUT "${script}")
string(REGEX MATCHALL "kernel ShowRibbonBackstagePrintPage: true\n" shown "${out}")
list(LENGTH shown shown_count)
if(NOT shown_count EQUAL 3)
  message(FATAL_ERROR "every print request while open answers true:\n${out}")
endif()
string(REGEX MATCHALL "page help 102700\n  print window, document \"Bracket.grb\"\n" printed "${out}")
list(LENGTH printed printed_count)
if(NOT printed_count EQUAL 2)
  message(FATAL_ERROR "a print request while the page showed left it without its print window:\n${out}")
endif()
korvo_expect("${out}" "kernel ActivateBackstageTab: true\ndump backstage 1\nbackstage open\n([^\n]*\n)*tab 1036 \"Export\" active\npage help 103600\n"
             "the kernel's Export request opens the export page")
korvo_expect("${out}" "user backstage of frame 1 \"Export\"\n([^\n]*\n)*dump backstage 1\nbackstage open\n([^\n]*\n)*tab 1036 \"Export\" active\n"
             "the user still has the Export tab")
if(out MATCHES "\"Export\"[^\n]* disabled")
  message(FATAL_ERROR "the Export tab was left disabled:\n${out}")
endif()
korvo_expect("${out}" "\nitem 994 \"\\\\nDrawing\\\\nDrawing\\\\nDrawings \\(\\*\\.grb\\)\\\\n\\.grb\\\\nKorvoPartner\\.Drawing\\\\nDrawing\"\n"
             "the kernel string's line breaks print as escapes on the item's line")
