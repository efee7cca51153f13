#pragma once
// The steps' pictures for the outputs that embed them (the book and the
// browser's player), by the step's place in pre-order, as the stored form
// and a list of steps hold the declared fields. A picture no player could
// show (damaged, unknown, past the limits) is left out, as the player
// leaves it out; the step keeps its words.

#include <cstddef>
#include <optional>
#include <string_view>

#include "document/LaterFields.h"
#include "document/Picture.h"

namespace velmora {

struct StepPicture {
  std::string_view base64;
  std::string_view alt;  // CP932
  PictureFormat format = PictureFormat::Png;
};

class StepPictures {
 public:
  // `fields` may be null: no pictures.
  explicit StepPictures(const FieldTable* fields);
  std::optional<StepPicture> At(std::size_t position) const;
  // Whether any step has a picture to show.
  bool Any() const { return any_; }

 private:
  const FieldTable* fields_;
  bool any_ = false;
};

// "image/png" and the like, for a data URI.
std::string_view PictureMimeType(PictureFormat format);

}  // namespace velmora
