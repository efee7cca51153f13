# Subsystem 5: shortcuts, help, the About box and the home page.
velmora_subsystem(desktop)

if(WIN32)
  # The help file ships beside Velmora.exe under the same name, since F1
  # opens the program's own path with ".chm". The Windows builds fail
  # without it: a program whose F1 opens nothing is not one to ship.
  find_program(VELMORA_CHMCMD chmcmd REQUIRED)
  find_program(VELMORA_CHMLS chmls REQUIRED)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(VELMORA_HELP_DIR ${CMAKE_SOURCE_DIR}/resources/help)
  file(GLOB VELMORA_HELP_SOURCES CONFIGURE_DEPENDS
    ${VELMORA_HELP_DIR}/*.html ${VELMORA_HELP_DIR}/*.css ${VELMORA_HELP_DIR}/*.hh?
    ${VELMORA_HELP_DIR}/images/*.png ${VELMORA_HELP_DIR}/build-help.py)
  list(APPEND VELMORA_HELP_SOURCES ${CMAKE_SOURCE_DIR}/scripts/check-help-window.py)
  set(VELMORA_HELP_FILE ${CMAKE_BINARY_DIR}/app/Velmora.chm)
  add_custom_command(OUTPUT ${VELMORA_HELP_FILE}
    COMMAND Python3::Interpreter ${VELMORA_HELP_DIR}/build-help.py
            --source ${VELMORA_HELP_DIR} --work ${CMAKE_BINARY_DIR}/help
            --output ${VELMORA_HELP_FILE} --chmcmd ${VELMORA_CHMCMD} --chmls ${VELMORA_CHMLS}
    DEPENDS ${VELMORA_HELP_SOURCES}
    COMMENT "Compiling and checking the help file Velmora.chm"
    VERBATIM)
  add_custom_target(velmora_help ALL DEPENDS ${VELMORA_HELP_FILE})
  # F1 must show the contents: the shipped file's window definition gives
  # its navigation pane room (build-help.py refuses to make one that does
  # not; this says so again for the file that is there).
  add_test(NAME help_window COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/check-help-window.py
                                    --chm ${VELMORA_HELP_FILE} --chmls ${VELMORA_CHMLS})
endif()
