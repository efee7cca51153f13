#include "cli/GitExternalDiff.h"

#include <string>

#include "cli/FlatOutline.h"
#include "cli/LineDiff.h"

namespace velmora::cli {
namespace {

// Git's mode of a side that does not exist (an added or deleted file).
constexpr std::string_view kNoFileMode = ".";

struct GitSide {
  std::string name;  // "a/path" or "b/path", as Git's own headers say
  FilePath file;
  bool exists = false;
};

struct GitDiffArguments {
  GitSide before;
  GitSide after;
};

GitDiffArguments ParseGitArguments(const Arguments& arguments) {
  GitDiffArguments parsed;
  const std::string& path = arguments[0];
  const std::string& newPath = arguments.size() == 9 ? arguments[7] : path;
  parsed.before = {"a/" + path, FilePath::FromUtf8(arguments[1]), arguments[3] != kNoFileMode};
  parsed.after = {"b/" + newPath, FilePath::FromUtf8(arguments[4]), arguments[6] != kNoFileMode};
  return parsed;
}

// One side opened: the procedure, or the file's bytes when it is none.
struct OpenedSide {
  const LoadedDocument* document = nullptr;
  std::string bytes;
};

OpenedSide Open(CliHost& host, const GitSide& side) {
  OpenedSide opened;
  if (!side.exists) return opened;
  opened.document = OpenProcedureOrNothing(host, side.file);
  if (opened.document == nullptr) opened.bytes = host.Files().ReadWholeFile(side.file);
  return opened;
}

// A procedure that came or went is listed node by node, one "+" or "-"
// line each, as a diff shows an added or deleted text.
void AppendWholeProcedure(OutputBuffer& out, const char* heading, const LoadedDocument& document, const char* mark) {
  out.AppendUtf8(std::string(heading) + "\n");
  AppendFlatOutline(out, document, mark);
}

// A side's bytes as they are, also a procedure's where the other side is
// none (a .tre that became something else is shown as the text it was).
std::string RawBytes(CliHost& host, const GitSide& side, const OpenedSide& opened) {
  if (!side.exists) return {};
  return opened.document != nullptr ? host.Files().ReadWholeFile(side.file) : opened.bytes;
}

std::string ShownName(const GitSide& side) { return side.exists ? side.name : "/dev/null"; }

// A file that is no procedure gets what diff -u or Git would show for it.
void AppendPlainDiff(CliHost& host, OutputBuffer& out, const GitDiffArguments& git, const OpenedSide& before,
                     const OpenedSide& after) {
  const std::string old = RawBytes(host, git.before, before);
  const std::string now = RawBytes(host, git.after, after);
  if (old.find('\0') != std::string::npos || now.find('\0') != std::string::npos) {
    out.AppendUtf8("Binary files " + ShownName(git.before) + " and " + ShownName(git.after) + " differ\n");
    return;
  }
  out.AppendUtf8(UnifiedLineDiff(old, now, ShownName(git.before), ShownName(git.after)));
}

}  // namespace

bool LooksLikeGitDiffArguments(const Arguments& arguments) {
  if (arguments.size() != 7 && arguments.size() != 9) return false;
  for (const std::string& argument : arguments) {
    if (argument.rfind("--", 0) == 0) return false;
  }
  return true;
}

int RunGitExternalDiff(CliHost& host, const Arguments& arguments) {
  const GitDiffArguments git = ParseGitArguments(arguments);
  const OpenedSide before = Open(host, git.before);
  const OpenedSide after = Open(host, git.after);
  OutputBuffer out(host);
  const bool procedures = (before.document != nullptr || !git.before.exists) &&
                          (after.document != nullptr || !git.after.exists);
  if (!procedures) {
    AppendPlainDiff(host, out, git, before, after);
    out.Flush();
    return kExitSuccess;
  }
  out.AppendUtf8("diff --velmora " + git.before.name + " " + git.after.name + "\n");
  if (before.document == nullptr) {
    AppendWholeProcedure(out, "new procedure", *after.document, "+");
  } else if (after.document == nullptr) {
    AppendWholeProcedure(out, "deleted procedure", *before.document, "-");
  } else {
    const ProcedureDiff diff = CompareProcedures({before.document->tree, before.document->state},
                                                 {after.document->tree, after.document->state});
    if (diff.Same()) out.AppendUtf8("the same procedure; the files differ only in how it is written\n");
    AppendDiffText(out, diff);
  }
  out.Flush();
  return kExitSuccess;
}

}  // namespace velmora::cli
