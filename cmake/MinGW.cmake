# Shared part of the MinGW-w64 toolchains: static linking (the programs run
# on a bare Windows without extra DLLs), windres, and the thread model:
# posix for the editor and the tests (GoogleTest needs std::mutex, which the
# win32 model of GCC 12 lacks), win32 for the player stub's own build
# (player/CMakeLists.txt passes VELMORA_MINGW_THREADS=win32), since the
# posix model links winpthreads into every program, with imports such as
# SuspendThread and GetThreadContext.
# The caller sets VELMORA_MINGW_TRIPLE.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT VELMORA_MINGW_THREADS)
  set(VELMORA_MINGW_THREADS posix)
endif()
# The compiler checks run in projects of their own: they get the model too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELMORA_MINGW_THREADS)
set(CMAKE_C_COMPILER ${VELMORA_MINGW_TRIPLE}-gcc-${VELMORA_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${VELMORA_MINGW_TRIPLE}-g++-${VELMORA_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${VELMORA_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
