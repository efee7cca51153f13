# The native build's velmora-cli converts to .exe like the editor, which
# needs the player stub beside it. The stub is a Windows program, so it is
# built here by the stub's own i686 project (player/CMakeLists.txt, the
# same toolchain, thread model, flags and sources as the shipped one) and copied next to
# velmora-cli, where `convert` looks without --stub. A machine without the
# MinGW-w64 compiler still builds everything else, and says so.
find_program(VELMORA_MINGW_I686_CXX i686-w64-mingw32-g++-win32)
if(NOT VELMORA_MINGW_I686_CXX)
  message(STATUS "i686 MinGW-w64 not found: Velmora.bin is not built beside velmora-cli")
  return()
endif()

include(ExternalProject)
set(VELMORA_STUB_LAUNCHER_ARGS)
if(CMAKE_CXX_COMPILER_LAUNCHER)
  list(APPEND VELMORA_STUB_LAUNCHER_ARGS
    -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
    -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
endif()
ExternalProject_Add(velmora_stub_i686
  SOURCE_DIR ${CMAKE_SOURCE_DIR}/player
  BINARY_DIR ${CMAKE_BINARY_DIR}/stub-i686
  CMAKE_GENERATOR ${CMAKE_GENERATOR}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/toolchain-mingw-i686.cmake
    -DVELMORA_MINGW_THREADS=win32
    -DCMAKE_BUILD_TYPE=MinSizeRel
    -DVELMORA_VERSION=${PROJECT_VERSION}
    -DVELMORA_WERROR=${VELMORA_WERROR}
    -DVELMORA_STUB_OUTPUT=<BINARY_DIR>/app
    ${VELMORA_STUB_LAUNCHER_ARGS}
  # The sub-build decides itself what changed; without this its sources'
  # changes would not be seen.
  BUILD_ALWAYS ON
  INSTALL_COMMAND ${CMAKE_COMMAND} -E copy_if_different <BINARY_DIR>/app/Velmora.bin
                  ${CMAKE_CURRENT_BINARY_DIR}/Velmora.bin
  BUILD_BYPRODUCTS ${CMAKE_CURRENT_BINARY_DIR}/Velmora.bin)
add_dependencies(velmora-cli velmora_stub_i686)
