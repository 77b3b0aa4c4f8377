# The skin tool runs on the build host: it draws and packs the default skin
# and the program's own pictures at build time. A cross build makes a native
# build of the tool with the host compiler in ${CMAKE_BINARY_DIR}/host; a
# native build uses the tool it builds anyway.
#   BR_SKINTOOL          the tool to run in custom commands
#   BR_SKINTOOL_DEPENDS  what such a command must depend on
#   host_skintool        the target that brings the tool up to date
if(CMAKE_CROSSCOMPILING)
  include(ExternalProject)
  set(BR_HOST_JOBS 1 CACHE STRING "Parallel jobs of the host tools build (the outer build runs beside it)")
  set(BR_SKINTOOL ${CMAKE_BINARY_DIR}/host/tools/skintool/skintool)
  # Always asked to build, so that edits to the tool reach the skin; a build
  # with nothing to do takes a fraction of a second, and the byproduct's
  # time stamp decides whether the skin is drawn again.
  ExternalProject_Add(host_skintool
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/host
    CMAKE_GENERATOR Ninja
    CMAKE_ARGS -DBR_HOST_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target skintool --parallel ${BR_HOST_JOBS}
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${BR_SKINTOOL}
    INSTALL_COMMAND ""
    USES_TERMINAL_BUILD OFF)
  set(BR_SKINTOOL_DEPENDS ${BR_SKINTOOL} host_skintool)
else()
  set(BR_SKINTOOL $<TARGET_FILE:skintool>)
  add_custom_target(host_skintool)
  add_dependencies(host_skintool skintool)
  set(BR_SKINTOOL_DEPENDS skintool)
endif()
