# The support dialog and request: the mail address and web pages become links, the mail program
# gets the exact command line and the filled-in form as UTF-16LE without a byte-order mark, one
# that ends without reading hangs nothing, and a missing form is told; the kernel's sketch check
# list answers what the user chose.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
korvo_seed_host(INPUT "start\nidle\nquit\n")
set(mail "\"C:\\\\Program Files\\\\Velmora\\\\Korvo CAD 18.0\\\\KorvoMail.exe\"")
set(request "start\nidle\nexpect dialog 1400 answer click 5556 ok\ncommand 1 1048\ndump mail\nquit\n")

# The sample's form: the first line is the recipient; every line ends in CR LF.
korvo_run(sample EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window INPUT "${request}")
korvo_expect("${out}" "dump mail\nstarted ${mail} --to=\"support@velmora.example\" --subject=\"Technical support request\" --fallback=\"https://www.velmora.example/support\"\ninput [0-9]+ bytes, UTF-16LE without a byte-order mark\n\\| Technical support request\n"
             "the mail program gets the command line and the body without the recipient line")
korvo_expect("${out}" "\\| Date: Mon Jun  1 09:0[0-9]:[0-9][0-9] 2026\n\\| Product: Korvo CAD 18.0.21.0, Language: Russian\n\\| Build date: Nov 28 2019\n"
             "the placeholders are filled in")
korvo_expect("${out}" "\\| Describe the problem here:\nuser close" "the last line ends in CR LF too")

# A recipient with blanks around it and quotes and backslashes in it, a placeholder twice, an
# address on a later line, and no fallback when the page's text is not an address.
file(WRITE "${program}/TechnicalSupportForm.txt" "  o\"brien\\\\desk@mail.example  \n<UserName>/<UserName>\nme@home.example\n")
file(READ "${program}/i18n/Rus.tsv" rus)
string(REPLACE "technical_support_url\thttps://" "technical_support_url\tsee " rus "${rus}")
file(WRITE "${program}/i18n/Rus.tsv" "${rus}")
korvo_run(quoted EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window INPUT "${request}")
korvo_expect("${out}" "started ${mail} --to=\"o\\\\\"brien\\\\\\\\desk@mail.example\" --subject=\"Technical support request\"\ninput 56 bytes, UTF-16LE without a byte-order mark\n\\| user/user\n\\| me@home.example\n"
             "each value is quoted, the blanks go, the placeholder is replaced twice, a later address is body text")

# A first line whose "@" comes first stays in the body and the built-in address is used.
file(WRITE "${program}/TechnicalSupportForm.txt" "@b.c\n")
korvo_run(not_address EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window INPUT "${request}")
korvo_expect("${out}" "--to=\"support@velmora.example\"[^\n]*\ninput 12 bytes[^\n]*\n\\| @b.c\n" "an \"@\" first is no address")

# A mail program that ends without reading hangs nothing; one that is missing is only logged.
file(WRITE "${program}/KorvoMail.exe" "; stand-in program\nexits-early\n")
korvo_run(early EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,window INPUT "${request}")
korvo_expect("${out}" "log 2 The technical support request did not reach the mail program\n" "the failed hand-over is logged")
korvo_expect("${out}" "dump mail\nstarted [^\n]*\nended without reading its input\n" "the program ended without reading")
file(REMOVE "${program}/KorvoMail.exe")
korvo_run(missing_program EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,window INPUT "${request}")
korvo_expect("${out}" "process cannot start ${mail}" "a missing mail program does not start")

# Without a form the user is told and no program starts.
file(REMOVE "${program}/TechnicalSupportForm.txt")
korvo_run(no_form EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window INPUT
  "start\nidle\nexpect box \"The technical support request form cannot be opened:*TechnicalSupportForm.txt\" answer ok\nexpect dialog 1400 answer click 5556 ok\ncommand 1 1048\ndump mail\nquit\n")
korvo_expect("${out}" "dump mail\n\\(none\\)\n" "no mail program without a form")

