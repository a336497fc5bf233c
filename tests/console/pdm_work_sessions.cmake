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
file(COPY_FILE "${host}/C/Users/user/Documents/Samples/Bracket.grb" "${host}/C/Users/user/Documents/Samples/Spare.grb")
foreach(name session.grs named.grb lone.grb)
  file(WRITE "${host}/C/Users/user/AppData/Local/Temp/${name}" "PDM data")
endforeach()
string(CONCAT script
  "start\nidle\nmodel ConnectPdm\n"
  "model SetPdmWorkSession \"${temp}\\\\session.grs\" \"Gearbox\" \"${sample}\\\\Gone.grb\" \"${sample}\\\\Spare.grb\" \"${sample}\\\\Bracket.grb\"\n"
  "model SetPdmNomenclature \"${temp}\\\\named.grb\" \"${sample}\\\\Cover plate.grb\"\n"
  "model SetPdmNomenclature \"${temp}\\\\lone.grb\"\n"
  "open \"${temp}\\\\session.grs\"\ndump documents\nopen \"${temp}\\\\named.grb\"\ndump documents\n"
  "open \"${temp}\\\\lone.grb\"\ndump documents\nquit\n")
korvo_run(work_sessions EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log INPUT "${script}")
korvo_expect("${out}" "file choose \"[^\n]*session.grs\"\n(.*\n)?dump documents\n\"Spare.grb\" [^\n]* editing-blocked [^\n]*\n\"Bracket.grb\" [^\n]* editing-blocked [^\n]*\nuser command"
  "the work session opens the documents it still has, past one that is gone, as this edition opens any")
