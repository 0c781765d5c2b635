# What a host given when configuring must be. A host goes into the program as
# it is written: it must not be empty and may hold no "/" and no blank. Only
# printable ASCII is taken, so that it reads the same in every code page (an
# international name in its xn-- form) and can stand inside a C++ string
# literal (no quote, no backslash). The forum's address must also begin with
# "www.": the shell opens a bare host as a web address only in that form.
#
# Sets `result` to what is wrong with `value` as the host of `variable`, or to
# the empty string when nothing is.
function(corvanel_host_problem variable value result)
  set(problem "")
  if(value STREQUAL "")
    set(problem "${variable} is empty: give the host, e.g. -D${variable}=host.example.org")
  elseif(value MATCHES "/")
    set(problem "${variable} (${value}) holds a \"/\": give the host alone, without scheme or path")
  elseif(value MATCHES "[ \t\r\n]")
    set(problem "${variable} (\"${value}\") holds a blank")
  elseif(NOT value MATCHES "^[ -~]+$" OR value MATCHES "[\"\\\\]")
    set(problem "${variable} (${value}) holds a character other than printable ASCII, or a quote or backslash")
  elseif(variable STREQUAL "CORVANEL_FORUM_ADDRESS" AND NOT value MATCHES "^www\\..")
    set(problem "${variable} (${value}) does not begin with \"www.\"")
  endif()
  set(${result} "${problem}" PARENT_SCOPE)
endfunction()
