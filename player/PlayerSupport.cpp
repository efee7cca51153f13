// What the C++ library would otherwise bring into the stub for failures
// that cannot happen in a run or that it cannot survive: the stub is built
// without exceptions, so allocation failures and the library's checks end
// the program here instead of pulling in the exception runtime, the
// library's exception classes and their string implementation (together
// more than the rest of the stub).
#include <windows.h>

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

// Memory ran out: not the file's fault, so not the status of an unreadable
// procedure (PlayerMain.cpp lists them all).
constexpr UINT kExitOutOfMemory = 2;

[[noreturn]] void EndWithoutMemory() { ExitProcess(kExitOutOfMemory); }

// The system C library's heap (msvcrt.dll sets it up itself, without the
// stub's start-up code): two imports where the process heap takes three.
void* Allocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) EndWithoutMemory();
  return block;
}

void Release(void* block) { std::free(block); }

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }

// The library's checks (a length beyond max_size, an empty std::function
// called): faults of the program, not of the procedure, so the stub ends.
namespace std {
void __throw_bad_alloc() { EndWithoutMemory(); }
void __throw_bad_array_new_length() { EndWithoutMemory(); }
void __throw_length_error(const char*) { EndWithoutMemory(); }
void __throw_logic_error(const char*) { ExitProcess(3); }
void __throw_out_of_range(const char*) { ExitProcess(3); }
void __throw_out_of_range_fmt(const char*, ...) { ExitProcess(3); }
void __throw_bad_function_call() { ExitProcess(3); }
void __throw_invalid_argument(const char*) { ExitProcess(3); }
}  // namespace std
