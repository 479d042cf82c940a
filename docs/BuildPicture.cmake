# The manual's picture of the editor:
#   cmake -DSCREENSHOTS=... -DSKIN=... -DSTRINGS=... -DOUTPUT=... -P BuildPicture.cmake
# Fontconfig keeps caches until the process ends, which a leak-checking build would report.
execute_process(COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
                        ${SCREENSHOTS} --skin ${SKIN} --strings ${STRINGS} --overview ${OUTPUT}
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the manual's picture failed: ${errors}")
endif()
