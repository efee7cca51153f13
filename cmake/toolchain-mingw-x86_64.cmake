# The same sources for 64-bit Windows. Used to run the Windows tests under
# Wine on machines whose kernel cannot execute 32-bit code (there 32-bit
# Wine cannot start); it also keeps the code honest about pointer sizes.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELMORA_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
