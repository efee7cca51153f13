#pragma once
// The recent-file list of the File menu: HistorySize slots, slot 1 the most
// recent. The document commands report every tree file loaded and every save
// here (DocumentHistoryPort); the menu items History1 to History9 show the
// slots, and the settings file keeps them between runs.

#include <array>
#include <string>

#include "app/FileNameComparison.h"
#include "document/FilePath.h"
#include "files/DocumentHistoryPort.h"
#include "files/FileSystemPort.h"

namespace velmora {

constexpr int HistorySize = 9;

class RecentFiles final : public DocumentHistoryPort {
 public:
  explicit RecentFiles(TextCollationPort& collation) : collation_(collation) {}

  // Moves `path` to slot 1, spelled as given: the entries above its old slot
  // move down by one, those below it stay. A path not in the list enters at
  // the top and the entry of the last slot drops out. Every slot is
  // compared; when several hold the same file, the lowest of them is the
  // one replaced.
  void AddToHistory(const FilePath& path) override;

  // Slot `n` (1 to HistorySize); empty when it holds no entry.
  const FilePath& Slot(int n) const;
  // Fills a slot as the settings file stored it; gaps stay gaps.
  void SetSlot(int n, const FilePath& path);

  // The menu caption of slot `n`: "&n path", the path as `files` shows it
  // in CP932; empty for an empty slot, whose item is hidden.
  std::string Caption(int n, FileSystemPort& files) const;

 private:
  TextCollationPort& collation_;
  std::array<FilePath, HistorySize> slots_;
};

}  // namespace velmora
