#include "app/RecentFiles.h"

#include <cstddef>
#include <string>

namespace velmora {
namespace {

std::size_t Index(int n) { return static_cast<std::size_t>(n - 1); }

bool ValidSlot(int n) { return n >= 1 && n <= HistorySize; }

const FilePath kNoEntry;

}  // namespace

void RecentFiles::AddToHistory(const FilePath& path) {
  // An empty path names no file; it would match every empty slot.
  if (path.Empty()) return;
  int position = HistorySize;
  for (int n = 1; n <= HistorySize; ++n) {
    if (SameFileName(slots_[Index(n)], path, collation_)) position = n;
  }
  for (int n = position; n >= 2; --n) slots_[Index(n)] = slots_[Index(n - 1)];
  slots_[Index(1)] = path;
}

const FilePath& RecentFiles::Slot(int n) const { return ValidSlot(n) ? slots_[Index(n)] : kNoEntry; }

void RecentFiles::SetSlot(int n, const FilePath& path) {
  if (ValidSlot(n)) slots_[Index(n)] = path;
}

std::string RecentFiles::Caption(int n, FileSystemPort& files) const {
  const FilePath& path = Slot(n);
  if (path.Empty()) return std::string();
  return "&" + std::to_string(n) + " " + files.DisplayText(path);
}

}  // namespace velmora