korvo_expect("${out}" "file choose \"[^\n]*named.grb\"\n(.*\n)?dump documents\n\"Spare.grb\"[^\n]*\n\"Bracket.grb\"[^\n]*\n\"Cover plate.grb\"[^\n]*\nuser command"
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

# Only a file that really lies in the temporary folder is the PDM system's to delete: a user's
# file reached through "..", "." or a folder link inside it stays, whatever the letter case.
set(host_temp "${host}/C/Users/user/AppData/Local/Temp")
set(host_documents "${host}/C/Users/user/Documents")
set(docs "C:\\\\Users\\\\user\\\\Documents")
file(CREATE_LINK "${host_documents}" "${host_temp}/DocsLink" SYMBOLIC)
foreach(name case.grs case.grb pdm.grb)
  file(WRITE "${host_temp}/${name}" "PDM data")
endforeach()
foreach(name dotdot.grs dot.grb up.grb report.grs linked.grb mine.grb)
  file(WRITE "${host_documents}/${name}" "PDM data")
endforeach()
# A link in the temporary folder to a user's file, and a user's link to a file in it.
file(CREATE_LINK "${host_documents}/mine.grb" "${host_temp}/to-mine.grb" SYMBOLIC)
file(CREATE_LINK "${host_temp}/pdm.grb" "${host_documents}/to-pdm.grb" SYMBOLIC)
set(upper "c:\\\\users\\\\USER\\\\appdata\\\\local\\\\TEMP")
set(dotdot "${temp}\\\\..\\\\..\\\\..\\\\Documents\\\\dotdot.grs")
set(dot "${temp}\\\\.\\\\..\\\\..\\\\..\\\\Documents\\\\dot.grb")
set(up "${temp}\\\\../../..\\\\Documents\\\\up.grb")
set(report "${temp}\\\\DocsLink\\\\report.grs")
set(linked "${upper}\\\\DocsLink\\\\linked.grb")
string(CONCAT script
  "start\nidle\nmodel ConnectPdm\n"
  "model SetPdmWorkSession \"${upper}\\\\case.grs\" \"Gearbox\" \"${sample}\\\\Bracket.grb\"\n"
  "model SetPdmNomenclature \"${upper}\\\\case.grb\" \"${sample}\\\\Cover plate.grb\"\n"
  "model SetPdmWorkSession \"${dotdot}\" \"Gearbox\" \"${sample}\\\\Bracket.grb\"\n"
  "model SetPdmNomenclature \"${dot}\" \"${sample}\\\\Cover plate.grb\"\n"
  "model SetPdmNomenclature \"${up}\"\n"
  "model SetPdmWorkSession \"${report}\" \"Gearbox\" \"${sample}\\\\Bracket.grb\"\n"
  "model SetPdmNomenclature \"${linked}\"\n"
  "model SetPdmNomenclature \"${temp}\\\\to-mine.grb\"\nmodel SetPdmNomenclature \"${docs}\\\\to-pdm.grb\"\n"
  "open \"${upper}\\\\case.grs\"\nopen \"${upper}\\\\case.grb\"\n"
  "open \"${dotdot}\"\nopen \"${dot}\"\nopen \"${up}\"\nopen \"${report}\"\nopen \"${linked}\"\n"
  "open \"${temp}\\\\to-mine.grb\"\nopen \"${docs}\\\\to-pdm.grb\"\ndump documents\nquit\n")
korvo_run(temporary_by_location EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window INPUT "${script}")
foreach(name case.grs case.grb)
  if(EXISTS "${host_temp}/${name}")
    message(FATAL_ERROR "the PDM system's temporary file ${name}, named in another letter case, stayed:\n${out}")
  endif()
endforeach()
foreach(name dotdot.grs dot.grb up.grb report.grs linked.grb mine.grb to-pdm.grb)
  if(NOT EXISTS "${host_documents}/${name}")
    message(FATAL_ERROR "the user's ${name}, named by a way through the temporary folder, was deleted:\n${out}")
  endif()
endforeach()
korvo_expect("${out}" "dump documents\n\"Bracket.grb\"[^\n]*\n\"Cover plate.grb\"[^\n]*\n\"Drawing1\"[^\n]*\n\"Drawing2\"[^\n]*\n\"Drawing3\"[^\n]*\n\"Drawing4\"[^\n]*\nuser close"
  "each kept file still opens what it stands for")

# A nomenclature file that names itself, or two that name each other, fail once with the import's
# message instead of opening each other for ever; a work session blocks editing of every document
# it opens; a nomenclature naming only open documents brings them forward and makes nothing new.
file(REMOVE_RECURSE ${WORK_DIR}/host)
korvo_seed_host()
foreach(name self.grb first.grb second.grb session.grs open.grb)
  file(WRITE "${host}/C/Users/user/Documents/${name}" "PDM data")
endforeach()
string(CONCAT script
  "start\nidle\nmodel ConnectPdm\n"
  "model SetPdmNomenclature \"${docs}\\\\self.grb\" \"${docs}\\\\self.grb\"\n"
  "model SetPdmNomenclature \"${docs}\\\\first.grb\" \"${docs}\\\\second.grb\"\n"
  "model SetPdmNomenclature \"${docs}\\\\second.grb\" \"${docs}\\\\first.grb\"\n"
  "model SetPdmWorkSession \"${docs}\\\\session.grs\" \"Gearbox\" \"${sample}\\\\Bracket.grb\" \"${sample}\\\\Cover plate.grb\"\n"
  "model SetPdmNomenclature \"${docs}\\\\open.grb\" \"${sample}\\\\Bracket.grb\"\n"
  "expect box \"The file is of a format that cannot be opened.\" answer ok\n"
  "open \"${docs}\\\\self.grb\"\ndump documents\n"
  "expect box \"The file is of a format that cannot be opened.\" answer ok\n"
  "open \"${docs}\\\\first.grb\"\ndump documents\ncommand 1 57602\ncommand 1 57602\n"
  "open \"${docs}\\\\session.grs\"\ndump documents\n"
  "open \"${docs}\\\\open.grb\"\ndump documents\nquit\n")
korvo_run(self_naming EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window INPUT "${script}")
string(REGEX MATCHALL "\nbox 0x" boxes "${out}")
list(LENGTH boxes count)
if(NOT count EQUAL 2)
  message(FATAL_ERROR "each file that leads back to itself fails once (${count} boxes):\n${out}")
endif()
korvo_expect("${out}" "self.grb\"\n(.*\n)?dump documents\n\"Drawing1\" \"\" unmodified read-only editing-blocked[^\n]*\nuser"
  "a file naming itself becomes a read-only document of its own")
korvo_expect("${out}" "first.grb\"\n(.*\n)?dump documents\n\"Drawing1\"[^\n]*\n\"Drawing2\" \"\" unmodified read-only[^\n]*\nuser"
  "of two files naming each other the second becomes a document, the first opens it")
korvo_expect("${out}" "session.grs\"\n(.*\n)?dump documents\n\"Bracket.grb\" [^\n]* editing-blocked [^\n]*\n\"Cover plate.grb\" [^\n]* editing-blocked [^\n]*\nuser"
  "every document of a work session has editing blocked in this edition")
korvo_expect("${out}" "open.grb\"\n(.*\n)?dump documents\n\"Bracket.grb\"[^\n]*\n\"Cover plate.grb\"[^\n]*\nuser"
  "a nomenclature naming an open document makes no document of its own")

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
string(CONCAT expected
  "FindFiles\\(\"[^\n]*Bracket.grb\", \"[^\n]*Cover plate.grb\"\\)\n(.*\n)?[^\n]*GetNomenclatureObject\\(\"[^\n]*Cover plate.grb\"\\)\n(.*\n)?"
  "[^\n]*WantsNomenclatureData\\(\"[^\n]*Bracket.grb\"\\)\n[^\n]*WantsNomenclatureData\\(\"[^\n]*Cover plate.grb\"\\)\n(.*\n)?"
  "[^\n]*KVPDMOpenningContext::LoadRemainingData\\(\"[^\n]*Bracket.grb\"\\)\n(.*\n)?"
  "[^\n]*OpenInBatch\\(\"[^\n]*Bracket.grb\", \"[^\n]*Bracket.grb\", any read-only true, any nomenclature true, nomenclature wanted false\\)\n(.*\n)?"
  "[^\n]*KVPDMOpenningContext::LoadRemainingData\\(nomenclature \"[^\n]*Cover plate.grb\"\\)\n(.*\n)?"
  "[^\n]*OpenInBatch\\(\"[^\n]*Cover plate.grb\", nomenclature \"[^\n]*Cover plate.grb\", any read-only true, any nomenclature true, nomenclature wanted true\\)")
korvo_expect("${first}" "${expected}"
             "each file opens with its context, its remaining data read first, and the kernel hears what was noted")
string(CONCAT expected
  "OpenInBatch\\(\"[^\n]*Bracket.grb\", none, any read-only true, any nomenclature false, nomenclature wanted false\\)\n(.*\n)?"
  "[^\n]*OpenInBatch\\(\"[^\n]*Cover plate.grb\", none, any read-only true, any nomenclature false, nomenclature wanted false\\)")
korvo_expect("${second}" "${expected}"
             "without a source an item without context has none; a failed read of the remaining data opens the file without its context")
if(second MATCHES "GetNomenclatureObject|WantsNomenclatureData")
  message(FATAL_ERROR "without a source or nomenclature data nothing is asked of either:\n${second}")
endif()
korvo_expect("${second}" "dump documents\n\"Bracket.grb\"[^\n]*\n\"Cover plate.grb\"[^\n]*\nuser" "both files open")
