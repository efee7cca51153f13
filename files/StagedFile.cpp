#include "files/StagedFile.h"

#include <memory>

#include "files/FileSystemPort.h"

namespace velmora {

StagedInMemory::StagedInMemory(FileSystemPort& files, const FilePath& path, std::string bytes)
    : files_(files), path_(path), bytes_(std::move(bytes)) {}

void StagedInMemory::Commit() { files_.WriteFileAtomically(path_, bytes_); }

void WriteFilesTogether(FileSystemPort& files, const std::vector<PlannedOutput>& outputs) {
  std::vector<std::unique_ptr<StagedFile>> staged;
  staged.reserve(outputs.size());
  for (const PlannedOutput& output : outputs) staged.push_back(files.StageFile(output.path, output.produce));
  // Renames within a folder the write could already create files in: after
  // every content is on the disk, a failure here is all but impossible.
  for (const auto& file : staged) file->Commit();
}

}  // namespace velmora
