# The PDM link: an instance named in the program's environment connects at start-up, the kernel's
# own connect and disconnect reach every frame, a settings profile the PDM system names is applied
# only when the profile manager has it, and a malformed --env stops the run before it starts.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

korvo_run(env_instance EXIT 0 OUTPUT out ARGS --env "KORVOCAD_VARNELINSTANCE=Velmora\\Varnel" --env korvocad_varnelconnection=server:5
          INPUT "start\nidle\nmodel DisconnectPdm\nmodel DisconnectPdm\nquit\n")
korvo_expect("${out}" "call KVPdmApiProxy::FindInstalledPrograms\\([^\n]*\\)\n([^\n]*\n)*call KVPDMWorkMix::Connect\\(false, \"server:5\"\\)\n"
             "the instance under SOFTWARE\\Wow6432Node\\ is found and connected with the connection string")
korvo_expect("${out}" "KVPDMWorkMix::Connect[^\n]*\ncall KorvoServerAppProxy::OnChangeVarnelConnectionState\\(true\\)\n([^\n]*\n)*log 2 Loaded PDM in [0-9.]+ ms\n"
             "the kernel tells the program of the connection, and start-up logs the time it took")
korvo_expect("${out}" "call KVPDMWorkMix::Disconnect\\(\\)\ncall KorvoServerAppProxy::OnChangeVarnelConnectionState\\(false\\)\n([^\n]*\n)*model DisconnectPdm: done\n"
             "the kernel disconnects and tells the program")
string(REGEX MATCHALL "OnChangeVarnelConnectionState\\(false\\)" told "${out}")
list(LENGTH told told_count)
if(NOT told_count EQUAL 2)
  message(FATAL_ERROR "a disconnect while disconnected told the program again (or nothing was told):\n${out}")
endif()

# The instance start-up found is what Connect reaches: once Disconnect has run, Connect is offered
# again and connects the user's way.
korvo_run(reconnect EXIT 0 OUTPUT out ARGS --env "KORVOCAD_VARNELINSTANCE=Velmora\\Varnel" --quiet log,window
          INPUT "start\nidle\ncommand 1 2075\ncommand 1 2074\nquit\n")
korvo_expect("${out}" "user command 2074 to frame 1\n([^\n]*\n)*call KVPDMWorkMix::Connect\\(true, \"\"\\)\n"
             "Connect is enabled after a disconnect and connects interactively")
if(out MATCHES "disabled command 2074")
  message(FATAL_ERROR "Connect stayed disabled with an instance configured:\n${out}")
endif()

korvo_run(no_instance EXIT 0 OUTPUT out INPUT "start\nidle\nmodel ConnectPdm \"Site\"\nquit\n")
korvo_expect("${out}" "log 2 Loaded PDM in" "without a link the start-up still notes its PDM step")
if(out MATCHES "KVPDMWorkMix::Connect[^\n]*\n([^\n]*\n)*log 2 Loaded PDM")
  message(FATAL_ERROR "start-up connected without a configured link:\n${out}")
endif()
korvo_expect("${out}" "model ConnectPdm: 0\n" "the kernel's connection answers 0")
korvo_expect("${out}" "log 7 Failed to copy profile \"Site\" specified in PDM integration parameters"
             "a profile the profile manager does not have is logged, not applied")
if(out MATCHES "Applying profile")
  message(FATAL_ERROR "a profile that could not be copied was applied:\n${out}")
endif()

korvo_run(bad_env EXIT 2 ERROR err ARGS --env NOVALUE INPUT "start\nquit\n")
korvo_expect("${err}" "korvo: --env: \"NOVALUE\" is not NAME=VALUE\n" "an assignment without = is refused")
korvo_run(twice_env EXIT 2 ERROR err ARGS --env A=1 --env a=2 INPUT "start\nquit\n")
korvo_expect("${err}" "korvo: --env: \"a\" given twice\n" "one variable cannot be given twice, in any case")
