#include "app/TextFinder.h"

#include <utility>

namespace velmora {

void TextFinder::SetText(std::string cp932) {
  text_ = std::move(cp932);
  status_.clear();
}

void TextFinder::SetInFields(bool inFields) {
  inFields_ = inFields;
  status_.clear();
}

bool TextFinder::Step(Editor& editor, SearchDirection direction) {
  const SearchResult found =
      FindNode(editor.Tree(), editor.Selected(), text_, editor.State().NewLineMark, direction, inFields_);
  status_ = SearchResultText(found);
  if (found.node == nullptr) return false;
  editor.Select(found.node);
  return true;
}

}  // namespace velmora
