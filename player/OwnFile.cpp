#include "player/OwnFile.h"

#include "files/FileMessages.h"
#include "win32/SystemError.h"
#include "win32/WideText.h"

namespace velmora::win32 {

MappedFile::MappedFile(const std::wstring& path) {
  // Share everything: the file is the running program itself, and a virus
  // scanner or an indexer may hold it open too.
  file_.reset(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file_.get() == INVALID_HANDLE_VALUE) {
    file_.release();
    Fail(path, GetLastError());
    return;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file_.get(), &size)) {
    Fail(path, GetLastError());
    return;
  }
  // An empty file cannot be mapped; it holds no procedure either, which
  // the payload reader reports.
  if (size.QuadPart == 0) return;
  if (static_cast<unsigned long long>(size.QuadPart) > static_cast<SIZE_T>(-1)) {
    Fail(path, ERROR_NOT_ENOUGH_MEMORY);
    return;
  }
  mapping_.reset(CreateFileMappingW(file_.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping_) {
    Fail(path, GetLastError());
    return;
  }
  view_ = MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0);
  if (view_ == nullptr) {
    Fail(path, GetLastError());
    return;
  }
  bytes_ = std::string_view(static_cast<const char*>(view_), static_cast<std::size_t>(size.QuadPart));
}

MappedFile::~MappedFile() {
  if (view_ != nullptr) UnmapViewOfFile(view_);
}

void MappedFile::Fail(const std::wstring& path, DWORD error) {
  error_ = CannotOpenMessage(ToCp932(path), SystemReasonText(error));
}

}  // namespace velmora::win32
