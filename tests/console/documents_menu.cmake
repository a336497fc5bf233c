# The documents-menu verbs end to end: a configuration with libraries is written to its file, a
# later run over the same host folder reads it back, and the tree shows the configuration, its
# libraries and their documents as the user expands them; a document opens on Enter and is
# renamed in place (bad names refused); bad paths and missing rows are reported without
# stopping the run.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(host ${WORK_DIR}/host)
set(configuration "C:\\Users\\user\\Libraries\\Standard.tws")

korvo_run(first EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "dump documents-menu\ndocuments-menu library \"Orphans\"\ndocuments-menu configuration \"${configuration}\"\ndocuments-menu library \"Bolts\"\ndocuments-menu library \"D:\\Shared\\Nuts\"\nstart\nidle\ndump documents-menu\nquit\n")
korvo_expect("${out}" "^dump documents-menu\n\\(no configurations\\)\ndocuments-menu: no configuration is open to add the library to\n" "an empty model")
korvo_expect("${out}" "\ndump documents-menu\n- Standard  C:\\\\Users\\\\user\\\\Libraries\\\\Standard.tws\n  \\+ Bolts  Bolts\n  \\+ Nuts  D:\\\\Shared\\\\Nuts\n"
             "the tree after adding two libraries (a library keeps its expand button until it is filled)")
if(NOT EXISTS "${host}/C/Users/user/Libraries/Bolts" OR NOT EXISTS "${host}/D/Shared/Nuts")
  message(FATAL_ERROR "the library folders were not made")
endif()

# The second run reads the file back; rows are made as the user expands them, the folder's
# documents are listed, the other files not.
file(WRITE "${host}/C/Users/user/Libraries/Bolts/hex bolt.grb" "document")
file(WRITE "${host}/C/Users/user/Libraries/Bolts/nut.grb" "document")
file(WRITE "${host}/C/Users/user/Libraries/Bolts/notes.txt" "text")
korvo_run(second EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "documents-menu configuration \"${configuration}\"\ndocuments-menu configuration \"C:\\Users\\user\\Broken.tws\"\ndump documents-menu\ndocuments-menu expand \"Standard\"\ndocuments-menu expand \"Standard/Bolts\"\ndocuments-menu expand \"Standard/Nuts\"\ndocuments-menu expand \"Standard/Washers\"\ndump documents-menu\n")
korvo_expect("${out}" "^dump documents-menu\n  Broken  C:\\\\Users\\\\user\\\\Broken.tws\n\\+ Standard  C:\\\\Users\\\\user\\\\Libraries\\\\Standard.tws\n"
             "the configuration read back, collapsed until expanded (and a new, empty one), by name")
korvo_expect("${out}" "documents-menu: no row \"Standard/Washers\" is shown\ndump documents-menu\n  Broken  C:\\\\Users\\\\user\\\\Broken.tws\n- Standard  C:\\\\Users\\\\user\\\\Libraries\\\\Standard.tws\n  - Bolts  Bolts\n      hex bolt.grb  C:\\\\Users\\\\user\\\\Libraries\\\\Bolts\\\\hex bolt.grb\n      nut.grb  C:\\\\Users\\\\user\\\\Libraries\\\\Bolts\\\\nut.grb\n    Nuts  D:\\\\Shared\\\\Nuts\n"
             "the expanded tree: documents below their library, an empty library without expand button")

# Enter opens a document through the application; a rename to ".." is refused, a good one renames
# the file and the row follows the folder.
korvo_run(documents EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "documents-menu configuration \"${configuration}\"\nstart\nidle\ndocuments-menu expand \"Standard\"\ndocuments-menu expand \"Standard/Bolts\"\ndocuments-menu enter \"Standard/Bolts/nut.grb\"\nexpect box \"Cannot rename \\\"hex bolt.grb\\\" to \\\"..\\\": *\" answer ok\ndocuments-menu rename \"Standard/Bolts/hex bolt.grb\" \"..\"\ndocuments-menu rename \"Standard/Bolts/hex bolt.grb\" \"hex bolt M6.grb\"\ndocuments-menu rename \"Standard\" \"Other\"\ndump documents-menu\nquit\n")
korvo_expect("${out}" "call ReadDocumentFileInfo\\(\"C:\\\\Users\\\\user\\\\Libraries\\\\Bolts\\\\nut.grb\"\\)" "Enter opens the document")
korvo_expect("${out}" "call SHFileOperationW\\(4, \"C:\\\\Users\\\\user\\\\Libraries\\\\Bolts\\\\hex bolt.grb\" -> \"C:\\\\Users\\\\user\\\\Libraries\\\\Bolts\\\\hex bolt M6.grb\", flags 64\\)\n"
             "one rename reaches the shell")
korvo_expect("${out}" "documents-menu: row \"Standard\" cannot be renamed\ndump documents-menu\n- Standard  C:\\\\Users\\\\user\\\\Libraries\\\\Standard.tws\n  - Bolts  Bolts\n      hex bolt M6.grb  C:\\\\Users\\\\user\\\\Libraries\\\\Bolts\\\\hex bolt M6.grb\n      nut.grb"
             "the renamed row")
if(NOT EXISTS "${host}/C/Users/user/Libraries/Bolts/hex bolt M6.grb")
  message(FATAL_ERROR "the document was not renamed")
endif()
string(REGEX MATCHALL "call SHFileOperationW" renames "${out}")
list(LENGTH renames count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "a refused name reached the shell:\n${out}")
endif()

# A damaged configuration file is refused with its file and line; the run goes on.
file(WRITE "${host}/C/Users/user/Broken.tws" "<configuration name=\"x\">\n  <shelf/>\n</configuration>\n")
korvo_run(broken EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "documents-menu configuration \"C:\\Users\\user\\Broken.tws\"\ndump documents-menu\n")
korvo_expect("${out}" "warning C:\\\\Users\\\\user\\\\Broken.tws\\(2\\): unknown element <shelf>\ndocuments-menu: cannot open the configuration \"C:\\\\Users\\\\user\\\\Broken.tws\"\ndump documents-menu\n\\(no configurations\\)\n"
             "a damaged file")
