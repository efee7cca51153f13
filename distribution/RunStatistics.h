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

#include "document/DecisionTree.h"
#include "document/DocumentState.h"
#include "document/Outcome.h"
#include "files/FileSystemPort.h"

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

// A node of an older version that no longer exists, by that version and
// its number there.
struct GoneNode {
  std::string version;
  std::size_t number = 0;
  bool operator<(const GoneNode& other) const {
    return version != other.version ? version < other.version : number < other.number;
  }
};

struct RunStatistics {
  std::string version;                          // the document's own
  std::size_t runs = 0;                         // records counted: this version's and the mapped ones
  std::map<std::size_t, std::size_t> ends;      // end's node number -> runs that ended there
  std::map<std::size_t, std::size_t> stops;     // question's node number -> runs that stopped there
  std::map<std::size_t, std::size_t> visits;    // node number -> times shown
  std::size_t outcomes[4] = {};                 // by Outcome
  std::uint64_t medianMs = 0;
  // Older versions whose document was at hand: their runs counted onto
  // today's nodes (version -> runs), and where they ended or stopped at a
  // node since removed, listed apart.
  std::map<std::string, std::size_t> mappedVersions;
  std::map<GoneNode, std::size_t> goneEnds;
  std::map<GoneNode, std::size_t> goneStops;
  std::map<std::string, std::size_t> otherVersions;  // version -> runs, listed apart
  std::size_t damaged = 0;  // named as records, but not whole ones (or naming no node)
  std::size_t foreign = 0;  // other files in the folders
};

class RunStatisticsBuilder {
 public:
  // For a document of `nodeCount` nodes whose version is `version`.
  RunStatisticsBuilder(std::string version, std::size_t nodeCount);
  // Records of the older version `version` count too: `numberToday` gives
  // for each of its node numbers (from 1; index 0 unused) today's number,
  // 0 for a node that is gone (OlderVersionNumbers below).
  void AddOlderVersion(std::string version, std::vector<std::size_t> numberToday);
  // One file of a record folder, by its name and its bytes.
  void Add(std::string_view fileName, std::string_view bytes);
  // Whether a file of this name is worth reading at all.
  static bool LooksLikeRecord(std::string_view fileName);
  void CountForeign() { ++statistics_.foreign; }
  RunStatistics Finish();

 private:
  void Count(const ParsedRunRecord& record, const std::vector<std::size_t>* numberToday);

  RunStatistics statistics_;
  std::size_t nodeCount_;
  std::map<std::string, std::vector<std::size_t>> olderVersions_;
  std::vector<std::uint64_t> durations_;
};

// Every file of `folder` into `builder`: a record another player is still
// renaming, or one without read access, counts as damaged; a folder that
// cannot be listed raises the file system's error.
void AddRecordFolder(FileSystemPort& files, const FilePath& folder, RunStatisticsBuilder& builder);

// The builder for the document as the generated executable names it (the
// version of the document as saved), with its node count.
RunStatisticsBuilder StatisticsBuilderFor(const DecisionTree& tree, const DocumentState& state);

// For AddOlderVersion: each node of `older` by number, today's number in
// `today` of the node the comparison pairs it with, 0 where none.
std::vector<std::size_t> OlderVersionNumbers(const DecisionTree& older, const DecisionTree& today);

}  // namespace velmora
