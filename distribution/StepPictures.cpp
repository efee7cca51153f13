#include "distribution/StepPictures.h"

#include <algorithm>
#include <array>

namespace velmora {
namespace {

std::optional<StepPicture> PictureOf(const LaterFields& fields) {
  static const FieldIndex picture = *FieldNamed("picture");
  static const FieldIndex alt = *FieldNamed("alt");
  const std::string_view base64 = fields.Get(picture);
  if (base64.empty()) return std::nullopt;
  const std::optional<PictureFacts> facts = ShowablePictureFacts(base64);
  if (!facts) return std::nullopt;
  return StepPicture{base64, fields.Get(alt), facts->format};
}

}  // namespace

StepPictures::StepPictures(const FieldTable* fields) : fields_(fields) {
  if (fields_ == nullptr) return;
  any_ = std::any_of(fields_->begin(), fields_->end(),
                     [](const PositionedFields& entry) { return PictureOf(entry.fields).has_value(); });
}

std::optional<StepPicture> StepPictures::At(std::size_t position) const {
  if (!any_) return std::nullopt;
  const auto at = std::lower_bound(fields_->begin(), fields_->end(), position,
                                   [](const PositionedFields& entry, std::size_t p) { return entry.position < p; });
  if (at == fields_->end() || at->position != position) return std::nullopt;
  return PictureOf(at->fields);
}

std::string_view PictureMimeType(PictureFormat format) {
  static constexpr std::array<std::string_view, 4> kTypes{"image/png", "image/jpeg", "image/gif", "image/bmp"};
  return kTypes[static_cast<std::size_t>(format)];
}

}  // namespace velmora
