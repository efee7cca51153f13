# Native benchmarks (Google Benchmark from Debian's libbenchmark-dev). Every
# *Benchmark.cpp joins one program; Google Benchmark supplies its main.
find_package(benchmark)
if(NOT benchmark_FOUND)
  message(STATUS "Google Benchmark not found: native benchmarks are not built")
  return()
endif()

file(GLOB VELMORA_BENCHMARK_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*Benchmark.cpp)
add_executable(velmora_benchmarks ${VELMORA_BENCHMARK_SOURCES})
target_link_libraries(velmora_benchmarks PRIVATE velmora_core benchmark::benchmark_main)
velmora_warnings(velmora_benchmarks)

# Writes a generated tree file, for timing velmora-cli against a plain copy.
add_executable(velmora-bench-tree ${CMAKE_CURRENT_SOURCE_DIR}/MakeTreeFile.cpp)
target_link_libraries(velmora-bench-tree PRIVATE velmora_core)
velmora_warnings(velmora-bench-tree)
