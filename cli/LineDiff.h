#pragma once
// A unified diff of two texts, for the files Git hands the external diff
// that are no procedures: what diff -u would show, so a README or a script
// beside the procedures still reads as a diff.

#include <string>
#include <string_view>

namespace velmora::cli {

// "--- oldName", "+++ newName" and one hunk from the first changed line
// to the last with three lines of context around it; nothing when the
// texts are equal. Lines are paired by a longest common subsequence where
// the changed middle is small enough to compare line by line, otherwise
// the middle shows as removed and added whole.
std::string UnifiedLineDiff(std::string_view before, std::string_view after, std::string_view oldName,
                            std::string_view newName);

}  // namespace velmora::cli
