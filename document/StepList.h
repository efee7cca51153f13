#pragma once
// A procedure as a run reads it: every node in pre-order with its text (no
// kind marker), level and kind, in one array. A run only walks a procedure,
// so it needs no links between the nodes: the answers of a step are the
// steps after it one level deeper, up to the next step at its own level or
// above. The player stub reads its procedure straight into one (no tree, no
// allocation per node); the editor and the command line make one of their
// tree for a run (TreeSteps.h).

#include <cstddef>
#include <memory>
#include <string_view>

#include "document/Outcome.h"
#include "document/TextRules.h"

namespace velmora {

struct Step {
  std::string_view text;  // CP932, as the node shows it
  int level = 0;
  int kind = Unset;
  Outcome outcome = Outcome::None;  // an end's, as its "outcome" field says
  // The step's picture as stored (base64) and its words for those who
  // cannot see it (CP932); empty without one. Decoded only when shown.
  std::string_view picture;
  std::string_view alt;
  // Where a run continues after an end's message (its "link" field, as a
  // step's index); none for an end without one, and always for a question
  // (a link kept on a node that gained answers is never followed).
  std::size_t link = ~std::size_t{0};
};

class StepList {
 public:
  // "No step": where a walk leaves the procedure.
  static constexpr std::size_t kNone = ~std::size_t{0};

  StepList() = default;
  // Room for `capacity` steps; Add may be called that many times.
  explicit StepList(std::size_t capacity) : steps_(new Step[capacity]) {}

  // The list keeps a copy of `text` followed by `tail` for as long as it
  // lives, and returns it: steps read from it point into the copy.
  std::string_view KeepSource(std::string_view text, std::string_view tail);
  // What KeepSource kept (empty for a list of views into a tree).
  std::string_view Source() const { return std::string_view(source_.get(), sourceSize_); }

  void Add(std::string_view text, int level, int kind = Unset) { steps_[count_++] = Step{text, level, kind, Outcome::None, {}, {}}; }
  void RemoveLast() { --count_; }
  std::size_t Size() const { return count_; }
  Step& operator[](std::size_t index) { return steps_[index]; }
  const Step& operator[](std::size_t index) const { return steps_[index]; }

  bool HasAnswers(std::size_t index) const {
    return index + 1 < count_ && steps_[index + 1].level > steps_[index].level;
  }
  // Where Yes leads: the first answer, or kNone.
  std::size_t FirstAnswer(std::size_t index) const { return HasAnswers(index) ? index + 1 : kNone; }
  // Where No leads: the last answer, or kNone. Linear in the subtree.
  std::size_t LastAnswer(std::size_t index) const;
  // The step one level up, or kNone at level 0. Linear in the distance.
  std::size_t Parent(std::size_t index) const;
  // The first step after the subtree of `index`: Size() for the last one.
  std::size_t SubtreeEnd(std::size_t index) const;

 private:
  std::unique_ptr<char[]> source_;
  std::size_t sourceSize_ = 0;
  std::unique_ptr<Step[]> steps_;
  std::size_t count_ = 0;
};

}  // namespace velmora
