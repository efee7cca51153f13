# Subsystem 1: the application shell.
target_sources(velmora_core PRIVATE
)

if(WIN32)
  target_sources(velmora_win32 PRIVATE
    app/WideText.cpp
  )
endif()
