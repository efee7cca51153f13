#pragma once
// A file written in full beside its target but not yet put in its place.
// A command with several outputs stages each of them first and commits them
// only when every one is complete, so a failure half-way leaves every
// existing output as it was and creates none (see WriteFilesTogether).

#include <functional>
#include <string>
#include <vector>

#include "document/FilePath.h"
#include "files/ByteSink.h"

namespace velmora {

class FileSystemPort;

class StagedFile {
 public:
  StagedFile() = default;
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;
  // An uncommitted file is discarded: its temporary file is removed.
  virtual ~StagedFile() = default;

  // Puts the content in place of the target in one step (a rename); throws
  // VelmoraError with the cannot-create message when it cannot.
  virtual void Commit() = 0;
};

// For ports that have no temporary files of their own: the content is held
// in memory and written atomically at the commit.
class StagedInMemory final : public StagedFile {
 public:
  StagedInMemory(FileSystemPort& files, const FilePath& path, std::string bytes);
  void Commit() override;

 private:
  FileSystemPort& files_;
  FilePath path_;
  std::string bytes_;
};

// One output of a command: where it goes and what writes it.
struct PlannedOutput {
  FilePath path;
  ContentProducer produce;
};

// Writes every output or none: each is staged in turn, and only when all are
// complete are they put in place, in order. A failure while staging removes
// the temporaries and leaves every target untouched.
void WriteFilesTogether(FileSystemPort& files, const std::vector<PlannedOutput>& outputs);

}  // namespace velmora
