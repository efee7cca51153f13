// Two versions of a procedure from one input (split at the first form feed),
// compared as diff compares them: any pair of trees must give a report, and
// a tree compared with itself must give none.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "distribution/ProcedureDiff.h"
#include "files/LoadedDocument.h"
#include "files/TreeTextParser.h"

namespace {

velmora::DecisionTree TreeOf(std::string_view text) {
  velmora::DecisionTree tree = std::move(velmora::ParseTreeTextOrError(std::string(text)).tree);
  velmora::RestoreKinds(tree);
  return tree;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = input.find('\f');
  const velmora::DecisionTree before = TreeOf(input.substr(0, split));
  const velmora::DecisionTree after = TreeOf(split == std::string_view::npos ? std::string_view() : input.substr(split + 1));
  const velmora::DocumentState state;
  velmora::CompareProcedures({before, state}, {after, state});
  if (!velmora::CompareProcedures({before, state}, {before, state}).Same()) __builtin_trap();
  return 0;
}
