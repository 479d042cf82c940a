# The LV2 and VST3 bundles carry the same files beside their modules as the VST 2.4 folder (sound bank,
# strings, programs, skin, manual), taken from it whenever the build runs; the LV2 bundle also carries its
# Turtle files, written by virellando-mklv2 from the instrument's parameters and programs.
set(bundle_file_makers virellando_default_bank factory_presets virellando_skin manual native_bundle_files)

function(virellando_bundle_files name destination)
  add_custom_target(${name} ALL
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${VIRELLANDO_BUNDLE_DIR} -DDESTINATION=${destination}
            -P ${PROJECT_SOURCE_DIR}/cmake/LinkBundleFiles.cmake
    COMMENT "Putting the instrument's files into ${destination}"
    VERBATIM)
  foreach(maker ${bundle_file_makers})
    if(TARGET ${maker})
      add_dependencies(${name} ${maker})
    endif()
  endforeach()
endfunction()

if(TARGET VirellandoVst3)
  virellando_bundle_files(vst3_bundle_files ${VIRELLANDO_VST3_MODULE_DIR})
endif()

if(TARGET VirellandoLv2 AND TARGET virellando-mklv2)
  virellando_bundle_files(lv2_bundle_files ${VIRELLANDO_LV2_BUNDLE_DIR})
  set(turtle ${VIRELLANDO_LV2_BUNDLE_DIR}/manifest.ttl ${VIRELLANDO_LV2_BUNDLE_DIR}/Virellando.ttl
      ${VIRELLANDO_LV2_BUNDLE_DIR}/presets.ttl)
  add_custom_command(OUTPUT ${turtle}
    COMMAND $<TARGET_FILE:virellando-mklv2> ${VIRELLANDO_BUNDLE_DIR} ${VIRELLANDO_LV2_BUNDLE_DIR}
    DEPENDS virellando-mklv2 factory_presets ${VIRELLANDO_BUNDLE_DIR}/Virellando.INI
            ${VIRELLANDO_BUNDLE_DIR}/Virellando.presets
    COMMENT "Writing the LV2 bundle's Turtle files from the instrument's parameters and programs")
  add_custom_target(lv2_turtle ALL DEPENDS ${turtle})
endif()
