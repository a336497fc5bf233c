# The system panel's selection-filter sets as the kernel asks for them through a frame's
# selection-filter interface: the parameters alone, the selection area before the filter
# buttons, a button a set adds without listing it, and the answers to the current and an unknown
# set.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

set(P "  1079 button [^\n]*\n  911 layer [^\n]*\n  1044 button [^\n]*\n  907 edit [^\n]*\n  910 icon [^\n]*\n  909 edit [^\n]*\n  2031 button [^\n]*\n  904 colour [^\n]*\n")
set(filters "")
foreach(pair "2701;Points" "2702;Lines" "2703;Circles" "2704;Arcs" "2705;Ellipses" "2706;Splines" "2707;Polylines"
             "2708;Construction lines" "2709;Nodes")
  list(GET pair 0 id)
  list(GET pair 1 text)
  string(APPEND filters "  ${id} filter group - \"${text}\" enabled visible class SelectionFilterButton tag [0-9]+ [a-z-]+ unchecked icon [0-9]+ tooltip \"${text}\"\n")
endforeach()

string(CONCAT sets_script
  "start\nidle\nkernel --frame 1 SetSelectionFilterSet 5\nkernel --frame 1 SetSelectionFilterSet 0\ndump panel 1\n"
  "kernel --frame 1 SetSelectionFilterSet 5\ndump panel 1\nkernel --frame 1 SetSelectionFilterSet 5\n"
  "kernel --frame 1 SetSelectionFilterSet 99\nkernel --frame 1 GetSelectionFilterSet\n"
  "kernel --frame 1 SetSelectionFilterSet 32\ndump panel 1\nquit\n")
korvo_run(sets EXIT 0 OUTPUT out INPUT "${sets_script}")
korvo_expect("${out}" "dump panel 1\nbar visible filter-set 0\n${P}log 2 Switched"
             "set 0: exactly the parameter row, no selection area")
string(CONCAT expected
  "log 2 Switched system panel to selection filter set #5\nkernel SetSelectionFilterSet: true\n(call [^\n]*\n)*dump panel 1\n"
  "bar visible filter-set 5\n${P}  1250 button [^\n]*\n  1869 button [^\n]*\n"
  "  2796 button [^\n]* class G1SelectionButton [^\n]* begins-group [^\n]*\n"
  "  2797 button [^\n]* class LazyGeometrySelectionButton [^\n]*\n  2799 button [^\n]* class SelectionModePopup [^\n]*\n"
  "  1870 button [^\n]* enabled visible class CXTPControlButton tag 0 begins-group [^\n]*\n  1871 button [^\n]* enabled ")
korvo_expect("${out}" "${expected}"
             "set 5: parameters, a separator, the selection area, 1870 beginning a group and 1871")
korvo_expect("${out}" "  1871 button [^\n]* enabled [^\n]*\n${filters}kernel"
             "then the filter buttons with their looks")
korvo_expect("${out}" "  2701 filter [^\n]* begins-group unchecked icon 4132 tooltip \"Points\"\n  2702 filter [^\n]* in-group unchecked icon 4134 "
             "the first filter button begins a group, the others not")
korvo_expect("${out}" "tooltip \"Nodes\"\nkernel SetSelectionFilterSet: true\nkernel SetSelectionFilterSet: false\nkernel GetSelectionFilterSet: 5\n"
             "the current set again does nothing (no log), an unknown one is refused and leaves the set")
string(CONCAT expected
  "bar visible filter-set 32\n  2796 [^\n]*\n  2797 [^\n]*\n  2799 [^\n]*\n  1870 [^\n]*\n  1871 [^\n]*\n"
  "  2739 filter [^\n]*\n  2738 filter [^\n]*\n  2740 filter [^\n]*\n"
  "  2741 filter group - \"Шины схемы\" [^\n]* icon 40930 [^\n]*\n  2701 filter ")
korvo_expect("${out}" "${expected}"
             "set 32 adds 2741, which it does not list, in its place among the built-in buttons")

# A geometric type shown outside a batch stands at once before 1870; the lazy-geometry button and
# the mode popup follow the frame's selection filters.
string(CONCAT geometric_script
  "start\nidle\nkernel --frame 1 SetSelectionFilterSet 43\nkernel --frame 1 SetSelectionFilterButtonState geometric 3 2 1\n"
  "kernel --frame 1 UpdateSelectionFilters 0\nkernel --frame 1 SetSelectionFilterButtonState 2704 1 1\ndump panel 1\n"
  "kernel --frame 1 SetSelectionFilterButtonState loose 3 2 1\nquit\n")
