# Warnings are always on; CI turns them into errors with VELMORA_WERROR.
# Beyond -Wall -Wextra, every target has the narrowing set: the code counts
# bytes of files it did not write (tree files, payload trailers, PE headers)
# and is built where size_t is 64 bits (Linux, x86_64) and where it is 32
# (the shipped i686 build), so a silent narrowing is a wrong offset on one of
# them only; on the Win32 side it keeps WPARAM/LPARAM/LRESULT mixes explicit.
#   -Wpedantic        ISO C++17 only: the same source for g++, MinGW and clang.
#   -Wconversion      implicit narrowing (a 64-bit size into a 32-bit size_t,
#                     an int into a char and the like).
#   -Wsign-conversion in: g++ leaves it out of -Wconversion for C++ (clang
#                     does not), a negative int turning into a huge size_t is
#                     the fault the other two miss, and sizes here are already
#                     size_t and bytes unsigned char, so it asks for no casts.
function(velmora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion)
  if(VELMORA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

