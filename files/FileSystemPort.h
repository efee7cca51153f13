#pragma once
// What the file layer needs from the platform: whole files in, whole files
// out, and the few conversions between paths and CP932 texts. Paths are
// FilePath (kept whole, see document/FilePath.h); only messages, captions
// and the settings file need their CP932 form, and only this port knows
// how the system spells a path in CP932.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/FilePath.h"
#include "files/ByteSink.h"
#include "files/StagedFile.h"

namespace velmora {

// What a path names now, links followed: enough to refuse writing over
// something that is no file (a device, a pipe, a folder) or over a file
// that a command also reads.
struct FileIdentity {
  enum class Kind { Missing, RegularFile, Other };
  Kind kind = Kind::Missing;
  // Equal keys name the same file: the device and file number of one that
  // exists, the resolved full path of one that does not exist yet.
  std::string key;
};

class FileSystemPort {
 public:
  virtual ~FileSystemPort() = default;

  // The file's whole content. Throws VelmoraError with the cannot-open
  // message (path and the system's reason) when the file cannot be read.
  virtual std::string ReadWholeFile(const FilePath& path) = 0;

  // Puts `bytes` in place of the file at `path` as one step: the content
  // goes to a temporary file in the same folder, is flushed to the disk and
  // then replaces the target, so a failure at any point (disk full, a crash
  // mid-write) leaves the old file as it was and no temporary file behind.
  // Throws VelmoraError with the cannot-create message naming `path`.
  virtual void WriteFileAtomically(const FilePath& path, std::string_view bytes) = 0;

  // The same with content that `produce` writes piece by piece, so a large
  // file need not exist whole in memory first. A throw from `produce` is a
  // failure like any other: the old file stays as it was. Ports that can
  // write as the pieces come override this; the default collects them.
  virtual void StreamFileAtomically(const FilePath& path, const ContentProducer& produce) {
    StringSink collected;
    produce(collected);
    WriteFileAtomically(path, collected.Bytes());
  }

  // The content is written in full to a temporary file beside `path` and
  // flushed, but the target is left alone until the result's Commit. Ports
  // without temporary files of their own keep the content in memory.
  virtual std::unique_ptr<StagedFile> StageFile(const FilePath& path, const ContentProducer& produce) {
    StringSink collected;
    produce(collected);
    return std::make_unique<StagedInMemory>(*this, path, collected.Bytes());
  }

  // What `path` names. Ports that cannot tell devices or file numbers apart
  // report a file or nothing, keyed by the full path.
  virtual FileIdentity Identify(const FilePath& path) {
    return {FileExists(path) ? FileIdentity::Kind::RegularFile : FileIdentity::Kind::Missing, Absolute(path).Utf8()};
  }

  // True when a file (not a folder) exists at `path`.
  virtual bool FileExists(const FilePath& path) = 0;

  // Deletes the file at `path`; true when no file is left there (also when
  // there was none). A port that cannot delete files leaves an empty file
  // instead, which the readers of such files (the recovery copy) take for
  // none.
  virtual bool RemoveFile(const FilePath& path) {
    if (FileExists(path)) WriteFileAtomically(path, {});
    return true;
  }

  // The full path of `path`: a relative one is taken against the current
  // folder, so a later change of that folder (a file dialog may make one)
  // cannot send a save elsewhere. An empty path stays empty.
  virtual FilePath Absolute(const FilePath& path) = 0;

  // The path as a CP932 text for messages and captions; a character CP932
  // cannot hold shows as "?". Never used to reach the file again.
  virtual std::string DisplayText(const FilePath& path) = 0;

  // The path in CP932 when every character converts faithfully, for the
  // CP932 files that store paths; nothing otherwise.
  virtual std::optional<std::string> ExactCp932(const FilePath& path) = 0;

  // A path stored as CP932 text (the settings file) as a path again.
  virtual FilePath FromCp932(std::string_view cp932) = 0;

  // The regular files directly in `folder`, in the order of their names.
  // Throws VelmoraError with the cannot-open message naming the folder when
  // it cannot be read. Ports without folders have none.
  virtual std::vector<FilePath> FilesIn(const FilePath& folder) {
    (void)folder;
    return {};
  }
};

}  // namespace velmora
