# FluidSynth built from third_party/fluidsynth as a static library with every driver off: the engine of the
# Windows plug-in, and of a Linux build that asks for it (VIRELLANDO_FLUIDSYNTH=vendored). It is configured
# with this build's compilers, toolchain file and type, so that both sides of the build compute alike.
include(ExternalProject)

set(fluidsynth_source ${PROJECT_SOURCE_DIR}/third_party/fluidsynth)
set(fluidsynth_build ${CMAKE_BINARY_DIR}/third_party/fluidsynth)
if(WIN32)
  set(fluidsynth_library ${fluidsynth_build}/src/libfluidsynth-3.a)
else()
  set(fluidsynth_library ${fluidsynth_build}/src/libfluidsynth.a)
endif()

set(fluidsynth_drivers alsa aufile dbus ipv6 jack ladspa libsndfile midishare network oss dsound wasapi waveout
  winmidi sdl3 pulseaudio pipewire readline openmp threads native-dls signalsmith systemd portaudio)
set(fluidsynth_options
  -DCMAKE_BUILD_TYPE=Release
  -DBUILD_SHARED_LIBS=off
  -Dosal=cpp11
  -DGCEM_INCLUDE_DIR=${fluidsynth_source}/gcem/include
  -DCMAKE_POSITION_INDEPENDENT_CODE=ON
  # Linked into the plug-in only: none of its symbols is visible outside it.
  -DCMAKE_C_VISIBILITY_PRESET=hidden
  -DCMAKE_CXX_VISIBILITY_PRESET=hidden)
foreach(driver ${fluidsynth_drivers})
  list(APPEND fluidsynth_options -Denable-${driver}=off)
endforeach()
if(CMAKE_TOOLCHAIN_FILE)
  list(APPEND fluidsynth_options -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE})
else()
  list(APPEND fluidsynth_options -DCMAKE_C_COMPILER=${CMAKE_C_COMPILER} -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER})
endif()
foreach(language C CXX)
  if(CMAKE_${language}_COMPILER_LAUNCHER)
    list(APPEND fluidsynth_options -DCMAKE_${language}_COMPILER_LAUNCHER=${CMAKE_${language}_COMPILER_LAUNCHER})
  endif()
endforeach()

ExternalProject_Add(fluidsynth_vendored
  SOURCE_DIR ${fluidsynth_source}
  BINARY_DIR ${fluidsynth_build}
  CMAKE_GENERATOR ${CMAKE_GENERATOR}
  CMAKE_ARGS ${fluidsynth_options}
  BUILD_COMMAND ${CMAKE_COMMAND} --build ${fluidsynth_build} --target libfluidsynth
  BUILD_BYPRODUCTS ${fluidsynth_library}
  INSTALL_COMMAND ""
  TEST_COMMAND ""
  USES_TERMINAL_BUILD ON)

# The headers are the source's and the two the configuration writes (fluidsynth.h, fluidsynth/version.h).
file(MAKE_DIRECTORY ${fluidsynth_build}/include)
add_library(virellando_fluidsynth STATIC IMPORTED GLOBAL)
set_target_properties(virellando_fluidsynth PROPERTIES
  IMPORTED_LOCATION ${fluidsynth_library}
  INTERFACE_INCLUDE_DIRECTORIES "${fluidsynth_build}/include;${fluidsynth_source}/include"
  INTERFACE_COMPILE_DEFINITIONS FLUIDSYNTH_NOT_A_DLL)
target_link_libraries(virellando_fluidsynth INTERFACE Threads::Threads)
if(NOT WIN32)
  target_link_libraries(virellando_fluidsynth INTERFACE m)
endif()
add_dependencies(virellando_fluidsynth fluidsynth_vendored)

# The engine and the effects compute with one set of transcendental functions on every system, so that the
# same sources render the same samples on Linux and Windows (src/platform/PortableMath.cpp).
if(NOT TARGET virellando_portable_math)
  message(FATAL_ERROR "The vendored FluidSynth needs the portable math of x86 processors")
endif()
set(portable_math_functions sin cos sincos sincosf sinh tanf exp log log10f pow)
target_link_libraries(virellando_fluidsynth INTERFACE virellando_portable_math)
foreach(function ${portable_math_functions})
  target_link_options(virellando_fluidsynth INTERFACE -Wl,--wrap=${function})
endforeach()
