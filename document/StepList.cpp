#include "document/StepList.h"

#include <cstring>

namespace velmora {

std::string_view StepList::KeepSource(std::string_view text, std::string_view tail) {
  const std::size_t size = text.size() + tail.size();
  source_.reset(new char[size]);
  sourceSize_ = size;
  std::memcpy(source_.get(), text.data(), text.size());
  std::memcpy(source_.get() + text.size(), tail.data(), tail.size());
  return std::string_view(source_.get(), size);
}

std::size_t StepList::SubtreeEnd(std::size_t index) const {
  const int level = steps_[index].level;
  std::size_t end = index + 1;
  while (end < count_ && steps_[end].level > level) ++end;
  return end;
}

std::size_t StepList::LastAnswer(std::size_t index) const {
  const int answerLevel = steps_[index].level + 1;
  std::size_t last = kNone;
  for (std::size_t i = index + 1; i < count_ && steps_[i].level >= answerLevel; ++i) {
    if (steps_[i].level == answerLevel) last = i;
  }
  return last;
}

std::size_t StepList::Parent(std::size_t index) const {
  const int level = steps_[index].level;
  while (index > 0) {
    --index;
    if (steps_[index].level < level) return index;
  }
  return kNone;
}

}  // namespace velmora
