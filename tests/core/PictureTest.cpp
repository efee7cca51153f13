// A step's picture as the document holds it: its format and size read from
// the header of each format the program takes, damaged and foreign bytes
// refused, the limits kept, and base64 that gives back exactly its bytes.
#include "document/Picture.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "document/LaterFields.h"

namespace velmora {
namespace {

std::string BigEndian32(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16 & 0xFF), static_cast<char>(value >> 8 & 0xFF),
          static_cast<char>(value & 0xFF)};
}
std::string LittleEndian32(std::uint32_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8 & 0xFF), static_cast<char>(value >> 16 & 0xFF),
          static_cast<char>(value >> 24)};
}

std::string Png(std::uint32_t width, std::uint32_t height) {
  return std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) + BigEndian32(width) + BigEndian32(height) +
         std::string("\x08\x06\0\0\0", 5);
}

// A JPEG whose frame follows an application segment.
std::string Jpeg(std::uint16_t width, std::uint16_t height) {
  std::string bytes("\xff\xd8\xff\xe0\0\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 20);
  bytes += std::string("\xff\xc0\0\x11\x08", 5);
  bytes += {static_cast<char>(height >> 8), static_cast<char>(height & 0xFF), static_cast<char>(width >> 8),
            static_cast<char>(width & 0xFF)};
  return bytes + std::string(12, '\0');
}

std::string Bmp(std::int32_t width, std::int32_t height) {
  return "BM" + std::string(12, '\0') + LittleEndian32(40) + LittleEndian32(static_cast<std::uint32_t>(width)) +
         LittleEndian32(static_cast<std::uint32_t>(height)) + std::string(28, '\0');
}

TEST(Picture, FormatAndSizeComeFromTheHeader) {
  struct Case {
    const char* what;
    std::string bytes;
    std::optional<PictureFacts> facts;
  };
  const Case cases[] = {
      {"PNG", Png(1280, 720), PictureFacts{PictureFormat::Png, 1280, 720}},
      {"JPEG after a segment", Jpeg(640, 480), PictureFacts{PictureFormat::Jpeg, 640, 480}},
      {"GIF", std::string("GIF89a\x20\x03\x58\x02", 10), PictureFacts{PictureFormat::Gif, 800, 600}},
      {"BMP stored top-down", Bmp(32, -16), PictureFacts{PictureFormat::Bmp, 32, 16}},
      {"PNG without its header chunk", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIDAT", 16) + std::string(8, 'x'),
       std::nullopt},
      {"PNG cut short", Png(1, 1).substr(0, 20), std::nullopt},
      {"JPEG without a frame", Jpeg(1, 1).substr(0, 20), std::nullopt},
      {"no width", Png(0, 5), std::nullopt},
      {"a text file", "just words", std::nullopt},
      {"nothing", "", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<PictureFacts> facts = ReadPictureFacts(c.bytes);
    ASSERT_EQ(facts.has_value(), c.facts.has_value());
    if (!facts) continue;
    EXPECT_EQ(facts->format, c.facts->format);
    EXPECT_EQ(facts->width, c.facts->width);
    EXPECT_EQ(facts->height, c.facts->height);
  }
}

TEST(Picture, LimitsAreKeptAndTheStoredFormSaysWhatItIs) {
  EXPECT_EQ(CheckPicture(Png(8192, 8192)), std::nullopt);
  EXPECT_EQ(CheckPicture(Png(8193, 10)), PictureRefusal::TooLarge);
  EXPECT_EQ(CheckPicture(Png(10, 10) + std::string(kMostPictureBytes, '\0')), PictureRefusal::TooManyBytes);
  EXPECT_EQ(CheckPicture("GIF"), PictureRefusal::NotAPicture);
  // The stored form is checked from its start, its size from its length.
  EXPECT_EQ(CheckStoredPicture(Base64Encode(Png(8193, 10))), PictureRefusal::TooLarge);
  EXPECT_EQ(CheckStoredPicture(Base64Encode(Png(10, 10) + std::string(kMostPictureBytes, '\0'))),
            PictureRefusal::TooManyBytes);
  EXPECT_EQ(CheckStoredPicture("not base64!"), PictureRefusal::NotAPicture);
  EXPECT_EQ(CheckStoredPicture(Base64Encode(Jpeg(3, 2))), std::nullopt);

  // [画像 1280x720 PNG 1 KB: ...], [読めない画像 1 KB]
  EXPECT_EQ(PictureSummary(Base64Encode(Png(1280, 720)), "tray"), "[\x89\xe6\x91\x9c 1280x720 PNG 1 KB: tray]");
  EXPECT_EQ(PictureSummary(Base64Encode("junk")), "[\x93\xc7\x82\xdf\x82\xc8\x82\xa2\x89\xe6\x91\x9c 1 KB]");
  const FieldIndex picture = *FieldNamed("picture");
  EXPECT_EQ(ShownValue(picture, Base64Encode(Png(2, 3))), "[\x89\xe6\x91\x9c 2x3 PNG 1 KB]");
}

// Any bytes give a text of the 64 digits and "=" that decodes to exactly
// them; a text that is not one byte string's only form is refused.
TEST(Picture, Base64GivesBackExactlyItsBytes) {
  std::mt19937 random(20261209);
  for (int round = 0; round < 300; ++round) {
    std::string bytes(random() % 70, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
    const std::string text = Base64Encode(bytes);
    EXPECT_EQ(text.size() % 4, 0u);
    EXPECT_TRUE(IsStorableFieldValue(text));
    EXPECT_EQ(Base64Decode(text), bytes);
  }
  EXPECT_EQ(Base64Encode("Man"), "TWFu");
  EXPECT_EQ(Base64Encode("Ma"), "TWE=");
  EXPECT_EQ(Base64Encode("M"), "TQ==");
  for (const char* refused : {"TWF", "TW=u", "TWE", "TR==", "TWF=", "TQ=A", "TQ==TQ==", "T Fu"}) {
    EXPECT_EQ(Base64Decode(refused), std::nullopt) << refused;
  }
}

}  // namespace
}  // namespace velmora
