#pragma once
// The values that belong to the open document besides its tree.

#include <string>

#include "document/FilePath.h"
#include "document/TextRules.h"

namespace velmora {

struct DocumentState {
  // The file the document was read from or saved to; empty while unnamed.
  FilePath CurrentFileName;
  bool Modified = false;
  // The procedure's title as typed (CP932), the caption of every step dialog.
  std::string Title;
  std::string NewLineMark = std::string(DefaultNewLineMark);
  // 1 green, 2 yellow, 3 red, 0 none. A fresh program starts with green,
  // the button the window shows selected, so a new document saved before
  // any click stores the colour it shows; files bring their own value.
  int Color = 1;
  // Where each run of a generated executable leaves its record (CP932, a
  // folder as typed, often a share); empty: no records. Stored only when
  // set, so a document without it is byte for byte what it was.
  std::string RecordFolder;
};

}  // namespace velmora
