# The documents-menu verbs end to end: a configuration with libraries is written to its file, a
# later run over the same host folder reads it back, and the tree dump lists the configuration,
# its libraries and their documents; bad paths are reported without stopping the run.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(host ${WORK_DIR}/host)
set(configuration "C:\\Users\\user\\Libraries\\Standard.tws")

korvo_run(first EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "dump documents-menu\ndocuments-menu library \"Orphans\"\ndocuments-menu configuration \"${configuration}\"\ndocuments-menu library \"Bolts\"\ndocuments-menu library \"D:\\Shared\\Nuts\"\nstart\nidle\ndump documents-menu\nquit\n")
korvo_expect("${out}" "^\\(no configurations\\)\ndocuments-menu: no configuration is open to add the library to\n" "an empty model")
korvo_expect("${out}" "\n- Standard  C:\\\\Users\\\\user\\\\Libraries\\\\Standard.tws\n    Bolts  Bolts\n    Nuts  D:\\\\Shared\\\\Nuts\n"
             "the tree after adding two libraries (an empty folder shows no documents)")
if(NOT EXISTS "${host}/C/Users/user/Libraries/Bolts" OR NOT EXISTS "${host}/D/Shared/Nuts")
  message(FATAL_ERROR "the library folders were not made")
endif()

# The second run reads the file back; the folder's documents are listed, the other files not.
file(WRITE "${host}/C/Users/user/Libraries/Bolts/hex bolt.grb" "document")
file(WRITE "${host}/C/Users/user/Libraries/Bolts/notes.txt" "text")
korvo_run(second EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "documents-menu configuration \"${configuration}\"\ndocuments-menu configuration \"C:\\Users\\user\\Broken.tws\"\ndump documents-menu\n")
korvo_expect("${out}" "^- Standard  C:\\\\Users\\\\user\\\\Libraries\\\\Standard.tws\n  - Bolts  Bolts\n      hex bolt.grb  C:\\\\Users\\\\user\\\\Libraries\\\\Bolts\\\\hex bolt.grb\n    Nuts  D:\\\\Shared\\\\Nuts\n"
             "the configuration read back with its libraries and documents")

# A damaged configuration file is refused with its file and line; the run goes on.
file(WRITE "${host}/C/Users/user/Broken.tws" "<configuration name=\"x\">\n  <shelf/>\n</configuration>\n")
korvo_run(broken EXIT 0 OUTPUT out ARGS --host ${host} INPUT
  "documents-menu configuration \"C:\\Users\\user\\Broken.tws\"\ndump documents-menu\n")
korvo_expect("${out}" "warning C:\\\\Users\\\\user\\\\Broken.tws\\(2\\): unknown element <shelf>\ndocuments-menu: cannot open the configuration \"C:\\\\Users\\\\user\\\\Broken.tws\"\n\\(no configurations\\)\n"
             "a damaged file")
