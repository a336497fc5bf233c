# Image documents from the console: a picture opens in a child frame of its own with its tab,
# zoom stops at its limits, the scroll bars move the picture, printing makes a print job and
# saving writes a file with the same pixels (here: the same bytes as the sample's picture).
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(gear "C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Gear.png")
korvo_run(open EXIT 0 ARGS --host ${WORK_DIR}/host OUTPUT out INPUT
  "start\nidle\nopen \"${gear}\"\ndump documents\ndump tabs 1\ndump windows\ndump image 1\nquit\n")
# Titled by its path, as its frame and tab are, with the path it was read from.
korvo_expect("${out}" "\n\"${gear}\" \"${gear}\" CDibDoc unmodified frame 0x[0-9a-f]+\n" "the image document")
korvo_expect("${out}" "\n  1 0x[0-9a-f]+ \"C:[^\n]*Gear.png\" selected " "its tab")
korvo_expect("${out}" "\"AfxFrameOrView\" \"C:[^\n]*Gear.png\" visible" "its frame, titled with the path")
korvo_expect("${out}" "zoom 1 origin \\([0-9]+,[0-9]+\\) picture 96x64 zoomed 96x64[^\n]*\nhorizontal none\nvertical none\npaint\n  PatBlt"
             "centred at 1:1 without scroll bars")
korvo_expect("${out}" "\n  StretchBlt \\([0-9,]+\\)-\\([0-9,]+\\) from 96x64 \\(0,0\\)-\\(96,64\\) SRCCOPY" "the whole picture drawn")

# Zoom in as far as it goes (2^30 pixels for the wider side), out as far as it goes (a pixel for
# the shorter side).
string(REPEAT "command 1 1098\n" 26 zoomIn)
string(REPEAT "command 1 1099\n" 36 zoomOut)
korvo_run(limits EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"${gear}\"\n${zoomIn}dump image 1\n${zoomOut}dump image 1\nquit\n")
korvo_expect("${out}" "zoom 8388608 [^\n]* zoomed 805306368x536870912" "the largest zoom")
korvo_expect("${out}" "zoom 0.015625 [^\n]* zoomed 1x1 " "the smallest zoom")

# Scrolling, a bar that is not shown, printing and saving.
korvo_run(scroll EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"${gear}\"\ncommand 1 1098\ncommand 1 1098\ncommand 1 1098\ncommand 1 1098\ncommand 1 1098\ndrag-thumb 1 horizontal 100\nscroll 1 horizontal line-down\ndump image 1\nquit\n")
# 32 times as large the picture outgrows the document window, which fills the frame's free room.
korvo_expect("${out}" "origin \\(-252,[^\n]*\nhorizontal 1..3072 page 1529 pos 252\n" "the thumb and a line step moved the picture")
korvo_run(no_bar EXIT 0 OUTPUT out INPUT "start\nidle\nopen \"${gear}\"\nscroll 1 vertical page-down\nquit\n")
korvo_expect("${out}" "\nscroll: the active document window shows no vertical scroll bar\n" "a bar not shown")

file(REMOVE_RECURSE ${WORK_DIR}/host)
korvo_run(print_and_save EXIT 0 ARGS --host ${WORK_DIR}/host OUTPUT out INPUT
  "start\nidle\nopen \"${gear}\"\ncommand 1 1027\nexpect print cancel\ncommand 1 0xE107\nexpect print ok\ncommand 1 0xE107\ndump print-jobs\nexpect file choose \"C:\\\\Users\\\\user\\\\Documents\\\\Gear copy.png\"\ncommand 1 1029\nquit\n")
korvo_expect("${out}" "call print_bitmap\\(96x64\\) = 0\n" "the kernel prints the picture")
korvo_expect("${out}" "job 1 \"Picture 96x64\" ended\n  StretchBlt \\(0,0\\)-\\(4800,3200\\) from 96x64" "the print job")
korvo_expect("${out}" "\njob 2 \"C:[^\n]*Gear.png\" ended\n  StretchBlt \\([0-9,]+\\)-\\([0-9,]+\\) from 96x64" "the framework's print after the dialog")
file(SHA256 ${SOURCE_DIR}/sample/program/Samples/Gear.png original)
file(SHA256 "${WORK_DIR}/host/C/Users/user/Documents/Gear copy.png" saved)
if(NOT original STREQUAL saved)
  message(FATAL_ERROR "the saved picture differs from the sample's")
endif()

# A save that cannot be written says so, naming the file, and leaves no file behind.
korvo_run(save_fails EXIT 0 ARGS --host ${WORK_DIR}/host OUTPUT out INPUT
  "start\nidle\nopen \"${gear}\"\nexpect file choose \"C:\\\\Nowhere\\\\Gear.png\"\nexpect box \"*\" answer ok\ncommand 1 1029\nexpect file choose \"C:\\\\Users\\\\user\\\\Documents\\\\Gear.xyz\"\nexpect box \"*\" answer ok\ncommand 1 1093\nquit\n")
korvo_expect("${out}" "box [^\n]*\"Не удалось записать файл \\\"C:\\\\Nowhere\\\\Gear.png\\\".\" OK icon WARNING" "a folder that is not there")
korvo_expect("${out}" "box [^\n]*\"Не удалось записать файл \\\"C:\\\\Users\\\\user\\\\Documents\\\\Gear.xyz\\\".\" OK icon WARNING" "a format the library does not write")
if(EXISTS "${WORK_DIR}/host/C/Users/user/Documents/Gear.xyz")
  message(FATAL_ERROR "a failed save left a file")
endif()

# A name typed without an extension is saved with the chooser's default one (.png), and a folder
# name with a period in it does not count as the file's extension.
file(MAKE_DIRECTORY "${WORK_DIR}/host/C/Users/user/Documents/v1.2")
korvo_run(default_extension EXIT 0 ARGS --host ${WORK_DIR}/host OUTPUT out INPUT
  "start\nidle\nopen \"${gear}\"\nexpect file choose \"C:\\\\Users\\\\user\\\\Documents\\\\Gear plain\"\ncommand 1 1029\nexpect file choose \"C:\\\\Users\\\\user\\\\Documents\\\\v1.2\\\\Gear\"\ncommand 1 1029\nquit\n")
if(out MATCHES "\nbox ")
  message(FATAL_ERROR "a name without an extension was refused:\n${out}")
endif()
foreach(saved "Gear plain.png" "v1.2/Gear.png")
  if(NOT EXISTS "${WORK_DIR}/host/C/Users/user/Documents/${saved}")
    message(FATAL_ERROR "\"${saved}\" was not written:\n${out}")
  endif()
endforeach()
