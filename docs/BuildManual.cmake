# Turns the Markdown manual into one HTML page: cmake -DCMARK=... -DSOURCE=... -DOUTPUT=... -P BuildManual.cmake
get_filename_component(dir ${SOURCE} DIRECTORY)
execute_process(COMMAND ${CMARK} --unsafe ${SOURCE} OUTPUT_VARIABLE body RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmark failed on ${SOURCE}")
endif()
file(READ ${dir}/manual-head.html head)
file(READ ${dir}/manual-tail.html tail)
file(WRITE ${OUTPUT} "${head}${body}${tail}")
