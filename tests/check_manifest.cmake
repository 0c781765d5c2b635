# Fails unless the program file carries the application manifest as RT_MANIFEST
# resource 1, byte for byte, and imports no function that Windows 7 lacks: the
# DPI functions of Windows 10 are looked up at run time.
#   cmake -DPROGRAM=corvanel.exe -DMANIFEST=corvanel.manifest -DOBJDUMP=...objdump -P check_manifest.cmake
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read ${PROGRAM}")
endif()
if(NOT dump MATCHES "Entry: ID: 0x000018, Value: 0x[0-9a-f]+\n[^\n]*Name Table[^\n]*\n[^\n]*Entry: ID: 0x000001,")
  message(FATAL_ERROR "${PROGRAM} has no RT_MANIFEST resource 1")
endif()
file(READ ${PROGRAM} program HEX)
file(READ ${MANIFEST} manifest HEX)
string(FIND "${program}" "${manifest}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "${PROGRAM} does not carry ${MANIFEST} as it is")
endif()

string(FIND "${dump}" "The Import Tables" imports_start)
string(SUBSTRING "${dump}" ${imports_start} -1 imports)
set(newer_than_windows_7
  GetDpiForWindow GetDpiForSystem AdjustWindowRectExForDpi GetSystemMetricsForDpi SystemParametersInfoForDpi
  SetProcessDpiAwarenessContext SetThreadDpiAwarenessContext GetThreadDpiAwarenessContext
  GetAwarenessFromDpiAwarenessContext EnableNonClientDpiScaling GetDpiForMonitor SetProcessDpiAwareness)
foreach(function IN LISTS newer_than_windows_7)
  if(imports MATCHES "[ \t]${function}\n")
    message(FATAL_ERROR "${PROGRAM} imports ${function}, which Windows 7 lacks")
  endif()
endforeach()
if(imports MATCHES "[Ss][Hh][Cc][Oo][Rr][Ee]")
  message(FATAL_ERROR "${PROGRAM} imports shcore.dll")
endif()
