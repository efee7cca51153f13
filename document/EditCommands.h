#pragma once
// The tree editing commands of the pop-up menu, the options menu, the title
// box and the tree view's keys, as the core performs them on the editor.
// The Win32 handlers of the main window call these and then let the tree
// view follow the model.

#include <string>

#include "document/MessageBoxPort.h"
#include "document/Editor.h"
#include "document/InputBoxPort.h"
#include "document/NodeEditorPort.h"

namespace velmora {

// "を、削除してもよいですか？" (may it be deleted?)
inline constexpr const char* kDeleteQuestionTail =
    "\x82\xf0\x81\x41\x8d\xed\x8f\x9c\x82\xb5\x82\xc4\x82\xe0\x82\xe6\x82\xa2\x82\xc5\x82\xb7\x82\xa9\x81\x48";
// "改行文字を指定" (specify the newline character)
inline constexpr const char* kNewLinePrompt = "\x89\xfc\x8d\x73\x95\xb6\x8e\x9a\x82\xf0\x8e\x77\x92\xe8";

// "実行記録を残すフォルダ（空欄: 記録しない）" (the folder for run records;
// empty: none)
inline constexpr const char* kRecordFolderPrompt =
    "\x8e\xc0\x8d\x73\x8b\x4c\x98\x5e\x82\xf0\x8e\x63\x82\xb7\x83\x74\x83\x48\x83\x8b\x83\x5f\x81\x69\x8b\xf3"
    "\x97\x93\x3a\x20\x8b\x4c\x98\x5e\x82\xb5\x82\xc8\x82\xa2\x81\x6a";

constexpr int kEnterKey = 13;

// Edit1, a double click, Enter or F2 on the tree: the node editor on the
// selected node. OK stores the edited text and kind and marks the document
// modified (Save As included); OK and Cancel both expand the whole tree.
// Returns whether the node was changed.
bool TreeView1DblClick(Editor& editor, NodeEditorPort& nodeEditor);

// AddYes1 and AddNo1: a new "…" answer of kind Unset after the current
// node's children. On a node without answers it is the Yes answer, on a node
// with one it is the No answer. The new node ends up selected.
void AddYes1Click(Editor& editor);
// The steps after an answer (a new one, or a pasted branch) was added to
// the tree: the tree expanded and `added` selected.
void ShowAddedAnswer(Editor& editor, TreeNode* added);

// Exchange1: the Yes answer moves behind the No answer with its subtree. The
// parent's text (and so its default suffix) stays as it is.
void Exchange1Click(Editor& editor);

// "この下の答え " and " 件も一緒に削除されます。", around the number of nodes
// below the one to be deleted.
inline constexpr const char* kAnswersBelowHead = "\x82\xb1\x82\xcc\x89\xba\x82\xcc\x93\x9a\x82\xa6\x20";
inline constexpr const char* kAnswersBelowTail =
    "\x20\x8c\x8f\x82\xe0\x88\xea\x8f\x8f\x82\xc9\x8d\xed\x8f\x9c\x82\xb3\x82\xea\x82\xdc\x82\xb7\x81\x42";

// "この枝を続ける先にしているリンク " and " 件も外れ、リンク元はただの終わりに
// なります。", around the number of links into the branch to be deleted.
inline constexpr const char* kLinksIntoHead =
    "\x82\xb1\x82\xcc\x8e\x7d\x82\xf0\x91\xb1\x82\xaf\x82\xe9\x90\xe6\x82\xc9\x82\xb5\x82\xc4\x82\xa2\x82"
    "\xe9\x83\x8a\x83\x93\x83\x4e ";
inline constexpr const char* kLinksIntoTail =
    " \x8c\x8f\x82\xe0\x8a\x4f\x82\xea\x81\x41\x83\x8a\x83\x93\x83\x4e\x8c\xb3\x82\xcd\x82\xbd\x82\xbe"
    "\x82\xcc\x8f\x49\x82\xed\x82\xe8\x82\xc9\x82\xc8\x82\xe8\x82\xdc\x82\xb7\x81\x42";

// The confirmation text: the node's text as stored, a blank line, and the
// question; a line that says how many links into the branch go with it,
// where any do; for a node with answers, a line that says how many nodes
// below it go with it.
std::string DeleteQuestionText(const DecisionTree& tree, const TreeNode& node);

// Delete1: asks, then deletes the selected node with its subtree and selects
// its parent. Returns whether the node was deleted.
bool Delete1Click(Editor& editor, MessageBoxPort& messages, const std::string& caption);
// The deletion itself, without the question (Delete1 after Yes, Cut): the
// parent ends up selected. `node` must not be a top-level node.
void DeleteBranch(Editor& editor, TreeNode* node);

// Question1Click .. Inhibit1Click: the selected node takes kind `kind`; a
// leading "i ", "! " or "x " marker is taken off its text.
void SetKindClick(Editor& editor, int kind);
inline void Question1Click(Editor& editor) { SetKindClick(editor, Question); }
inline void Information1Click(Editor& editor) { SetKindClick(editor, Information); }
inline void Exclaimation1Click(Editor& editor) { SetKindClick(editor, Exclaimation); }
inline void Inhibit1Click(Editor& editor) { SetKindClick(editor, Inhibit); }

// YesDefault1 and NoDefault1: only for a question (a node with answers).
void YesDefault1Click(Editor& editor);
void NoDefault1Click(Editor& editor);

// NewLine1: asks for the newline mark. Any text is taken, an empty one too;
// only a different mark marks the document modified.
void NewLine1Click(Editor& editor, InputBoxPort& inputBox, const std::string& productTitle);
// The folder where each run of the generated executable leaves its record,
// asked in the same box; an empty answer records nothing. Blanks around a
// pasted path are no part of it.
void RecordFolder1Click(Editor& editor, InputBoxPort& inputBox, const std::string& productTitle);

// The option items toggle their own check mark; the handlers copy it.
void ShowButtons1Click(Editor& editor, bool checked);
void CloseQuery1Click(Editor& editor, bool checked);
void SaveStatus1Click(Editor& editor, bool checked);

// Every change of the title box, also one the program makes.
void LabeledEdit1Change(Editor& editor, const std::string& title);

// Key filters on a typed character code: whether it goes on to the control.
// The title box is one line: Enter is dropped.
bool LabeledEdit1KeyPress(int key);
// Enter in the tree is dropped and opens the node editor instead.
bool TreeView1KeyPress(Editor& editor, NodeEditorPort& nodeEditor, int key);

}  // namespace velmora
