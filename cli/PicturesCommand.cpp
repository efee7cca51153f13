// velmora-cli pictures FILE [--extract FOLDER]: the steps' pictures of the
// procedure in FILE, one line each ("12: [画像 1280x720 PNG 183 KB: ...]"),
// or with --extract each written byte for byte into FOLDER as a file named
// by its node's line ("12.png"), all of them or, on any failure, none. A
// picture whose stored form is damaged stops the extraction before anything
// is written, naming its line.
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/DocumentFiles.h"
#include "cli/OutputBuffer.h"
#include "cli/OutputTargets.h"
#include "document/Errors.h"
#include "document/Picture.h"
#include "files/StagedFile.h"

namespace velmora::cli {
namespace {

struct PicturesArguments {
  FilePath file;
  FilePath folder;  // empty: list them
};

PicturesArguments ParsePicturesArguments(const Arguments& arguments) {
  PicturesArguments parsed;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--extract" && parsed.folder.Empty()) {
      if (i + 1 == arguments.size() || arguments[i + 1].empty()) throw UsageError("--extract needs a folder");
      parsed.folder = FilePath::FromUtf8(arguments[++i]);
    } else if (argument.size() > 1 && argument[0] == '-') {
      throw UsageError("unknown option " + argument);
    } else {
      positional.push_back(argument);
    }
  }
  if (positional.size() != 1) throw UsageError("pictures needs one FILE");
  parsed.file = FilePath::FromUtf8(positional[0]);
  return parsed;
}

// A node's picture and words, by the node's line in the tree text.
struct StepPicture {
  std::size_t line = 0;
  std::string stored;
  std::string alt;
};

std::vector<StepPicture> PicturesOf(const LoadedSteps& document) {
  static const FieldIndex picture = *FieldNamed("picture");
  static const FieldIndex alt = *FieldNamed("alt");
  std::vector<StepPicture> pictures;
  for (const PositionedFields& entry : document.fields) {
    const std::string_view stored = entry.fields.Get(picture);
    if (!stored.empty()) {
      pictures.push_back({entry.position + 1, std::string(stored), std::string(entry.fields.Get(alt))});
    }
  }
  return pictures;
}

// "png", "jpg", "gif" or "bmp" by the bytes, "bin" for bytes of none.
std::string ExtensionOf(std::string_view bytes) {
  const std::optional<PictureFacts> facts = ReadPictureFacts(bytes);
  if (!facts) return "bin";
  switch (facts->format) {
    case PictureFormat::Png: return "png";
    case PictureFormat::Jpeg: return "jpg";
    case PictureFormat::Gif: return "gif";
    case PictureFormat::Bmp: return "bmp";
  }
  return "bin";
}

void Extract(CliHost& host, const PicturesArguments& parsed, const std::vector<StepPicture>& pictures) {
  std::vector<std::string> bytes;
  std::vector<FilePath> paths;
  for (const StepPicture& each : pictures) {
    std::optional<std::string> decoded = Base64Decode(each.stored);
    if (!decoded) {
      throw VelmoraError("line " + std::to_string(each.line) + ": the stored picture is damaged; nothing written");
    }
    paths.push_back(parsed.folder.Join(std::to_string(each.line) + "." + ExtensionOf(*decoded)));
    bytes.push_back(std::move(*decoded));
  }
  CheckOutputs(host.Files(), {parsed.file}, paths);
  std::vector<PlannedOutput> outputs;
  for (std::size_t i = 0; i < paths.size(); ++i) {
    outputs.push_back({paths[i], [&bytes, i](ByteSink& sink) { sink.Write(bytes[i]); }});
  }
  WriteFilesTogether(host.Files(), outputs);
}

}  // namespace

int RunPictures(CliHost& host, const Arguments& arguments) {
  const PicturesArguments parsed = ParsePicturesArguments(arguments);
  const std::vector<StepPicture> pictures = PicturesOf(OpenStepsLikeEditor(host.Files(), parsed.file));
  if (!parsed.folder.Empty()) {
    Extract(host, parsed, pictures);
    return kExitSuccess;
  }
  OutputBuffer out(host);
  for (const StepPicture& each : pictures) {
    out.AppendUtf8(std::to_string(each.line) + ": ");
    out.AppendCp932(PictureSummary(each.stored, each.alt));
    out.AppendUtf8("\n");
  }
  out.Flush();
  return kExitSuccess;
}

}  // namespace velmora::cli
