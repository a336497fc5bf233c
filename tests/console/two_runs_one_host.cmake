# Two runs of the program over one host folder: what the first run leaves in the registry the
# second run finds, a run that changes nothing writes no registry file again, and a strict run
# fails on a message box nobody expected.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(host ${WORK_DIR}/host)

function(run_korvo script expected_exit out_var)
  file(WRITE ${WORK_DIR}/${script}.korvo "${ARGN}")
  korvo_run(${script} EXIT ${expected_exit} OUTPUT out ARGS --host ${host} --script ${WORK_DIR}/${script}.korvo)
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()

# The machine-wide help folder is an installation value; the first run copies it to the user's key.
file(WRITE ${host}/registry/HKEY_LOCAL_MACHINE.reg
     "; registry hive HKEY_LOCAL_MACHINE\n[SOFTWARE\\Velmora\\Korvo CAD 18.0]\n\"SetupHelpPath\"=\"C:\\\\Help\"\n")
run_korvo(first 0 out "start\nidle\nquit\n")
if(NOT out MATCHES "log 2 Initialized in [0-9]+\\.[0-9][0-9][0-9] ms")
  message(FATAL_ERROR "first run did not finish its start-up:\n${out}")
endif()
file(READ ${host}/registry/HKEY_CURRENT_USER.reg user_hive)
if(NOT user_hive MATCHES "\\[Software\\\\Velmora\\\\Korvo CAD 18.0\\\\Help\\]\n\"Path\"=\"C:\\\\\\\\Help\"")
  message(FATAL_ERROR "the first run did not keep the help path:\n${user_hive}")
endif()

# Without the installation value the second run still has the help path the first one stored.
file(REMOVE ${host}/registry/HKEY_LOCAL_MACHINE.reg)
run_korvo(second 0 out "start\nidle\ndump registry\nquit\n")
if(NOT out MATCHES "\"Path\"=\"C:\\\\\\\\Help\"")
  message(FATAL_ERROR "the second run lost the help path:\n${out}")
endif()

# A later start over a host it changes nothing in leaves the user's hive file as it was: the
# comment put in by hand would be gone had the run written the file again.
run_korvo(settled 0 out "start\nidle\nquit\n")
file(APPEND ${host}/registry/HKEY_CURRENT_USER.reg "; put here by hand\n")
run_korvo(unchanged 0 out "start\nidle\nquit\n")
file(READ ${host}/registry/HKEY_CURRENT_USER.reg user_hive)
if(NOT user_hive MATCHES "; put here by hand\n")
  message(FATAL_ERROR "a start that changed nothing wrote the user's hive again:\n${user_hive}")
endif()

# An optional module of the wrong version shows a box: unexpected, it fails a strict run ...
file(WRITE "${host}/C/Program Files/Velmora/Korvo CAD 18.0/KV3DSE.dll"
     "; module manifest\nversion=18.0.20.0\n")
run_korvo(unexpected_box 1 out "start\nidle\nquit\n")
# ... and expected and answered, the run goes on and ends well.
run_korvo(expected_box 0 out "expect box \"*KV3DSE.dll*18.0.20.0*\" answer ok\nstart\nidle\nquit\n")
if(NOT out MATCHES "log 2 Initialized in")
  message(FATAL_ERROR "start-up did not go on after the module box:\n${out}")
endif()
