# The player's runtime: only what a run of a generated executable needs (the
# payload reader, the tree-text parser, the text rules, the run itself).
# The editor's core compiles the same files with the rest of its subsystems;
# this target builds them once more without exceptions and type information,
# as the player stub links them, so every build proves that they need
# neither. scripts/check-layers.py reads both lists below and keeps the
# editor's code out: a runtime file may include only runtime headers.
set(VELMORA_RUNTIME_SOURCES
  document/Cp932.cpp
  document/DecisionTree.cpp
  document/Errors.cpp
  document/FilePath.cpp
  document/KindNames.cpp
  document/StepList.cpp
  document/TextRules.cpp
  files/FileMessages.cpp
  files/IniText.cpp
  files/KindRestoration.cpp
  files/TreeTextParser.cpp
  files/PayloadReader.cpp
  files/SignedExecutable.cpp
  distribution/PreviewRun.cpp
  distribution/RunRecord.cpp
  distribution/TaskbarProgress.cpp
)
set(VELMORA_RUNTIME_HEADERS
  document/ContentVersion.h
  document/Cp932.h
  document/DecisionTree.h
  document/DocumentState.h
  document/Errors.h
  document/FilePath.h
  document/KindNames.h
  document/LaterFields.h
  document/NodeFields.h
  document/NodePool.h
  document/NodeText.h
  document/Outcome.h
  document/StepList.h
  document/TextRules.h
  files/FileMessages.h
  files/IniText.h
  files/LineSplitter.h
  files/LittleEndian.h
  files/LoadedDocument.h
  files/TrailingLines.h
  files/TreeTextParser.h
  files/DistributionPayload.h
  distribution/PreviewRun.h
  distribution/RunEnd.h
  distribution/RunRecord.h
  distribution/StepDialogPort.h
  distribution/TaskbarProgressPort.h
)

# The folder holding the subsystems: the source folder of the main build, the
# parent of player/ in the stub's own build.
if(NOT VELMORA_ROOT)
  set(VELMORA_ROOT ${CMAKE_SOURCE_DIR})
endif()
list(TRANSFORM VELMORA_RUNTIME_SOURCES PREPEND ${VELMORA_ROOT}/ OUTPUT_VARIABLE velmora_runtime_paths)
add_library(velmora_runtime STATIC ${velmora_runtime_paths})
target_include_directories(velmora_runtime PUBLIC ${VELMORA_ROOT})
target_compile_options(velmora_runtime PUBLIC $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>)
if(WIN32)
  # Built for the stub's size: its sections are dropped unless a run uses
  # them. -fno-ipa-sra keeps the library's string members shared: with it
  # on, each file gets its own specialised copy of the same append or
  # assign, which the linker cannot fold (1 KB of the stub).
  # player/LibraryMessages.h leaves the C++ library's failure texts out,
  # which the stub never shows (1.4 KB).
  set_target_properties(velmora_runtime PROPERTIES CXX_STANDARD 20 INTERPROCEDURAL_OPTIMIZATION OFF)
  # The code generation flags, which the stub's link-time optimisation
  # (player/CMakeLists.txt) is given once more. -Oz rather than -Os: smaller
  # instruction forms where speed would cost bytes (0.4 KB); a run waits for
  # the end user, never for its code.
  set(VELMORA_RUNTIME_CODE_FLAGS -Oz -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections
      -fno-threadsafe-statics -fno-asynchronous-unwind-tables -fno-ipa-sra)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # 32-bit Windows keeps the stack 4-byte aligned, and the stub uses no
    # SSE: no function needs to realign it or keep it at 16 bytes.
    list(APPEND VELMORA_RUNTIME_CODE_FLAGS -mpreferred-stack-boundary=2)
  endif()
  target_compile_options(velmora_runtime PUBLIC
    $<$<COMPILE_LANGUAGE:CXX>:${VELMORA_RUNTIME_CODE_FLAGS} -include ${VELMORA_ROOT}/player/LibraryMessages.h
                              -Wno-format-zero-length>)
endif()
velmora_warnings(velmora_runtime)
