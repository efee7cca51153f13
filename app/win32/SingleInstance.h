#pragma once
// One running copy per executable name. The first start owns a named mutex
// and marks its main window with a property, both named after the
// executable's base name; a second start finds the mark, brings that window
// back and ends. Copies under other file names do not see each other.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "win32/Win32Handles.h"

namespace velmora::win32 {

// The value of the window property that marks the running copy's window.
constexpr UINT_PTR kInstanceMark = 1111;

// "C:\Tools\Tool.exe" gives "Tool": the file name without folder and
// extension, in the letter case of the path.
std::wstring InstanceNameFromPath(std::wstring_view path);

// The base name of the running executable.
std::wstring CurrentInstanceName();

// Creates the named mutex, initially owned. The handle stays open for as long
// as the object lives (the program keeps it until the process ends).
class InstanceMutex {
 public:
  explicit InstanceMutex(const std::wstring& instanceName);
  // True when the mutex already existed: another copy of the same name runs.
  // A mutex that could not be created for any other reason counts as a
  // first start.
  bool AnotherCopyRuns() const { return anotherCopyRuns_; }

 private:
  UniqueKernelHandle mutex_;
  bool anotherCopyRuns_ = false;
};

// Sets the property `instanceName` = kInstanceMark on a top-level window for
// the lifetime of the object.
class InstanceMarkProperty {
 public:
  InstanceMarkProperty(HWND window, std::wstring instanceName);
  ~InstanceMarkProperty();
  InstanceMarkProperty(const InstanceMarkProperty&) = delete;
  InstanceMarkProperty& operator=(const InstanceMarkProperty&) = delete;

 private:
  HWND window_;
  std::wstring name_;
};

// The first top-level window, in enumeration order, that carries the mark of
// `instanceName`; null if none does.
HWND FindMarkedWindow(const std::wstring& instanceName);

// The second start. With a file on its command line (the first of
// `arguments`), the file's full path goes to the running copy, which opens
// it; the window comes to the front and no message is shown. Without a file,
// or when no running copy takes it, "既に起動されています。" in a message box
// captioned with the instance name, then the running copy's window restored
// (if minimised) and brought to the front.
void HandOverToRunningCopy(const std::wstring& instanceName, const std::vector<std::wstring>& arguments);

}  // namespace velmora::win32
