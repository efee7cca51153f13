# Warnings are always on; CI turns them into errors with VELMORA_WERROR.
function(velmora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(VELMORA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
