# The documents menu over several runs and configurations: what the user expanded and hid stays
# on its rows whatever order the configurations are opened in; rows list by name however big the
# folder; a search for a configuration's own name lists it; configurations opened by the user or
# a client become the active one; and a document's file is renamed only when it may be, the user
# being told why not.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
set(host ${WORK_DIR}/host)
set(bolts "${host}/C/Users/user/Libraries/Bolts")
file(MAKE_DIRECTORY ${bolts})
foreach(i RANGE 299)
  file(WRITE "${bolts}/part ${i}.grb" "document")
endforeach()
file(WRITE "${bolts}/_first.grb" "document")
file(WRITE "${bolts}/Zeta.grb" "document")
set(sample "documents-menu configuration \"C:\\Users\\user\\Documents\\Libraries.tws\"\n")
set(standard "documents-menu configuration \"C:\\Users\\user\\Libraries\\Standard.tws\"\n")

# First run: the sample, then a new configuration with the big library; the user expands
# Standard and Bolts and hides one document.
korvo_run(first EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "${sample}${standard}documents-menu library \"Bolts\"\nstart\nidle\ndocuments-pane expand \"Standard\"\ndocuments-pane expand \"Bolts\"\nidle\ndocuments-pane visible \"Zeta.grb\"\ndump panes 1\nquit\n")
korvo_expect("${out}" "selected window 0x[0-9a-f]+ theme NativeWindows10\n    \\+ Libraries\n    - Standard\n      - Bolts\n          _first.grb\n          part 0.grb\n          part 1.grb\n          part 10.grb\n          part 100.grb\n"
             "a big library lists by name, \"_\" first")
korvo_expect("${out}" "\n          part 98.grb\n          part 99.grb\n1007 " "the hidden document left the view")
file(READ "${host}/C/Users/user/Libraries/Standard.tws" standard_file)
korvo_expect("${standard_file}" "<configuration id=\"[0-9A-F-]+\" name=\"Standard\">" "the configuration's id is in its file")

# Second and third runs, the configurations opened in the other order and then the first again:
# the same rows are expanded and hidden.
foreach(run second third)
  if(run STREQUAL "second")
    set(opening "${standard}${sample}")
  else()
    set(opening "${sample}${standard}")
  endif()
  korvo_run(${run} EXIT 0 OUTPUT out ARGS --host ${host} INPUT "${opening}start\nidle\ndump panes 1\nquit\n")
  korvo_expect("${out}" "selected window 0x[0-9a-f]+ theme NativeWindows10\n    \\+ Libraries\n    - Standard\n      - Bolts\n          _first.grb\n"
               "${run} run: the expanded rows stay on their rows")
  korvo_expect("${out}" "\n          part 99.grb\n1007 " "${run} run: the hidden document stays hidden")
endforeach()

# A search for a configuration's own name lists it, expanded, with what it holds; what the search
# opened is the user's expansion afterwards.
korvo_run(search EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "${sample}start\nidle\ndocuments-pane search \"libr\"\ndump panes 1\ndocuments-pane search \"cover\"\ndocuments-pane search \"\"\ndump panes 1\nquit\n")
korvo_expect("${out}" "selected window 0x[0-9a-f]+ theme NativeWindows10\n    - Libraries\n      \\+ Samples\n      \\+ Templates\n1007 "
             "a search for the configuration's name lists it")
korvo_expect("${out}" "selected window 0x[0-9a-f]+ theme NativeWindows10\n    - Libraries\n      - Samples\n          Bracket.grb\n          Cover plate.grb\n      \\+ Templates\n1007 "
             "what the search opened stays open")

# The open button asks for the file; the configuration opened, by the button or by a client, is
# the active one, so the client can close it.
file(WRITE "${host}/C/Users/user/Libraries/Other.tws" "<configuration name=\"Other\">\n  <library name=\"Bolts\" path=\"Bolts\"/>\n</configuration>\n")
korvo_run(open EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "start\nidle\nexpect file cancel\nclick 1/1004 691\nexpect file choose \"C:\\Users\\user\\Libraries\\Other.tws\"\nclick 1/1004 691\ndump panes 1\nautomation GetLibraryCount\nautomation CloseLibraryConfiguration\nautomation OpenLibraryConfiguration \"C:\\Users\\user\\Libraries\\Other.tws\"\nautomation GetLibraryCount\nautomation CloseLibraryConfiguration\nquit\n")
korvo_expect("${out}" "selected window 0x[0-9a-f]+ theme NativeWindows10\n    \\+ Other\n1007 " "the chosen configuration is open")
korvo_expect("${out}" "automation GetLibraryCount: 1\nautomation CloseLibraryConfiguration: 1\nautomation OpenLibraryConfiguration: 1\nautomation GetLibraryCount: 1\nautomation CloseLibraryConfiguration: 1\n"
             "each opened configuration is the active one")

# Renames: an open document's file stays as it is and the user hears why; refused names are said;
# a name ending in a dot is taken without it; a link is renamed as a name of its own, never over
# the document it points to.
set(samples "${host}/C/Users/user/Documents/Samples")
file(CREATE_LINK "Bracket.grb" "${samples}/Alias.grb" SYMBOLIC)
file(SIZE "${samples}/Bracket.grb" bracket_size)
korvo_run(renames EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "${sample}start\nidle\nopen \"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\"\ndocuments-menu expand \"Libraries\"\ndocuments-menu expand \"Libraries/Samples\"\nexpect box \"Cannot rename Bracket.grb: *open in another program*\" answer ok\ndocuments-menu rename \"Libraries/Samples/Bracket.grb\" \"Bracket 2.grb\"\nexpect box \"Cannot rename \\\"Cover plate.grb\\\" to \\\"NUL.grb\\\": *reserved for a device*\" answer ok\ndocuments-menu rename \"Libraries/Samples/Cover plate.grb\" \"NUL.grb\"\nexpect box \"Cannot rename \\\"Cover plate.grb\\\" to \\\"a:b.grb\\\": *cannot hold*\" answer ok\ndocuments-menu rename \"Libraries/Samples/Cover plate.grb\" \"a:b.grb\"\nexpect box \"Cannot rename Alias.grb: There is already a file with the same name*\" answer ok\ndocuments-menu rename \"Libraries/Samples/Alias.grb\" \"Bracket.grb\"\nexpect box \"Cannot rename Alias.grb: There is already a file with the same name*\" answer ok\ndocuments-menu rename \"Libraries/Samples/Alias.grb\" \"bracket.grb\"\ndocuments-menu rename \"Libraries/Samples/Cover plate.grb\" \"Cover.grb.\"\ndump documents-menu\nquit\n")
korvo_expect("${out}" "\n  - Samples  Samples\n      Alias.grb  [^\n]*\n      Bracket.grb  [^\n]*\n      Cover.grb  C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Cover.grb\n"
             "the renamed rows")
if(NOT EXISTS "${samples}/Bracket.grb" OR NOT EXISTS "${samples}/Cover.grb" OR EXISTS "${samples}/Bracket 2.grb")
  message(FATAL_ERROR "renames went wrong:\n${out}")
endif()
file(SIZE "${samples}/Bracket.grb" size_after)
if(NOT IS_SYMLINK "${samples}/Alias.grb" OR NOT size_after EQUAL bracket_size)
  message(FATAL_ERROR "the link was renamed over the document")
endif()
