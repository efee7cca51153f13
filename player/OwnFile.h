#pragma once
// The player's own executable file (win32/ProgramPath.h names it), mapped
// into memory read-only: the procedure lies at its end, and the stub in
// front of it is never copied.

#include <windows.h>

#include <string>
#include <string_view>

#include "win32/Win32Handles.h"

namespace velmora::win32 {

class MappedFile {
 public:
  // Maps the whole file. On failure Bytes() is empty and Error() holds the
  // cannot-open message with the system's reason (CP932).
  explicit MappedFile(const std::wstring& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::string_view Bytes() const { return bytes_; }
  const std::string& Error() const { return error_; }

 private:
  void Fail(const std::wstring& path, DWORD error);

  UniqueKernelHandle file_;
  UniqueKernelHandle mapping_;
  const void* view_ = nullptr;
  std::string_view bytes_;
  std::string error_;
};

}  // namespace velmora::win32
