// The picture's readers on arbitrary bytes, as a damaged or hostile file may
// hold them: the header reader and the limits' check agree and never read
// past the bytes, base64 reads back exactly what it wrote and refuses any
// other text, and the player's reading of a stored field section (whose
// picture and words lines it takes by position) never names a step that
// is not there.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/Picture.h"
#include "document/StepList.h"
#include "files/TrailingLines.h"
#include "fuzz/StepLines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<velmora::PictureFacts> facts = velmora::ReadPictureFacts(bytes);
  const std::optional<velmora::PictureRefusal> refusal = velmora::CheckPicture(bytes);
  if (!facts && refusal != velmora::PictureRefusal::NotAPicture && size <= velmora::kMostPictureBytes) std::abort();
  const std::string stored = velmora::Base64Encode(bytes);
  if (velmora::Base64Decode(stored) != std::string(bytes)) std::abort();
  if (velmora::CheckStoredPicture(stored) != refusal && size <= 96 * 1024) std::abort();
  if (const std::optional<std::string> decoded = velmora::Base64Decode(bytes)) {
    if (velmora::Base64Encode(*decoded) != bytes) std::abort();
  }
  velmora::PictureSummary(bytes, bytes);

  // The bytes as the lines after a tree of three steps, the way the player
  // reads them: every picture or word it takes is a line's tail.
  velmora::StepList steps(4 + size + 1);
  steps.Add("q", 0, velmora::Question);
  steps.Add("a", 1, velmora::Information);
  steps.Add("b", 1, velmora::Information);
  steps.Add("[FIELDS]", 0);
  velmora::fuzz::AddLines(steps, bytes);
  velmora::ReadStepFields(steps);
  for (std::size_t i = 0; i < 3; ++i) {
    const std::string_view picture = steps[i].picture;
    if (!picture.empty() && (picture.data() < bytes.data() || picture.data() + picture.size() > bytes.data() + size)) {
      std::abort();
    }
  }
  for (std::size_t i = 3; i < steps.Size(); ++i) {
    if (!steps[i].picture.empty() || !steps[i].alt.empty()) std::abort();
  }
  return 0;
}
