#pragma once
// An owner for a COM interface pointer: Release when the scope ends, also
// when an error ends it. Take the pointer into it on the line that receives
// it, before anything can throw:
//
//   IShellLinkW* raw = nullptr;
//   const HRESULT created = CoCreateInstance(..., reinterpret_cast<void**>(&raw));
//   const ComOwner<IShellLinkW> link(raw);

#include <unknwn.h>

#include <memory>

namespace velmora::win32 {

struct ComRelease {
  void operator()(IUnknown* object) const {
    if (object != nullptr) object->Release();
  }
};

template <typename Interface>
using ComOwner = std::unique_ptr<Interface, ComRelease>;

}  // namespace velmora::win32
