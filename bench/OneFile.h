#pragma once
// A file system of one file in memory: the benchmarks time the readers and
// writers, not the disk.

#include <string>

#include "files/FileSystemPort.h"

namespace velmora::bench {

class OneFile : public FileSystemPort {
 public:
  explicit OneFile(const std::string& bytes) : bytes_(bytes) {}
  std::string ReadWholeFile(const FilePath&) override { return bytes_; }
  void WriteFileAtomically(const FilePath&, std::string_view) override {}
  bool FileExists(const FilePath&) override { return true; }
  FilePath Absolute(const FilePath& path) override { return path; }
  std::string DisplayText(const FilePath& path) override { return path.Utf8(); }
  std::optional<std::string> ExactCp932(const FilePath& path) override { return path.Utf8(); }
  FilePath FromCp932(std::string_view cp932) override { return FilePath::FromUtf8(cp932); }

 private:
  const std::string& bytes_;
};

}  // namespace velmora::bench
