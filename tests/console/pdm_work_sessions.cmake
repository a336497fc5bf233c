# Files the PDM system hands the program in place of documents: a work session opens its
# documents, a nomenclature file the documents it names, another becomes a document of its own;
# the PDM system's temporary file goes once read. Files opened together take what the PDM system
# knows of each.
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

# Files dropped together open each with what the work mix knows of it: its item's context, or for
# an item without one the nomenclature object the work mix's source has for the file; the kernel
# hears whether any is read-only or can hold nomenclature data, and is asked per file whether it
# wants that file's nomenclature data. A PDM failure on one file opens that file without a context.
set(bracket "${sample}\\Bracket.grb")
set(cover "${sample}\\Cover plate.grb")
string(CONCAT script
  "start\nidle\nmodel ConnectPdm\n"
  "model ManagePdmFile \"${bracket}\" read-only\n"
  "model ManagePdmFile \"${cover}\" no-context\n"
  "model SetPdmNomenclature \"${cover}\" \"${bracket}\"\n"
  "model SetPdmNomenclatureWanted \"${bracket}\" 0\n"
  "drop 1 1000,500 \"${bracket}\" \"${cover}\"\ncommand 1 57602\ncommand 1 57602\n"
  "model SetPdmNomenclatureSource 0\nmodel FailPdmCall \"LoadRemainingData\"\n"
  "expect box \"The PDM system did not answer: LoadRemainingData\" answer ok\n"
  "drop 1 1000,500 \"${bracket}\" \"${cover}\"\ndump documents\nquit\n")
korvo_run(opened_together EXIT 0 OUTPUT out ARGS --host ${host} --quiet log,window INPUT "${script}")
after("${out}" "user drop" first)
after("${first}" "model SetPdmNomenclatureSource" second)
string(REPLACE "${second}" "" first "${first}")
korvo_expect("${first}" "FindFiles\\(\"[^\n]*Bracket.grb\", \"[^\n]*Cover plate.grb\"\\)\n(.*\n)?[^\n]*GetNomenclatureObject\\(\"[^\n]*Cover plate.grb\"\\)\n(.*\n)?"
  "[^\n]*WantsNomenclatureData\\(\"[^\n]*Bracket.grb\"\\)\n[^\n]*WantsNomenclatureData\\(\"[^\n]*Cover plate.grb\"\\)\n(.*\n)?"
  "[^\n]*KVPDMOpenningContext::LoadRemainingData\\(\"[^\n]*Bracket.grb\"\\)\n(.*\n)?"
  "[^\n]*OpenInBatch\\(\"[^\n]*Bracket.grb\", \"[^\n]*Bracket.grb\", any read-only true, any nomenclature true, nomenclature wanted false\\)\n(.*\n)?"
  "[^\n]*KVPDMOpenningContext::LoadRemainingData\\(nomenclature \"[^\n]*Cover plate.grb\"\\)\n(.*\n)?"
  "[^\n]*OpenInBatch\\(\"[^\n]*Cover plate.grb\", nomenclature \"[^\n]*Cover plate.grb\", any read-only true, any nomenclature true, nomenclature wanted true\\)"
  "each file opens with its context, its remaining data read first, and the kernel hears what was noted")
korvo_expect("${second}" "OpenInBatch\\(\"[^\n]*Bracket.grb\", none, any read-only true, any nomenclature false, nomenclature wanted false\\)\n(.*\n)?"
  "[^\n]*OpenInBatch\\(\"[^\n]*Cover plate.grb\", none, any read-only true, any nomenclature false, nomenclature wanted false\\)"
  "without a source an item without context has none; a failed read of the remaining data opens the file without its context")
if(second MATCHES "GetNomenclatureObject|WantsNomenclatureData")
  message(FATAL_ERROR "without a source or nomenclature data nothing is asked of either:\n${second}")
endif()
korvo_expect("${second}" "dump documents\n\"Bracket.grb\"[^\n]*\n\"Cover plate.grb\"[^\n]*\nuser" "both files open")
