# The manual's picture of the editor: cmake -DSCREENSHOTS=... -DTESTSKIN=... -DSKIN=... -DSTRINGS=... -DOUTPUT=...
# -P BuildPicture.cmake. Uses SKIN when it exists, else writes the test skin there first.
if(NOT EXISTS ${SKIN})
  execute_process(COMMAND ${TESTSKIN} ${SKIN} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "no skin for the manual's picture")
  endif()
endif()
execute_process(COMMAND ${SCREENSHOTS} --skin ${SKIN} --strings ${STRINGS} --overview ${OUTPUT}
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the manual's picture failed: ${errors}")
endif()
