# The hosts the program's links and forum button point to, chosen when
# configuring: a distributor sets the real ones with -D and edits no source.
# They become fixed texts of the program (configured_hosts.h); the program
# reads no configuration when it runs. The tests expect the same hosts.
set(CORVANEL_LINK_HOST_1 link1.example CACHE STRING "Host of link service 1: http://HOST/mp3.php/")
set(CORVANEL_LINK_HOST_2 link2.example CACHE STRING "Host of link service 2: http://HOST/bdwp.php/")
set(CORVANEL_LINK_HOST_3 link3.example CACHE STRING "Host of link service 3: http://HOST/bdwp.php/")
set(CORVANEL_FORUM_ADDRESS www.vantrel.example CACHE STRING
  "The forum's address that the forum button opens: a bare host beginning with www.")

include(${CMAKE_CURRENT_LIST_DIR}/host_rules.cmake)
foreach(variable CORVANEL_LINK_HOST_1 CORVANEL_LINK_HOST_2 CORVANEL_LINK_HOST_3 CORVANEL_FORUM_ADDRESS)
  corvanel_host_problem(${variable} "${${variable}}" problem)
  if(problem)
    message(FATAL_ERROR "${problem}")
  endif()
endforeach()

configure_file(${CMAKE_CURRENT_LIST_DIR}/configured_hosts.h.in
  ${CMAKE_BINARY_DIR}/configured/configured_hosts.h @ONLY)
add_library(corvanel_hosts INTERFACE)
target_include_directories(corvanel_hosts INTERFACE ${CMAKE_BINARY_DIR}/configured)
