# The frame tools at the console: the rulers and page tabs of the active document view (refused
# without one), a fragment command reaching the view through the frame, the PDM assembly pane
# following the connection with its contents, and an image edited in the customise sheet going to
# every control of its command.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(program_folder "C:\\\\Program Files\\\\Velmora\\\\Korvo CAD 18.0")
string(CONCAT views
  "documents-menu configuration \"C:\\\\Users\\\\user\\\\Documents\\\\Libraries.tws\"\n"
  "start\nidle\ncommand 1 803\ncommand 1 804\n"
  "open \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Bracket.grb\"\ndump modes 1\n"
  "command 1 803\ncommand 1 804\ndump modes 1\ncommand 1 803\ndump modes 1\n"
  "import-commands \"${program_folder}\\\\UserCommands.kvcmd\"\ncommand 1 37005\n"
  "quit\n")
korvo_run(view_commands EXIT 0 OUTPUT out ARGS --quiet log,window INPUT "${views}")
korvo_expect("${out}" "user command 803 to frame 1\nwarning disabled command 803 not executed\nuser command 804 to frame 1\nwarning disabled command 804 not executed\n"
             "without a document view the rulers and page tabs are refused")
korvo_expect("${out}" "dump modes 1\n([^\n]*\n)*view rulers off page-tabs on split-rulers off\n"
             "a new view: no rulers, its page tabs shown")
korvo_expect("${out}" "call CKVTabView::ShowRulers\\(true\\)\ncall CKVSplitToolBar::SetRulersState\\(true\\)\n([^\n]*\n)*call CKVTabView::ShowTabs\\(false\\)\ndump modes 1\n([^\n]*\n)*view rulers on page-tabs off split-rulers on\n"
             "803 shows the rulers and the split tool bar follows, 804 hides the page tabs")
korvo_expect("${out}" "call CKVTabView::ShowRulers\\(false\\)\ncall CKVSplitToolBar::SetRulersState\\(false\\)\ndump modes 1\n([^\n]*\n)*view rulers off page-tabs off split-rulers off\n"
             "803 again hides them")
korvo_expect("${out}" "user command 37005 to frame 1\n([^\n]*\n)*call CKVView::InsertFragment\\(\"<Samples>Bracket.grb\", at 0,0\\)\n"
             "the fragment command goes through the frame to the active view")

# The assembly pane: filled by the kernel, shown (beside the model tree) on connecting when the
# frame's bits ask for it, emptied and closed on disconnecting; the frame keeps wanting it.
string(CONCAT assembly
  "start\nidle\nkernel SelectWorkmixPosition \"C:\\\\Work\\\\Gear.kva\" \"Main\" 2\ndump modes 1\n"
  "model SetPdmVersion \"16.5\"\nmodel ConnectPdm\ndump modes 1\ndump panes 1\n"
  "model DisconnectPdm\ndump modes 1\ndump panes 1\nquit\n")
korvo_run(assembly_pane EXIT 0 OUTPUT out ARGS --quiet log,window INPUT "${assembly}")
korvo_expect("${out}" "call CVarnelAssemblyWnd::SelectWorkmixPosition\\(\"C:\\\\Work\\\\Gear.kva\", \"Main\", 2\\)\nkernel SelectWorkmixPosition: done\ndump modes 1\n([^\n]*\n)*pdm-assembly contents on connected off\n"
             "the kernel's position fills the assembly pane's window")
korvo_expect("${out}" "call CVarnelAssemblyWnd::ConnectContents\\(\\)\n([^\n]*\n)*model ConnectPdm: 0\ndump modes 1\n([^\n]*\n)*pdm-listed 0x03\npdm-assembly contents on connected on\n([^\n]*\n)*dump panes 1\n([^\n]*\n)*1019 docked [^\n]* group 1006 selected window 0x"
             "connected: the contents connect and the assembly pane shows beside the model tree")
korvo_expect("${out}" "call CVarnelAssemblyWnd::DestroyContents\\(\\)\n([^\n]*\n)*model DisconnectPdm: done\ndump modes 1\n([^\n]*\n)*pdm-panes 0x03\n([^\n]*\n)*pdm-listed 0x00\npdm-assembly contents off connected off\n([^\n]*\n)*1019 closed "
             "disconnected: the contents go, the pane closes and the frame still wants it next time")

# Image edits in the customise sheet: only while the commands page shows; an edited image and a
# pasted one are new icons that every control of the command takes; a reset goes back to the
# command's own; the name box renames the selected control alone.
korvo_run(icon_menu_refused EXIT 1 OUTPUT out ARGS --quiet log,window,call
          INPUT "start\nidle\nexpect dialog 783 answer rclick-bar 1029 cancel\ncommand 1 35001\nquit\n")
korvo_expect("${out}" "dialog rclick-bar 1029\nuser right-click 1029 on frame 1 in customise mode\nfailure dialog: rclick-bar 1029: the bars are not in customise mode"
             "outside the commands page there is no customise menu")

string(CONCAT icons
  "start\nidle\n"
  "expect dialog \"Button Editor\" answer ok\nexpect menu choose 9129\n"
  "expect menu choose 9126\nexpect menu choose 9127\n"
  "expect dialog 783 answer page 9150 rclick-bar 1029 rclick-bar 1001 rclick-bar 1093 ok\ncommand 1 35001\ndump bars 1\ndump ribbon 1\n"
  "expect dialog \"Button Editor\" answer cancel\nexpect menu choose 9129\nexpect menu choose 9128\n"
  "expect dialog \"Rename\" answer text 100 \"Keep\" ok\nexpect menu choose 9130\n"
  "expect dialog 783 answer page 9150 rclick-bar 1001 rclick-bar 1029 rclick-bar 1201 ok\ncommand 1 35001\ndump bars 1\ndump ribbon 1\nquit\n")
korvo_run(icon_edits EXIT 0 OUTPUT out ARGS --quiet log,window,call INPUT "${icons}")
korvo_expect("${out}" "menu   9127 \"Paste Button Image\" disabled\n" "nothing copied yet: no paste")
korvo_expect("${out}" "dialog \"CXTPImageEditorDialog\" \"Button Editor\" [^\n]*\ndialog ok\n" "the edit opens the button editor")
after("${out}" "dump bars 1\n" edited)
korvo_expect("${edited}" "\n  1029 button \"Save\" [^\n]* icon 131072 category" "the edited image is a new icon, on the tabbed bar's Save too")
korvo_expect("${edited}" "\n    1029 button \"Save\" icon 131072\n    1093 button \"Save as\" icon 131073\n"
             "on the ribbon: the edited Save and the image of Open pasted onto Save as")
after("${edited}" "dialog ended 2\n" reset)
korvo_expect("${reset}" "\n  1029 button \"Save\" visible enabled unchecked category" "a reset gives Save its own image everywhere")
korvo_expect("${reset}" "\n    1029 button \"Save\"\n    1093 button \"Save as\" icon 131073\n    1201 button \"Keep\"\n"
             "a cancelled edit changes nothing, the name box renames the control alone")
