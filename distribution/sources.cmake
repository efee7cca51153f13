# Portable sources go to velmora_core, Win32 ones to velmora_win32.
target_sources(velmora_core PRIVATE
  distribution/DistributionPayload.cpp
  distribution/SignedExecutable.cpp
  distribution/PreviewRun.cpp
  distribution/TaskbarProgress.cpp
  distribution/ColourButtons.cpp
)

if(WIN32)
  target_sources(velmora_win32 PRIVATE
    distribution/StepDialog.cpp
    distribution/Unit_Win7Taskbar.cpp
  )
endif()
