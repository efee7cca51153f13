#pragma once
// What the editor tells the author when a picture cannot be taken: each of
// the limits in words, and nothing lost (the step keeps the picture it had).

#include <string>

#include "document/Picture.h"

namespace velmora {

std::string PictureRefusalMessage(PictureRefusal refusal);
// The document as a whole would pass kMostDocumentBytes with the picture.
std::string DocumentTooLargeMessage();
// "貼り付け" found no picture on the clipboard.
std::string NoClipboardPictureMessage();

}  // namespace velmora
