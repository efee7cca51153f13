// Clipboard text read as a branch (ParseBranchText) on arbitrary bytes: it
// either refuses with a user-facing error or gives one branch whose copied
// lines read back as the same branch, also after it has been packed away
// and restored the way the undo history keeps a deleted branch. The find's
// folding runs over the same bytes, which must never read past a text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "document/BranchRecord.h"
#include "document/Errors.h"
#include "document/SearchFolding.h"
#include "files/BranchText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  velmora::FoldForSearch(bytes);
  velmora::DecisionTree branch;
  try {
    branch = velmora::ParseBranchText(bytes);
  } catch (const velmora::VelmoraError&) {
    return 0;
  }
  if (branch.Root() == nullptr || branch.Root()->Level() != 0 || branch.TopLevel().size() != 1) std::abort();
  const std::string copied = velmora::BranchText(branch, *branch.Root());
  const velmora::DecisionTree again = velmora::ParseBranchText(copied);
  if (velmora::BranchText(again, *again.Root()) != copied) std::abort();

  velmora::DecisionTree host;
  velmora::TreeNode* parent = host.AddTopLevel("host");
  const velmora::TreeNode* restored =
      velmora::UnpackBranch(host, parent, velmora::PackBranch(branch, *branch.Root()));
  if (velmora::BranchText(host, *restored) != copied) std::abort();
  return 0;
}
