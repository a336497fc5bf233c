# The tips strip, the log window and the sample's text browsers from the console: the browsers'
# list and menu, a module's framework exception, a missing module reported once, the metafile
# callback's rich-text editor answered and cancelled, a timed tip hiding itself, and the log.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

string(CONCAT input
  "start\nidle\ndump text-browsers\n"
  "expect box \"Text browser error: Unsupported operation was attempted.\" answer ok\nkernel BrowseText -1 0 \"\"\n"
  "expect box \"The text browser module could not be loaded.\" answer ok\nkernel BrowseText -1 0 \"kvarchive.DLL\"\n"
  "kernel BrowseText 2 0 \"\"\n"
  "kernel BrowseText 0 1 \"\"\nexpect rich-text cancel\nkernel BrowseText 0 1 \"\"\n"
  "expect rich-text answer \"Gear wheel\"\nkernel BrowseTextByKey 4003 0 0 \"\"\n"
  "kernel BrowseTextByKey 1002 0 0 \"\"\n"
  "dump text-browsers\nquit\n")
korvo_run(browsers EXIT 0 OUTPUT out INPUT "${input}")
string(CONCAT expected
  "dump text-browsers\ndefault 1\n0 \"KVDict.dll\" \"Dictionary\" key 68 control standard unloaded\n"
  "1 \"KVCatalog.dll\" \"Catalogue\" key 113 shift standard unloaded\n"
  "2 \"KVArchive.dll\" \"Archive\" key 65 control alt unloaded\n"
  "3 \"KVWorkMixText.dll\" \"Work mix texts\" key 114 pdm unloaded\n"
  "menu \"Dictionary\\\\tCtrl\\+D\"\nmenu \"Catalogue\\\\tShift\\+F2\"\nmenu \"Archive\\\\tCtrl\\+Alt\\+A\"\n")
korvo_expect("${out}" "${expected}"
             "the sample's browsers, the PDM one left out of the menu while disconnected")
korvo_expect("${out}" "box [^\n]*Text browser error: Unsupported operation was attempted[^\n]*\n([^\n]*\n)*kernel BrowseText: false\n"
             "a framework exception is shown and the browse fails")
string(REGEX MATCHALL "could not be loaded" boxes "${out}")
list(LENGTH boxes count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "the missing module was reported ${count} times:\n${out}")
endif()
korvo_expect("${out}" "call metafile callback: none text \"Browse 0x[0-9a-f]+\" buffer 0 bytes \\[textbrowser\\]\n"
             "a cancelled editor gives no picture")
korvo_expect("${out}" "call metafile callback: metafile \\(0,0\\)-\\(2500,500\\) \"Korvo CAD\" map 7 window 2500x500 viewport 94x18 drawing 1 text \"Gear wheel\" buffer [0-9]+ bytes"
             "the edited rich text is drawn into a metafile")
korvo_expect("${out}" "kernel BrowseTextByKey: true\n([^\n]*\n)*kernel BrowseTextByKey: false\n"
             "Shift+F2 needs Shift down")
korvo_expect("${out}" "0 \"KVDict.dll\" \"Dictionary\" key 68 control standard loaded\n([^\n]*\n)*2 \"KVArchive.dll\"[^\n]* failed\n"
             "the dictionary stays loaded and the archive failed for good")

string(CONCAT input
  "start\nidle\ndump tips\ncommand 1 1863\ndump tips\nadvance 8000\ndump tips\ncommand 1 1865\ncommand 1 1865\ndump tips\n"
  "command 1 7306\ndump log\nquit\n")
korvo_run(tips_and_log EXIT 0 OUTPUT out INPUT "${input}")
korvo_expect("${out}" "dump tips\nfile \"[^\n]*Tips.txt\"\nindex 0 of 0\ntext \"\" seconds 0\nwindow none\n"
             "the strip before its first toggle has read no tips")
korvo_expect("${out}" "dump tips\nfile [^\n]*\nindex 0 of 3\n[^\n]*\nwindow 0x[0-9a-f]+ shown \\([0-9]+,[0-9]+\\)-\\([0-9]+,[0-9]+\\) timer 8000\n"
             "the first tip shows with its timer")
korvo_expect("${out}" "timer 8000\n([^\n]*\n)*dump tips\nfile [^\n]*\nindex 1 of 3\ntext \"[^\n]*\" seconds 6\nwindow 0x[0-9a-f]+ hidden [^\n]* timer 6000\n"
             "the timed tip hid itself and the next one waits")
korvo_expect("${out}" "index -1 of 3\ntext \"This is the beginning of the tips.\" seconds 0\n"
             "back past the first tip")
korvo_expect("${out}" "dump log\nwindow 0x[0-9a-f]+ shown \"Журнал Korvo CAD\" theme -?[0-9]+\nlast-length [1-9][0-9]*\n  \"[^\n]*\"\n"
             "the log window shows the log")

# The menu names a hot key as the kernel names keys (Esc, Delete).
korvo_seed_host()
file(WRITE "${program}/TextBrowsers.ini"
  "[Escape]\nDLL=KVDict.dll\nChar=27\nText=Escape\n\n[Delete]\nDLL=KVCatalog.dll\nChar=46\nControl=1\nText=Remove\n")
korvo_run(key_names EXIT 0 OUTPUT out ARGS --host ${host} INPUT "start\nidle\ndump text-browsers\nquit\n")
korvo_expect("${out}" "menu \"Escape\\\\tEsc\"\nmenu \"Remove\\\\tCtrl\\+Delete\"\n" "the kernel's key names")
