#pragma once
// The numbers an author reads back from the run records (RunRecord.h) of a
// procedure: how many runs reached each end, the share of each outcome,
// where runs stopped without an end, the median time, and how many runs
// belong to other versions. Records are read one file at a time; a file
// that is no record, or a damaged one, is counted and skipped, never fatal.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/Outcome.h"

namespace velmora {

struct ParsedRunRecord {
  std::string version;
  std::uint64_t durationMs = 0;
  std::vector<std::size_t> steps;  // node numbers, from 1
  std::size_t end = 0;             // the end's node number, 0 for a stop
  Outcome outcome = Outcome::None;
};

// Nothing for a text that is not a whole record.
std::optional<ParsedRunRecord> ParseRunRecord(std::string_view text);

struct RunStatistics {
  std::string version;                          // the document's own
  std::size_t runs = 0;                         // records of that version
  std::map<std::size_t, std::size_t> ends;      // end's node number -> runs that ended there
  std::map<std::size_t, std::size_t> stops;     // question's node number -> runs that stopped there
  std::map<std::size_t, std::size_t> visits;    // node number -> times shown
  std::size_t outcomes[4] = {};                 // by Outcome
  std::uint64_t medianMs = 0;
  std::map<std::string, std::size_t> otherVersions;  // version -> runs, listed apart
  std::size_t damaged = 0;  // named as records, but not whole ones (or naming no node)
  std::size_t foreign = 0;  // other files in the folders
};

class RunStatisticsBuilder {
 public:
  // For a document of `nodeCount` nodes whose version is `version`.
  RunStatisticsBuilder(std::string version, std::size_t nodeCount);
  // One file of a record folder, by its name and its bytes.
  void Add(std::string_view fileName, std::string_view bytes);
  // Whether a file of this name is worth reading at all.
  static bool LooksLikeRecord(std::string_view fileName);
  void CountForeign() { ++statistics_.foreign; }
  RunStatistics Finish();

 private:
  RunStatistics statistics_;
  std::size_t nodeCount_;
  std::vector<std::uint64_t> durations_;
};

}  // namespace velmora
