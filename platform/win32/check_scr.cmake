# Checks a freshly linked Tumblix.scr: at most 64 KiB, only Windows system DLLs imported, no
# call that holds the display on, and the icon group "A" present. Run after the link: cmake -DSCR=... -DOBJDUMP=... -DWRESTOOL=... -P
set(SIZE_LIMIT 65536)  # bytes
file(SIZE "${SCR}" size)
if(size GREATER SIZE_LIMIT)
  message(FATAL_ERROR "${SCR} is ${size} bytes, over the ${SIZE_LIMIT}-byte budget")
endif()

execute_process(COMMAND "${OBJDUMP}" -p "${SCR}" OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${SCR} failed")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "no imports found in ${SCR}")
endif()
foreach(line IN LISTS imports)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" lower)
  if(NOT lower MATCHES "^(kernel32|user32|gdi32|opengl32|msvcrt)\\.dll$"
     AND NOT lower MATCHES "^api-ms-win-crt-[a-z0-9-]+\\.dll$")
    message(FATAL_ERROR "${SCR} imports ${dll}, which a stock Windows PC may not have")
  endif()
endforeach()

# The display's own power-off timeout must still apply while the saver runs.
if(headers MATCHES "SetThreadExecutionState")
  message(FATAL_ERROR "${SCR} imports SetThreadExecutionState, which would hold the display on")
endif()

execute_process(COMMAND "${WRESTOOL}" -l "${SCR}" OUTPUT_VARIABLE resources RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT resources MATCHES "--type=14 --name='A'")
  message(FATAL_ERROR "${SCR} has no icon group \"A\"")
endif()
message(STATUS "${SCR}: ${size} bytes, imports only system DLLs, icon group A present")
