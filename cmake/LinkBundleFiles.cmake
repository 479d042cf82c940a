# Puts the files the instrument reads beside its module into another bundle folder: every file of SOURCE but
# the modules and the log, as a hard link in DESTINATION (a copy where no link can be made), so that the
# bundles share one sound bank on disk. Run as:
#   cmake -DSOURCE=FOLDER -DDESTINATION=FOLDER -P LinkBundleFiles.cmake
if(NOT IS_DIRECTORY "${SOURCE}" OR NOT DESTINATION)
  message(FATAL_ERROR "LinkBundleFiles.cmake: SOURCE ('${SOURCE}') must be a folder and DESTINATION given")
endif()
file(GLOB_RECURSE files RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(file IN LISTS files)
  if(file MATCHES "\\.(so|dll)$" OR file STREQUAL "Virellando-Log.txt")
    continue()
  endif()
  get_filename_component(folder "${DESTINATION}/${file}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(REMOVE "${DESTINATION}/${file}")
  file(CREATE_LINK "${SOURCE}/${file}" "${DESTINATION}/${file}" COPY_ON_ERROR)
endforeach()
