# Plays SCRIPT with TOOL on IMAGE; fails unless the tool exits with 0 and its output holds every
# non-empty line of EXPECT (each as a piece of one output line, in the order given). A line
# "not: TEXT" says that TEXT is not shown between the lines found before and after it (or after the
# last one found). An expected line may not end in a backslash or hold a semicolon: CMake's lists
# would join or split it.
execute_process(COMMAND ${TOOL} --image ${IMAGE} --script ${SCRIPT}
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
message("${output}${errors}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "fexplore-sim exited with ${status}")
endif()

# Fails when one of the texts in the list `absent` is in `text`; `after` names where the text starts.
function(check_absent text after)
  foreach(piece IN LISTS absent)
    string(FIND "${text}" "${piece}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "shown where it should not be (after ${after}): ${piece}")
    endif()
  endforeach()
endfunction()

file(STRINGS ${EXPECT} expected)
set(rest "${output}")
set(absent "")
set(found "the start")
foreach(line IN LISTS expected)
  if(line STREQUAL "")
    continue()
  endif()
  if(line MATCHES "^not: (.+)$")
    list(APPEND absent "${CMAKE_MATCH_1}")
    continue()
  endif()
  string(FIND "${rest}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "missing from the output (after the lines found before it): ${line}")
  endif()
  string(SUBSTRING "${rest}" 0 ${at} between)
  check_absent("${between}" "${found}")
  set(absent "")
  set(found "${line}")
  string(LENGTH "${line}" length)
  math(EXPR next "${at} + ${length}")
  string(SUBSTRING "${rest}" ${next} -1 rest)
endforeach()
check_absent("${rest}" "${found}")
