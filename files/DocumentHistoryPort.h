#pragma once
// Where the document commands report the files the author works on: every
// tree file loaded and every save names its file here, so the recent-file
// list of the File menu can follow. The list itself belongs to the
// application shell above this layer, which implements the port.

#include "document/FilePath.h"

namespace velmora {

class DocumentHistoryPort {
 public:
  virtual ~DocumentHistoryPort() = default;
  // Called with CurrentFileName at the end of every load of a tree file
  // (not of a tree read out of an executable) and of every save.
  virtual void AddToHistory(const FilePath& path) = 0;
};

// For callers without a recent-file list (the command-line tool, tests).
class NoDocumentHistory final : public DocumentHistoryPort {
 public:
  void AddToHistory(const FilePath&) override {}
};

}  // namespace velmora
