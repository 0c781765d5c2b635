# The hosts a configure accepts and rejects.
#   cmake -P host_rules_test.cmake
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/host_rules.cmake)

# variable | value | the problem named, or "ok"
set(cases
  "CORVANEL_LINK_HOST_1|link1.example|ok"
  "CORVANEL_LINK_HOST_2|a.example.org:8080|ok"
  "CORVANEL_LINK_HOST_3|xn--fiqs8s.example|ok"
  "CORVANEL_FORUM_ADDRESS|www.a.example.org|ok"
  "CORVANEL_LINK_HOST_1||is empty"
  "CORVANEL_LINK_HOST_2|a.example/mp3|holds a \"/\""
  "CORVANEL_LINK_HOST_3|http://a.example|holds a \"/\""
  "CORVANEL_LINK_HOST_1|a .example|holds a blank"
  "CORVANEL_LINK_HOST_2| a.example|holds a blank"
  "CORVANEL_LINK_HOST_3|a.example\t|holds a blank"
  "CORVANEL_LINK_HOST_1|网盘.example|printable ASCII"
  "CORVANEL_LINK_HOST_2|a\"b.example|printable ASCII"
  "CORVANEL_LINK_HOST_3|a\\b.example|printable ASCII"
  "CORVANEL_FORUM_ADDRESS|vantrel.example|does not begin with \"www.\""
  "CORVANEL_FORUM_ADDRESS|www.|does not begin with \"www.\""
  "CORVANEL_FORUM_ADDRESS|wwwx.example|does not begin with \"www.\""
  "CORVANEL_FORUM_ADDRESS||is empty"
  "CORVANEL_FORUM_ADDRESS|www.a.example/forum|holds a \"/\"")

set(failures 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 variable)
  list(GET fields 1 value)
  list(GET fields 2 expected)
  corvanel_host_problem(${variable} "${value}" problem)
  if(expected STREQUAL "ok")
    if(NOT problem STREQUAL "")
      message(SEND_ERROR "${variable}=\"${value}\" was rejected: ${problem}")
      math(EXPR failures "${failures} + 1")
    endif()
  else()
    string(FIND "${problem}" "${expected}" at)
    if(at EQUAL -1)
      message(SEND_ERROR "${variable}=\"${value}\": expected a problem naming '${expected}', got '${problem}'")
      math(EXPR failures "${failures} + 1")
    endif()
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "${failures} host rule case(s) failed")
endif()
