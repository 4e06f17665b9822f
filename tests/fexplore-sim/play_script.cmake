# Plays SCRIPT with TOOL on IMAGE; fails unless the tool exits with 0 and its output holds every
# non-empty line of EXPECT (each as a piece of one output line, in the order given). An expected
# line may not end in a backslash or hold a semicolon: CMake's lists would join or split it.
execute_process(COMMAND ${TOOL} --image ${IMAGE} --script ${SCRIPT}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
message("${output}${errors}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "fexplore-sim exited with ${status}")
endif()
file(STRINGS ${EXPECT} expected)
set(rest "${output}")
foreach(line IN LISTS expected)
  if(line STREQUAL "")
    continue()
  endif()
  string(FIND "${rest}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing from the output (after the lines found before it): ${line}")
  endif()
  string(LENGTH "${line}" length)
  math(EXPR next "${at} + ${length}")
  string(SUBSTRING "${rest}" ${next} -1 rest)
endforeach()