korvo_run(geometric EXIT 2 OUTPUT out ERROR err INPUT "${geometric_script}")
string(CONCAT expected
  "  2797 button [^\n]* hidden [^\n]*\n  2799 button [^\n]* hidden [^\n]*\n  2827 button [^\n]* enabled visible "
  "class GeometricTypePopupButton [^\n]* icon 4262 [^\n]*\n  1870 ")
korvo_expect("${out}" "${expected}"
             "the circles' filter with every circle taken, before 1870; mode buttons hidden")
korvo_expect("${out}" "  2704 filter group - \"Arcs\" disabled visible [^\n]* checked " "a filter button checked and disabled")
korvo_expect("${err}" "SetSelectionFilterButtonState: ID CHECKED DISABLED or geometric TYPE STATE SHOW" "a form that does not exist")

# The frame's other selection-filter operations reach the panel: a registered button shown on
# a set without filters brings the selection area; properties give look and state at once; hiding
# all gives the buttons their own look back.
string(CONCAT buttons_script
  "start\nidle\nkernel --frame 1 BeginSelectionFilterConfiguration\nkernel --frame 1 ShowSelectionFilterButton 2713 1\n"
  "kernel --frame 1 SetSelectionFilterButtonProperties 2713 777 \"Measures\" 1 0\n"
  "kernel --frame 1 EndSelectionFilterConfiguration\ndump panel 1\nkernel --frame 1 HideAllSelectionFilterButtons\n"
  "dump panel 1\nquit\n")
korvo_run(buttons EXIT 0 OUTPUT out INPUT "${buttons_script}")
korvo_expect("${out}" "  1870 button [^\n]*\n  1871 button [^\n]*\n  2713 filter group - \"Measures\" enabled visible [^\n]* begins-group checked icon 777 "
             "a button shown in a batch: the area laid out at its end, the properties applied")
korvo_expect("${out}" "HideAllSelectionFilterButtons: done\ndump panel 1\nbar visible[^\n]*\n(  [^\n]*\n)*  2713 filter group - \"Dimensions\" enabled hidden [^\n]* icon 4118 "
             "hidden with its own look back")
korvo_run(hide_commands EXIT 0 OUTPUT out INPUT
  "start\nidle\nkernel --frame 1 SetSelectionFilterSet 13\nkernel --frame 1 HideAllSelectionFilterButtons\ndump panel 1\nquit\n")
korvo_expect("${out}" "\n  1250 button [^\n]* visible [^\n]*\n  1869 button [^\n]* visible " "a command of the set stays")
korvo_expect("${out}" "\n  2792 button [^\n]* hidden [^\n]*\n  2791 button [^\n]* hidden " "the selection's commands go with the filters")

# Updating the filters outside a drawing or 3D view with no filter set leaves the panel's controls
# nothing to act on: the ribbon's twins are disabled too; a drawing's view keeps them.
korvo_run(update EXIT 0 OUTPUT out INPUT
  "start\nidle\nkernel EnableSyspanelControl 907 1\ndump ribbon 1\nkernel --frame 1 UpdateSelectionFilters 1\ndump ribbon 1\nquit\n")
string(FIND "${out}" "kernel UpdateSelectionFilters: done" split)
string(SUBSTRING "${out}" 0 ${split} before)
string(SUBSTRING "${out}" ${split} -1 after)
korvo_expect("${before}" "\n    907 edit \"Level\" manual\n" "enabled by the kernel")
korvo_expect("${after}" "\n    907 edit \"Level\" disabled manual\n" "disabled when the filters are updated without a view")
korvo_run(drawing EXIT 0 OUTPUT out INPUT
  "start\nidle\nopen \"C:\\\\Users\\\\user\\\\Documents\\\\Samples\\\\Cover plate.grb\"\nkernel EnableSyspanelControl 907 1\nkernel --frame 1 UpdateSelectionFilters 1\ndump ribbon 1\nquit\n")
string(FIND "${out}" "kernel UpdateSelectionFilters: done" split)
string(SUBSTRING "${out}" ${split} -1 after)
korvo_expect("${after}" "\n    907 edit \"Level\" manual\n" "a drawing's view keeps them")
