# The choosers' windows end to end, as a user meets them: the colour pop-up drops below its
# control from its template, and the gap between its lists drags with the mouse under the
# splitter cursor, both lists kept above 10 pixels and the sizes kept for the next pop-up; the
# layer and coordinate-system lists open at their stored size; and the font combo's list window
# takes what is typed into the combo: a "$name" makes a text variable, a font's name selects it,
# anything else goes back to the font chosen before.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(samples "C:\\Users\\user\\Documents\\Samples")
set(setup "start\nidle\nopen \"${samples}\\Bracket.grb\"\nkernel SetSyspanelControls 904 0 0 911 0 0 912 0 0 914 0 0\n\
kernel EnableSyspanelControl 904 1\nkernel EnableSyspanelControl 911 1\nkernel EnableSyspanelControl 912 1\n\
kernel EnableSyspanelControl 914 1\n")

korvo_run(colour_splitter EXIT 0 OUTPUT out ARGS --quiet log,call,window INPUT
  "${setup}click 1 904\ndump chooser 1\nexpect colour choose 10,20,200\npick 1 \"Other colours...\"\nclick 1 904\n\
chooser-mouse 1 20,195 move\nchooser-mouse 1 20,195 down\ndump chooser 1\nchooser-mouse 1 20,215 move\n\
chooser-mouse 1 20,270 move\nchooser-mouse 1 20,215 up\ndump chooser 1\nchooser-mouse 1 20,400 move\naway 1\n\
chooser-mouse 1 20,195 move\ndump chooser 1\nclick 1 904\ndump chooser 1\nquit\n")
korvo_expect("${out}" "\ndump chooser 1\nwindow at [0-9]+,[0-9]+ size 200x300 shown active\ncolour pop-up 200x300 show256 on current Black\n\
  standard from y 4 to 264 height 260 item height 18 items 256 selected \"Black\"\n  user from y 196 to 266 height 70 item height 18 items 0 hidden\n"
             "without custom colours the user list hides and the standard list takes its place")
korvo_expect("${out}" "\ndump chooser 1\nwindow at [0-9]+,[0-9]+ size 200x300 shown active capturing the mouse cursor 30981\n[^\n]*\n\
  standard from y 4 to 194 height 190 [^\n]*\n  user from y 196 to 266 height 70 item height 18 items 1 selected \"R10 G20 B200\"\n"
             "a press on the gap between the lists takes the mouse under the splitter cursor")
korvo_expect("${out}" "\ndump chooser 1\nwindow at [0-9]+,[0-9]+ size 200x300 shown active cursor 30981\n[^\n]*\n\
  standard from y 4 to 214 height 210 [^\n]*\n  user from y 216 to 266 height 50 "
             "the drag moved the boundary; a move that would squeeze the user list was refused")
korvo_expect("${out}" "\nchooser-mouse: the point 20,400 is outside the client area of 0x[0-9a-fA-F]+\n" "a point past the pop-up")
korvo_expect("${out}" "\nchooser-mouse: no chooser is open in that frame\ndump chooser 1\n\\(no chooser open\\)\n"
             "once closed there is nothing to take hold of")
korvo_expect("${out}" "\n  standard from y 4 to 214 height 210 [^\n]*\n  user from y 216 to 266 height 50 [^\n]*\nuser close frame 1\n"
             "the next pop-up opens with the sizes the drag left")

korvo_run(lists EXIT 0 OUTPUT out ARGS --quiet log,call,window INPUT
  "${setup}click 1 911\ndump chooser 1\npick 1 \"Dimensions\"\ndump chooser 1\nclick 1 912\ndump chooser 1\naway 1\nquit\n")
korvo_expect("${out}" "\ndump chooser 1\nwindow at [0-9]+,[0-9]+ size 300x300 shown active\nlayer list rows 3 selected \"0\"\n  0\n  Dimensions\n  new\n"
             "the layer list at its stored size, the current layer selected, the new-layer entry last")
korvo_expect("${out}" "\nuser pick \"Dimensions\" in frame 1\ndump chooser 1\n\\(no chooser open\\)\n" "a choice closes the list")
korvo_expect("${out}" "\ncoordinate-system list rows 5 selected \"PageCoordinateSystem \\(Page 1\\)\"\n  PageCoordinateSystem \\(Page 1\\)\n\
  Base\n  Front view\n  Top view\n  CreateOrSelectCoordinateSystem\n" "the page's system, its local systems, the projections without one, the command")

korvo_run(font_combo EXIT 0 OUTPUT out ARGS --quiet log,window INPUT
  "${setup}dump fonts 1\ntype 1 914 \"$Title\"\ntype 1 914 \"simplex.shx\"\ndump fonts 1\ntype 1 914 \"Nothing\"\ndump panel 1\n\
type 1 914 \"Korvo ISO\"\ndump fonts 1\ntype 1 914 \"Default\"\ndump fonts 1\nquit\n")
korvo_expect("${out}" "\npanel font combo shows \"\" selected -1 name \"\" kind 32 list window pop-up owned by the frame items 10 item height 20\n\
  0 \"Default\" kind 16 indented\n  1 \"Korvo GOST\" kind 4 bitmap 11548\n  2 \"Korvo ISO\" kind 4 bitmap 11548\n\
  3 \"engineering-lettering-condensed\" kind 8 bitmap 4101\n  4 \"romans.shx\" kind 8 bitmap 4101\n  5 \"simplex.shx\" kind 8 bitmap 4101\n\
  6 \"gothic.fnt\" kind 8 bitmap 4101\n  7 \"Arial\" kind 4 bitmap 11548\n"
             "the default entry, the kernel's fonts, the vector files, then the other system fonts")
korvo_expect("${out}" "\nuser type \"\\$Title\" into 914 on frame 1\ncall KVDocument::create_text_var\\(\"\\$Title\", -1, \"\"\"\", 255, 0\\)\n"
             "a dollar name makes a text variable of the drawing")
korvo_expect("${out}" "\npanel font combo shows \"simplex.shx\" selected 5 name \"simplex.shx\" kind 0 "
             "a vector font typed by its file name is selected, of kind 0")
korvo_expect("${out}" "\nribbon font combo shows \"simplex.shx\" selected 5 name \"simplex.shx\" kind 0 " "the ribbon's twin follows")
korvo_expect("${out}" "\n  914 font group - \"simplex.shx\" [^\n]* ribbon \"simplex.shx\"\n" "a name no font has goes back to the chosen font")
korvo_expect("${out}" "\npanel font combo shows \"Korvo ISO\" selected 2 name \"Korvo ISO\" kind 1 " "a system font is of kind 1")
korvo_expect("${out}" "\npanel font combo shows \"Default\" selected 0 name \"Default\" kind 16 " "the default entry is of kind 16")

korvo_run(dump_before_start EXIT 2 ERROR err INPUT "dump chooser 1\n")
korvo_expect("${err}" "<stdin>:1: dump" "no chooser before the program runs")
korvo_run(bad_action EXIT 2 ERROR err INPUT "chooser-mouse 1 1,1 line-up\n")
korvo_expect("${err}" "is a scroll action, not a mouse action" "a scroll action is no mouse action")
