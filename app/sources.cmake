# Subsystem 1: the application shell, the top layer.
velmora_subsystem(app)

if(WIN32)
  # GradientFill, for the toolbar's background.
  target_link_libraries(velmora_win32 PUBLIC msimg32)

  # The editor's menus, accelerators, icon, version information and manifest.
  # An object library, so the resources reach every program that shows the
  # main window: a resource object inside a static library would be dropped
  # by the linker, since nothing refers to it by name.
  add_library(velmora_resources OBJECT resources/Velmora.rc)
  target_include_directories(velmora_resources PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/resources)
  set_source_files_properties(resources/Velmora.rc PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/resources/Velmora.ico;${CMAKE_SOURCE_DIR}/resources/Velmora.manifest;${CMAKE_SOURCE_DIR}/app/CommandIds.h")

  add_executable(Velmora WIN32 app/win32/WinMain.cpp)
  target_link_libraries(Velmora PRIVATE velmora_win32 velmora_resources)
  target_link_options(Velmora PRIVATE -municode)
  set_target_properties(Velmora PROPERTIES
    OUTPUT_NAME Velmora
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/app)
  velmora_warnings(Velmora)

  # The Windows tests create the real main window, so they need its menus too,
  # and they start Velmora.exe for the single-instance checks. The test target
  # is defined after this file is read, hence the deferred call.
  function(velmora_wire_windows_tests)
    if(TARGET windows_tests)
      target_link_libraries(windows_tests PRIVATE velmora_resources)
      add_dependencies(windows_tests Velmora)
    endif()
    if(TARGET help_pictures)
      target_link_libraries(help_pictures PRIVATE velmora_resources)
      add_dependencies(help_pictures Velmora)
    endif()
  endfunction()
  cmake_language(DEFER CALL velmora_wire_windows_tests)
endif()
