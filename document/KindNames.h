#pragma once
// The words for a node's kind wherever a list or table names it (the check,
// the path table, the command line): the node editor's own items, so an
// author reads the same word everywhere.

#include <string_view>

namespace velmora {

// "確認", "通知", "強調", "禁止" for Question to Inhibit; "未設定" for Unset
// and any value outside the table (CP932).
std::string_view KindName(int kind);

}  // namespace velmora
