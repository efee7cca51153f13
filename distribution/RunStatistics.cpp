#include "distribution/RunStatistics.h"

#include <algorithm>

#include "distribution/RunRecord.h"

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
  if (record->version != statistics_.version) {
    ++statistics_.otherVersions[record->version];
    return;
  }
  // A record of this version names only nodes of this document.
  const auto outside = [this](std::size_t node) { return node > nodeCount_; };
  if (outside(record->end) || std::any_of(record->steps.begin(), record->steps.end(), outside)) {
    ++statistics_.damaged;
    return;
  }
  ++statistics_.runs;
  for (const std::size_t step : record->steps) ++statistics_.visits[step];
  if (record->end != 0) {
    ++statistics_.ends[record->end];
  } else {
    ++statistics_.stops[record->steps.back()];
  }
  ++statistics_.outcomes[static_cast<std::size_t>(record->outcome)];
  durations_.push_back(record->durationMs);
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

}  // namespace velmora
