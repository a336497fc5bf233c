# What the program's work costs, as `dump costs` shows it: nothing before the start, then the
# start to the end of the first loop pass; threads that have ended leave no record behind; and a
# library far bigger than a step is filled and searched in steps bounded by the documents each
# looks at, never the whole folder at once.
include(${CMAKE_CURRENT_LIST_DIR}/support/korvo_run.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(configuration "documents-menu configuration \"C:\\Users\\user\\Libraries\\Big.tws\"\n")
korvo_seed_host(INPUT "${configuration}documents-menu library \"Parts\"\n")
set(documents 3000)
foreach(i RANGE 1 ${documents})
  file(WRITE "${host}/C/Users/user/Libraries/Parts/part ${i}.grb" "")
endforeach()

string(REPEAT "kernel --worker GetRegistryCompanyName\n" 20 workers)
string(CONCAT script "${configuration}dump costs\nstart\ndump costs\nidle\nadvance 10\ndump costs\n"
       "${workers}advance 10\ndump costs\n"
       "documents-pane expand \"Big\"\ndocuments-pane expand \"Parts\"\ndump costs\n"
       "documents-pane search \"no such text\"\ndump costs\nquit\n")
korvo_run(costs EXIT 0 OUTPUT out ARGS --host ${host} --quiet call,log,window,user INPUT "${script}")
set(cost "[0-9]+\\.[0-9][0-9][0-9] ms, cpu [0-9]+\\.[0-9][0-9][0-9] ms")
korvo_expect("${out}" "^dump costs\nthreads [0-9]+\nstart none\nloop pass none\nsteps 0\nsteps looking at files 0\ndump costs\n"
             "before the start nothing is measured")
korvo_expect("${out}" "\nstart ${cost}, the loop has not run yet\nloop pass none\n" "the start alone, before the loop ran")

# Each dump is five lines.
string(REGEX MATCHALL "dump costs\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n[^\n]*\n" dumps "${out}")
list(LENGTH dumps count)
if(NOT count EQUAL 6)
  message(FATAL_ERROR "expected six dumps of the costs, found ${count}:\n${out}")
endif()
list(GET dumps 2 idle)
list(GET dumps 3 after_workers)
list(GET dumps 4 filled)
list(GET dumps 5 searched)
korvo_expect("${idle}" "\nstart ${cost}, to the end of the first loop pass\nloop pass ${cost}\nsteps [1-9][0-9]*, longest ${cost}, [0-9]+ files looked at\n"
             "the start lasts until the first loop pass ends")
string(REGEX MATCH "threads ([0-9]+)" ignored "${idle}")
korvo_expect("${after_workers}" "^dump costs\nthreads ${CMAKE_MATCH_1}\n" "20 worker threads that ended left no record")

# "steps looking at files N, longest ..., F files looked at, at most M in one step": enough
# steps to look at nearly every document (the first screen comes with the click, no step of the
# loop), none looking at the whole folder.
function(bounded_steps dump what steps_var)
  set(pattern "steps looking at files ([0-9]+), longest ${cost}, ([0-9]+) files looked at, at most ([0-9]+) in one step")
  if(NOT dump MATCHES "${pattern}")
    message(FATAL_ERROR "${what}: no steps looked at files:\n${dump}")
  endif()
  set(steps ${CMAKE_MATCH_1})
  set(longest ${CMAKE_MATCH_2})
  set(most ${CMAKE_MATCH_3})
  math(EXPR reach "${steps} * ${most} * 10 / 9")
  if(most GREATER_EQUAL ${documents} OR longest GREATER most OR reach LESS ${documents})
    message(FATAL_ERROR "${what}: ${steps} steps, the longest looked at ${longest} files, the most ${most} "
                        "(of ${documents}):\n${dump}")
  endif()
  set(${steps_var} ${steps} PARENT_SCOPE)
endfunction()
bounded_steps("${filled}" "filling the library" fill_steps)
bounded_steps("${searched}" "searching it" all_steps)
math(EXPR search_steps "${all_steps} - ${fill_steps}")
if(search_steps LESS 2)
  message(FATAL_ERROR "a search through ${documents} documents in ${search_steps} step(s):\n${searched}")
endif()
