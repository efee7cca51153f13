#pragma once
// Branches through the clipboard: a node with its subtree as the lines a
// tree file holds for it (one TAB per level below the branch's top, the
// kind marker before the text, CR LF after each line, CP932), so that a
// branch copied here reads as plain lines in a text editor, and lines
// written or copied in a text editor paste here as a branch.

#include <optional>
#include <string>
#include <string_view>

#include "document/DecisionTree.h"
#include "document/Editor.h"

namespace velmora {

// "貼り付ける文字列がありません。"
inline constexpr const char* kNothingToPasteMessage =
    "\x93\x5c\x82\xe8\x95\x74\x82\xaf\x82\xe9\x95\xb6\x8e\x9a\x97\xf1\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb9\x82\xf1"
    "\x81\x42";
// "貼り付ける文字列は、枝の形になっていません。"
inline constexpr const char* kNotABranchMessage =
    "\x93\x5c\x82\xe8\x95\x74\x82\xaf\x82\xe9\x95\xb6\x8e\x9a\x97\xf1\x82\xcd\x81\x41\x8e\x7d\x82\xcc\x8c\x60\x82\xc9"
    "\x82\xc8\x82\xc1\x82\xc4\x82\xa2\x82\xdc\x82\xb9\x82\xf1\x81\x42";

// The branch of `top` as tree-file lines, `top` itself without indentation.
std::string BranchText(const DecisionTree& tree, const TreeNode& top);

// Lines as a text editor gives them (CR LF, LF or CR; TABs or blanks for
// levels, counted from the first line's indentation; blank lines skipped)
// as a tree of one top-level node, kinds restored as a file load restores
// them. Throws VelmoraError when the text holds no line
// (kNothingToPasteMessage) or is not one branch: a later line indented no
// further than the first, or one that goes down more than one level
// (kNotABranchMessage, then the line's number and text).
DecisionTree ParseBranchText(std::string_view text, std::size_t* droppedLinks = nullptr);

// Copy: the selected node's branch; nothing without a selection.
std::optional<std::string> CopyBranchText(const Editor& editor);

// Whether Cut may run: a selected node other than the root (which cannot
// be deleted either).
bool CanCutBranch(const Editor& editor);
// Cut: the selected branch's text; the branch is deleted as Delete1 deletes
// it, without the question. Nothing (and no change) when Cut may not run.
std::optional<std::string> CutBranch(Editor& editor);

// Whether Paste may run: where AddYes1 or AddNo1 may add an answer.
bool CanPasteBranch(const Editor& editor);
// Paste: the text's branch becomes the last answer of CurrentNode and is
// selected, as AddYes1 adds one. False (no change) when Paste may not run;
// text that is not a branch throws before anything changes.
bool PasteBranch(Editor& editor, std::string_view text, std::size_t* droppedLinks = nullptr);

// "貼り付けた枝の外を指していた続ける先 " and " 件は外しました。", around the
// number of links a pasted branch left out: they pointed out of the branch
// copied, and there is no node of the document to name.
inline constexpr std::string_view kLinksLeftHead =
    "\x93\x5c\x82\xe8\x95\x74\x82\xaf\x82\xbd\x8e\x7d\x82\xcc\x8a\x4f\x82\xf0\x8e\x77\x82\xb5\x82\xc4\x82"
    "\xa2\x82\xbd\x91\xb1\x82\xaf\x82\xe9\x90\xe6 ";
inline constexpr std::string_view kLinksLeftTail = " \x8c\x8f\x82\xcd\x8a\x4f\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42";

}  // namespace velmora
