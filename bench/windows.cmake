# Timing programs for the Windows programs, run under Wine.

# The player stub's start-up: a generated executable from the real
# Velmora.bin until its first step dialog shows, beside a bare message box.
#   scripts/wine-run.sh --arch win64 --prefix $PWD/build/cross64/wineprefix \
#     build/cross64/bench/PlayerStartupTiming.exe build/cross64/app/Velmora.bin \
#     build/cross64/bench/BareMessageBox.exe 15 build/cross64/bench/BareStyledMessageBox.exe
add_executable(BareMessageBox WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/BareMessageBox.cpp)
target_link_options(BareMessageBox PRIVATE -municode)
# The same message box with the player's manifest (visual styles, per-monitor
# DPI): what those cost a program's start, apart from the player's own work.
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/BareStyledMessageBox.rc
     "1 24 \"${CMAKE_SOURCE_DIR}/player/Player.manifest\"\n")
add_executable(BareStyledMessageBox WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/BareMessageBox.cpp
                                          ${CMAKE_CURRENT_BINARY_DIR}/BareStyledMessageBox.rc)
target_link_options(BareStyledMessageBox PRIVATE -municode)
add_executable(PlayerStartupTiming ${CMAKE_CURRENT_SOURCE_DIR}/PlayerStartupTiming.cpp)
target_link_libraries(PlayerStartupTiming PRIVATE velmora_win32)
target_link_options(PlayerStartupTiming PRIVATE -municode)
add_dependencies(PlayerStartupTiming BareMessageBox BareStyledMessageBox velmora_player)
velmora_warnings(BareMessageBox)
velmora_warnings(BareStyledMessageBox)
velmora_warnings(PlayerStartupTiming)

# The main window's tree view with 100,000 nodes: the mirror's fill and its
# patch after one command, beside a raw TVM_INSERTITEMW loop.
#   scripts/wine-run.sh --arch win64 --prefix $PWD/build/cross64/wineprefix \
#     build/cross64/bench/TreeViewTiming.exe [largest size]
add_executable(TreeViewTiming ${CMAKE_CURRENT_SOURCE_DIR}/TreeViewTiming.cpp)
target_link_libraries(TreeViewTiming PRIVATE velmora_win32 velmora_resources)
target_link_options(TreeViewTiming PRIVATE -municode)
velmora_warnings(TreeViewTiming)

# Opening a file of 100,000 nodes in the real main window, from the dropped
# file to the filled tree view, beside the parse and a raw insert loop.
#   scripts/wine-run.sh --arch win64 --prefix $PWD/build/cross64/wineprefix \
#     build/cross64/bench/OpenDocumentTiming.exe [nodes]
add_executable(OpenDocumentTiming ${CMAKE_CURRENT_SOURCE_DIR}/OpenDocumentTiming.cpp)
target_link_libraries(OpenDocumentTiming PRIVATE velmora_win32 velmora_resources)
target_link_options(OpenDocumentTiming PRIVATE -municode)
velmora_warnings(OpenDocumentTiming)

# A keystroke in the title box of the real main window for documents of
# 1,000 to 100,000 nodes: flat in the tree size, no tree view item touched.
#   scripts/wine-run.sh --arch win64 --prefix $PWD/build/cross64/wineprefix \
#     build/cross64/bench/TitleKeystrokeTiming.exe [largest size] [keystrokes]
add_executable(TitleKeystrokeTiming ${CMAKE_CURRENT_SOURCE_DIR}/TitleKeystrokeTiming.cpp)
target_link_libraries(TitleKeystrokeTiming PRIVATE velmora_win32 velmora_resources)
target_link_options(TitleKeystrokeTiming PRIVATE -municode)
velmora_warnings(TitleKeystrokeTiming)
