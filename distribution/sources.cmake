# Portable sources go to velmora_core, Win32 ones to velmora_win32.
target_sources(velmora_core PRIVATE
)

if(WIN32)
  target_sources(velmora_win32 PRIVATE
  )
endif()
