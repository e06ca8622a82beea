# Runs tumblix-sim as a user would and checks its exit status and output.
#   cmake -DSIM=<binary> -DARGS="a;b" -DSTATUS=<code> [-DSTDOUT=<regex>] [-DSTDERR=<regex>]
#         [-DTWICE=ON] -P run_sim.cmake
# TWICE runs the same command line again and requires the very same output.
foreach(required SIM STATUS)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "run_sim.cmake: ${required} is not set")
  endif()
endforeach()

execute_process(COMMAND ${SIM} ${ARGS}
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}\nstdout:\n${out}\nstderr:\n${err}")
endif()
if(DEFINED STDOUT AND NOT out MATCHES "${STDOUT}")
  message(FATAL_ERROR "stdout does not match '${STDOUT}':\n${out}\nstderr:\n${err}")
endif()
if(DEFINED STDERR AND NOT err MATCHES "${STDERR}")
  message(FATAL_ERROR "stderr does not match '${STDERR}':\n${err}")
endif()
if(TWICE)
  execute_process(COMMAND ${SIM} ${ARGS}
    RESULT_VARIABLE status2 OUTPUT_VARIABLE out2 ERROR_VARIABLE err2)
  if(NOT status2 STREQUAL status OR NOT out2 STREQUAL out OR NOT err2 STREQUAL err)
    message(FATAL_ERROR "second run differs:\n${out}\n---\n${out2}\n${err2}")
  endif()
endif()
