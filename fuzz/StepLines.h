#pragma once
// The fuzzers' bytes as the lines behind a procedure's steps, the way the
// player's reader meets the stored field section: one root-level step a
// line.
#include <cstddef>
#include <string_view>

#include "document/StepList.h"

namespace velmora::fuzz {

inline void AddLines(StepList& steps, std::string_view bytes) {
  std::size_t start = 0;
  for (std::size_t i = 0; i <= bytes.size(); ++i) {
    if (i == bytes.size() || bytes[i] == '\n') {
      steps.Add(bytes.substr(start, i - start), 0);
      start = i + 1;
    }
  }
}

}  // namespace velmora::fuzz
