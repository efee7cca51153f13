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

// A template, so that a header can hold an owner of an interface it only
// declares (`struct ITaskbarList3;`): the release is compiled where the
// owner is destroyed, beside the interface's definition.
struct ComRelease {
  template <typename Interface>
  void operator()(Interface* object) const {
    if (object != nullptr) object->Release();
  }
};

template <typename Interface>
using ComOwner = std::unique_ptr<Interface, ComRelease>;

}  // namespace velmora::win32
