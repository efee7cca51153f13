#include "distribution/RunStatistics.h"

#include <algorithm>

#include "distribution/RunRecord.h"
#include "distribution/TreeMatching.h"
#include "document/ContentVersion.h"
#include "document/Errors.h"
#include "files/TreeFile.h"

namespace velmora {
namespace {

bool ParseNumber(std::string_view text, std::uint64_t& value) {
  if (text.empty() || text.size() > 18) return false;
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return true;
}

// The value of `key` among the record's lines, or nothing.
std::optional<std::string_view> ValueOf(std::string_view text, std::string_view key) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() >= key.size() + 1 && line.compare(0, key.size(), key) == 0 && line[key.size()] == '=') {
      return line.substr(key.size() + 1);
    }
    start = end + 1;
  }
  return std::nullopt;
}

bool ParseSteps(std::string_view text, std::vector<std::size_t>& steps) {
  while (!text.empty()) {
    const std::size_t space = text.find(' ');
    std::uint64_t number = 0;
    if (!ParseNumber(text.substr(0, space), number) || number == 0) return false;
    steps.push_back(static_cast<std::size_t>(number));
    text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
  }
  return true;
}

}  // namespace

std::optional<ParsedRunRecord> ParseRunRecord(std::string_view text) {
  if (text.substr(0, kRunRecordFirstLine.size()) != kRunRecordFirstLine) return std::nullopt;
  const auto version = ValueOf(text, "version");
  const auto duration = ValueOf(text, "duration-ms");
  const auto steps = ValueOf(text, "steps");
  const auto end = ValueOf(text, "end");
  const auto outcome = ValueOf(text, "outcome");
  // The last line written: a record without it was cut short.
  if (!version || !duration || !steps || !end || !outcome) return std::nullopt;
  ParsedRunRecord record;
  record.version = std::string(*version);
  std::uint64_t endNumber = 0;
  if (!ParseNumber(*duration, record.durationMs) || !ParseSteps(*steps, record.steps) || record.steps.empty()) {
    return std::nullopt;
  }
  if (!end->empty() && (!ParseNumber(*end, endNumber) || endNumber == 0)) return std::nullopt;
  record.end = static_cast<std::size_t>(endNumber);
  record.outcome = OutcomeOfValue(*outcome);
  if (record.outcome == Outcome::None && *outcome != "none") return std::nullopt;
  return record;
}

RunStatisticsBuilder::RunStatisticsBuilder(std::string version, std::size_t nodeCount) : nodeCount_(nodeCount) {
  statistics_.version = std::move(version);
}

bool RunStatisticsBuilder::LooksLikeRecord(std::string_view fileName) {
  return fileName.size() > kRunRecordPrefix.size() + kRunRecordSuffix.size() &&
         fileName.substr(0, kRunRecordPrefix.size()) == kRunRecordPrefix &&
         fileName.substr(fileName.size() - kRunRecordSuffix.size()) == kRunRecordSuffix;
}

void RunStatisticsBuilder::Add(std::string_view fileName, std::string_view bytes) {
  if (!LooksLikeRecord(fileName)) {
    ++statistics_.foreign;
    return;
  }
  const std::optional<ParsedRunRecord> record = ParseRunRecord(bytes);
  if (!record) {
    ++statistics_.damaged;
    return;
  }
  const std::vector<std::size_t>* numberToday = nullptr;
  if (record->version != statistics_.version) {
    const auto older = olderVersions_.find(record->version);
    if (older == olderVersions_.end()) {
      ++statistics_.otherVersions[record->version];
      return;
    }
    numberToday = &older->second;
  }
  // A record names only nodes of its version's document.
  const std::size_t count = numberToday == nullptr ? nodeCount_ : numberToday->size() - 1;
  const auto outside = [count](std::size_t node) { return node > count; };
  if (outside(record->end) || std::any_of(record->steps.begin(), record->steps.end(), outside)) {
    ++statistics_.damaged;
    return;
  }
  Count(*record, numberToday);
}

void RunStatisticsBuilder::AddOlderVersion(std::string version, std::vector<std::size_t> numberToday) {
  if (version == statistics_.version || numberToday.empty()) return;
  olderVersions_[std::move(version)] = std::move(numberToday);
}

// A run of this version as it is; one of an older version on today's nodes
// where they still exist, apart where they do not.
void RunStatisticsBuilder::Count(const ParsedRunRecord& record, const std::vector<std::size_t>* numberToday) {
  const auto today = [numberToday](std::size_t number) { return numberToday == nullptr ? number : (*numberToday)[number]; };
  ++statistics_.runs;
  if (numberToday != nullptr) ++statistics_.mappedVersions[record.version];
  for (const std::size_t step : record.steps) {
    if (today(step) != 0) ++statistics_.visits[today(step)];
  }
  const std::size_t last = record.end != 0 ? record.end : record.steps.back();
  std::map<std::size_t, std::size_t>& counts = record.end != 0 ? statistics_.ends : statistics_.stops;
  if (today(last) != 0) {
    ++counts[today(last)];
  } else {
    ++(record.end != 0 ? statistics_.goneEnds : statistics_.goneStops)[GoneNode{record.version, last}];
  }
  ++statistics_.outcomes[static_cast<std::size_t>(record.outcome)];
  durations_.push_back(record.durationMs);
}

std::vector<std::size_t> OlderVersionNumbers(const DecisionTree& older, const DecisionTree& today) {
  // Both laid out in pre-order, so index i is the node numbered i + 1.
  const IndexedTree before(older);
  const IndexedTree after(today);
  const TreeMatch match = MatchTrees(before, after);
  std::vector<std::size_t> numbers(before.nodes.size() + 1, 0);
  for (std::size_t i = 0; i < before.nodes.size(); ++i) {
    if (match.oldToNew[i] != IndexedTree::kNone) numbers[i + 1] = match.oldToNew[i] + 1;
  }
  return numbers;
}

RunStatistics RunStatisticsBuilder::Finish() {
  if (!durations_.empty()) {
    const std::size_t middle = durations_.size() / 2;
    std::nth_element(durations_.begin(), durations_.begin() + static_cast<std::ptrdiff_t>(middle), durations_.end());
    std::uint64_t median = durations_[middle];
    if (durations_.size() % 2 == 0) {
      const std::uint64_t below = *std::max_element(durations_.begin(), durations_.begin() + static_cast<std::ptrdiff_t>(middle));
      median = (median + below) / 2;
    }
    statistics_.medianMs = median;
  }
  return statistics_;
}

void AddRecordFolder(FileSystemPort& files, const FilePath& folder, RunStatisticsBuilder& builder) {
  for (const FilePath& file : files.FilesIn(folder)) {
    const std::string name = file.FileName().Utf8();
    if (!RunStatisticsBuilder::LooksLikeRecord(name)) {
      builder.CountForeign();
      continue;
    }
    std::string bytes;
    try {
      bytes = files.ReadWholeFile(file);
    } catch (const VelmoraError&) {
    }
    builder.Add(name, bytes);
  }
}

RunStatisticsBuilder StatisticsBuilderFor(const DecisionTree& tree, const DocumentState& state) {
  return RunStatisticsBuilder(ContentVersion(BuildTreeText(tree, state)), tree.Count());
}

}  // namespace velmora
