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

# Connected through the environment, About names the instance connected to, and so does the PDM
# client; the ribbon's PDM popup takes the client's product name while connected (and its own
# caption when the name is empty, when asking fails and once disconnected).
korvo_run(about_and_caption EXIT 0 OUTPUT out ARGS --env "KORVOCAD_VARNELINSTANCE=Velmora\\Varnel" --quiet log,window,call
          INPUT "start\nidle\nexpect dialog 183 answer dump ok\ncommand 1 57664\ndump pdm\ndump ribbon 1\nmodel SetPdmProductName \"Varnel Team\"\nmodel DisconnectPdm\nmodel ConnectPdm\ndump pdm\ndump ribbon 1\nmodel SetPdmProductName \"\"\nmodel DisconnectPdm\nmodel ConnectPdm\ndump ribbon 1\nmodel SetPdmProductName \"Varnel Team\"\nmodel FailPdmCall \"GetProductName\"\nmodel DisconnectPdm\nmodel ConnectPdm\ndump pdm\ndump ribbon 1\nmodel DisconnectPdm\ndump pdm\ndump ribbon 1\nquit\n")
korvo_expect("${out}" "Instance: SOFTWARE\\\\Wow6432Node\\\\Velmora\\\\Varnel" "About names the instance connected to")
if(out MATCHES "Instance: \\(none\\)")
  message(FATAL_ERROR "About shows no instance while connected:\n${out}")
endif()
korvo_expect("${out}" "dump pdm\npdm connected\ninstance \"SOFTWARE\\\\Wow6432Node\\\\Velmora\\\\Varnel\"\nproduct \"Varnel PDM\"\nversion \"18.0\"\n"
             "the client as the stand-in has it")
set(popup "\n  65536 popup \"([^\"]*)\"")
string(REGEX MATCHALL "${popup}" captions "${out}")
korvo_expect("${captions}" "^\n  65536 popup \"Varnel PDM\"[^\n]*;\n  65536 popup \"Varnel Team\"[^\n]*;\n  65536 popup \"Korvo Varnel\"[^\n]*;\n  65536 popup \"Korvo Varnel\"[^\n]*;\n  65536 popup \"Korvo Varnel\"$"
             "connected the popup names the client's product; empty, failing or disconnected its own caption")
korvo_expect("${out}" "dump pdm\npdm connected\n[^\n]*\nproduct \"Varnel Team\" failing\n" "a failing name shows as failing")
korvo_expect("${out}" "dump pdm\npdm disconnected\ninstance \"\"\n" "disconnected it names no instance")

# With desktop composition the ribbon draws into the frame's caption, and the PDM popup there
# paints its icon and its caption itself; without composition it leaves that to the toolkit.
korvo_run(popup_paint EXIT 0 OUTPUT out ARGS --composition --env "KORVOCAD_VARNELINSTANCE=Velmora\\Varnel" --quiet log,window,call
          INPUT "start\nidle\ndump ribbon 1\nquit\n")
korvo_expect("${out}" "\nribbon paint\n  DrawText \\([0-9]+,0\\)-\\([0-9]+,[0-9]+\\) \"Varnel PDM\" [^\n]* transparent DT_RIGHT DT_VCENTER DT_SINGLELINE\n"
             "the popup paints the client's product name in the caption (its icon has no pixels here)")
korvo_run(popup_no_paint EXIT 0 OUTPUT out ARGS --env "KORVOCAD_VARNELINSTANCE=Velmora\\Varnel" --quiet log,window,call
          INPUT "start\nidle\ndump ribbon 1\nquit\n")
if(out MATCHES "ribbon paint")
  message(FATAL_ERROR "without composition the popup painted in the caption:\n${out}")
endif()
