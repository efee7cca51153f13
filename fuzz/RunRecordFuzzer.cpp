// The run record reader on arbitrary bytes, as a record folder on a share
// may hold them: a record it accepts names steps from 1 on and an outcome
// it knows, and the counting never takes a node outside the document.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "distribution/RunStatistics.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<velmora::ParsedRunRecord> record = velmora::ParseRunRecord(bytes);
  if (record) {
    if (record->steps.empty()) std::abort();
    for (const std::size_t step : record->steps) {
      if (step == 0) std::abort();
    }
  }
  velmora::RunStatisticsBuilder builder(record ? record->version : "0badf00d", 5);
  builder.Add("velmora-run-fuzz.txt", bytes);
  const velmora::RunStatistics stats = builder.Finish();
  for (const auto& [node, runs] : stats.visits) {
    if (node == 0 || node > 5 || runs == 0) std::abort();
  }
  if (stats.runs + stats.damaged + stats.otherVersions.size() != 1) std::abort();
  return 0;
}
