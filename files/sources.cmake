# Subsystem 3: document files. Portable sources go to velmora_core, Win32
# ones to velmora_win32.
target_sources(velmora_core PRIVATE
  files/FileMessages.cpp
  files/PathText.cpp
  files/IniText.cpp
  files/TreeTextParser.cpp
  files/TreeTextWriter.cpp
  files/KindRestoration.cpp
  files/TreeFile.cpp
  files/OpenDocument.cpp
)

if(WIN32)
  target_sources(velmora_win32 PRIVATE
    files/Win32FileSystem.cpp
  )
else()
  # Linux (the command-line tool and the host tests) reads and writes files
  # through POSIX calls; Windows builds use the Win32 port above.
  target_sources(velmora_core PRIVATE
    files/PosixFileSystem.cpp
  )
endif()
