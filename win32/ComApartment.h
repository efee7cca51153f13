#pragma once
// COM for the GUI thread, for as long as the object lives: the taskbar
// progress, shortcuts and link resolution use COM objects. Shared by the
// editor's entry and the player stub.

#include <objbase.h>

namespace velmora::win32 {

class ComApartment {
 public:
  ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

}  // namespace velmora::win32