# A web link opens its page through the shell; About's support button opens the same dialog.
korvo_run(web EXIT 0 OUTPUT out ARGS --host ${host} --quiet log,window INPUT
  "start\nidle\nexpect dialog 1400 answer click 5555 ok\ncommand 1 1048\nquit\n")
korvo_expect("${out}" "ShellExecuteW\\(null, \"http://www.velmora.example/support\"" "the first web link opens its page")

# The kernel's sketch check list: select all then OK checks every setting; clear all then cancel
# leaves them cleared, as the buttons set them at once; clear all then OK clears every row too.
korvo_run(sketch EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window INPUT
  "start\nidle\nexpect dialog 20694 answer click 2156 ok\nkernel RunModalDialog \"0100\"\nexpect dialog 20694 answer cancel\nkernel RunModalDialog \"0100\"\nexpect dialog 20694 answer click 2157 cancel\nkernel RunModalDialog \"1111\"\nexpect dialog 20694 answer click 2157 ok\nkernel RunModalDialog \"1011\"\nquit\n")
korvo_expect("${out}" "RunModalDialog: true states 1111\n.*RunModalDialog: false states 0100\n.*RunModalDialog: false states 0000\n.*RunModalDialog: true states 0000\n" "the check list answers what the user chose")

# Only the first address and the first two web addresses become links, and a text that is a link
# already stays as it is.
file(READ "${program}/dialogs.xml" original_dialogs)
set(dialogs "${original_dialogs}")
string(REPLACE "<Static text=\"Write to technical support:\" rect=\"12,12,330,16\"/>"
  "<Static text=\"See &lt;A HREF=&quot;http://www.velmora.example&quot;&gt;www.velmora.example&lt;/A&gt;\" rect=\"12,2,330,8\"/>\n    <Static text=\"www.velmora.example/news\" rect=\"12,4,330,8\"/>\n    <Static text=\"www.velmora.example/shop\" rect=\"12,6,330,8\"/>\n    <Static text=\"www.velmora.example/blog\" rect=\"12,8,330,8\"/>\n    <Static text=\"Write to technical support:\" rect=\"12,12,330,16\"/>\n    <Static text=\"Mail &lt;A HREF=&quot;mailto:desk@velmora.example&quot;&gt;desk@velmora.example&lt;/A&gt;\" rect=\"12,24,330,8\"/>"
  dialogs "${dialogs}")
file(WRITE "${program}/dialogs.xml" "${dialogs}")
korvo_run(links EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window INPUT
  "start\nidle\nexpect dialog 1400 answer dump ok\ncommand 1 1048\nquit\n")
korvo_expect("${out}" "dialog dump\ndialog control 1 button \"Close\"\ndialog control 5555 syslink \"[^\n]*/news</A>\"\ndialog control 5555 syslink \"[^\n]*/shop</A>\"\ndialog control 5556 syslink \"<A HREF=\"mailto:support@velmora.example\">support@velmora.example</A>\"\ndialog ok\n"
             "one mail link and two web links; texts with links already are left alone")
# A second address before the web addresses stays text.
string(REPLACE "<Static text=\"support@velmora.example\" rect=\"12,32,330,16\"/>"
  "<Static text=\"support@velmora.example\" rect=\"12,32,330,16\"/>\n    <Static text=\"sales@velmora.example\" rect=\"12,48,330,16\"/>"
  dialogs "${original_dialogs}")
file(WRITE "${program}/dialogs.xml" "${dialogs}")
korvo_run(second_address EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window INPUT
  "start\nidle\nexpect dialog 1400 answer dump ok\ncommand 1 1048\nquit\n")
korvo_expect("${out}" "dialog dump\ndialog control 1 button \"Close\"\ndialog control 5556 syslink \"[^\n]*support@velmora.example</A>\"\ndialog control 5555 syslink \"[^\n]*/support</A>\"\ndialog control 5555 syslink \"[^\n]*/forum</A>\"\ndialog ok\n"
             "only the first address becomes the mail link")
