# Subsystem 2: the decision tree document.
target_sources(velmora_core PRIVATE
  document/Cp932.cpp
  document/TextRules.cpp
  document/DecisionTree.cpp
  document/Editor.cpp
  document/Errors.cpp
  document/EditCommands.cpp
  document/NodeEditorProcedure.cpp
)

if(WIN32)
  target_sources(velmora_win32 PRIVATE
    document/Unit2.cpp
    document/KindPictures.cpp
    document/InputBox.cpp
    document/ModalLoop.cpp
    document/TextGuard.cpp
    document/NodeEditTrigger.cpp
  )
endif()
