#pragma once
// What a generated executable leaves behind for its author when the
// document names a record folder: one small text file per run, with the
// procedure's title and version, the steps taken as node numbers (Back
// included), the answers, where the run ended and its outcome, the start
// time and the duration. Nothing else: no user or machine name, no free
// text. The player writes it (RunLog below, in the player's runtime);
// `velmora-cli stats` reads it (RunRecordReader.h).
//
//   velmora-run 1
//   title=プリンターの切り分け
//   version=f853ac3e
//   start=2026-12-09T20:30:05Z
//   duration-ms=5230
//   steps=1 2 4
//   answers=y n o
//   end=4
//   outcome=resolved
//
// Lines end in CR LF; the title is CP932 as the document holds it. Steps
// and `end` are node numbers: the node's line in the tree text, as check
// and set name it. `end` is empty (and `outcome` none) when the run
// stopped on a question (終了, or the window closed).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "distribution/StepDialogPort.h"
#include "document/Outcome.h"
#include "document/StepList.h"

namespace velmora {

inline constexpr std::string_view kRunRecordFirstLine = "velmora-run 1";
// What a record file's name starts and ends with, so a reader tells them
// from whatever else the folder holds.
inline constexpr std::string_view kRunRecordPrefix = "velmora-run-";
inline constexpr std::string_view kRunRecordSuffix = ".txt";

// A run's steps and answers as they happen, kept as the record's own text so
// the player needs no list of them.
class RunLog {
 public:
  void Step(std::size_t step);
  void Answer(StepAnswer answer);
  std::size_t LastStep() const { return last_; }

  struct Ending {
    std::string_view title;
    std::string_view version;
    std::string_view startUtc;  // "2026-12-09T20:30:05Z"
    std::uint64_t durationMs = 0;
  };
  // The whole record of the run over `steps`.
  std::string RecordText(const StepList& steps, const Ending& ending) const;

 private:
  std::string steps_;
  std::string answers_;
  std::size_t last_ = StepList::kNone;
};

// The letter an answer is recorded as: y, n, b (Back, 戻る or 終了), o (OK
// at an end), c (the window closed).
char AnswerLetter(StepAnswer answer);

}  // namespace velmora
