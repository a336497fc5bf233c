# Files the PDM system hands the program in place of documents: a work session opens its
# documents, a nomenclature file the documents it names, another becomes a document of its own;
# the PDM system's temporary file goes once read.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
korvo_seed_host()

set(temp "C:\\\\Users\\\\user\\\\AppData\\\\Local\\\\Temp")
set(sample "C:\\\\Users\\\\user\\\\Documents\\\\Samples")
foreach(name session.grs named.grb lone.grb)
  file(WRITE "${host}/C/Users/user/AppData/Local/Temp/${name}" "PDM data")
endforeach()
string(CONCAT script
  "start\nidle\nmodel ConnectPdm\n"
  "model SetPdmWorkSession \"${temp}\\\\session.grs\" \"Gearbox\" \"${sample}\\\\Bracket.grb\"\n"
  "model SetPdmNomenclature \"${temp}\\\\named.grb\" \"${sample}\\\\Cover plate.grb\"\n"
  "model SetPdmNomenclature \"${temp}\\\\lone.grb\"\n"
  "open \"${temp}\\\\session.grs\"\ndump documents\nopen \"${temp}\\\\named.grb\"\ndump documents\n"
  "open \"${temp}\\\\lone.grb\"\ndump documents\nquit\n")
korvo_run(work_sessions EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log INPUT "${script}")
korvo_expect("${out}" "file choose \"[^\n]*session.grs\"\n(.*\n)?dump documents\n\"Bracket.grb\" [^\n]*\nuser command"
  "the work session opens its document")
korvo_expect("${out}" "file choose \"[^\n]*named.grb\"\n(.*\n)?dump documents\n\"Bracket.grb\"[^\n]*\n\"Cover plate.grb\"[^\n]*\nuser command"
  "the nomenclature's document opens")
korvo_expect("${out}" "file choose \"[^\n]*lone.grb\"\n(.*\n)?dump documents\n(.*\n)?\"Drawing1\" \"\" unmodified read-only "
  "a nomenclature naming no document becomes a read-only document of its own")
foreach(name session.grs named.grb lone.grb)
  if(EXISTS "${host}/C/Users/user/AppData/Local/Temp/${name}")
    message(FATAL_ERROR "the PDM system's temporary file ${name} stayed:\n${out}")
  endif()
endforeach()
if(out MATCHES "box ")
  message(FATAL_ERROR "no message for files the PDM system claims:\n${out}")
endif()
