// velmora-cli diff OLD NEW [--json]: what changed between two versions of a
// procedure, for a reviewer or a build that must notice when an end user's
// path changes. Exits as diff(1) does: 0 the same, 1 different, 2 trouble.
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/DocumentFiles.h"
#include "cli/GitExternalDiff.h"
#include "cli/JsonText.h"
#include "cli/OutputBuffer.h"
#include "distribution/ProcedureDiff.h"
#include "document/Utf8Text.h"

namespace velmora::cli {
namespace {

struct DiffArguments {
  FilePath before;
  FilePath after;
  bool json = false;
};

DiffArguments ParseDiffArguments(const Arguments& arguments) {
  DiffArguments parsed;
  std::vector<std::string> files;
  for (const std::string& argument : arguments) {
    if (argument == "--json") {
      if (parsed.json) throw UsageError("--json given twice");
      parsed.json = true;
    } else if (argument.size() > 1 && argument[0] == '-') {
      throw UsageError("unknown option " + argument);
    } else {
      files.push_back(argument);
    }
  }
  if (files.size() != 2) throw UsageError("diff needs OLD and NEW");
  parsed.before = FilePath::FromUtf8(files[0]);
  parsed.after = FilePath::FromUtf8(files[1]);
  return parsed;
}

// Names for programs that read the JSON, and the text's own words.
const char* ChangeId(ChangeKind kind) {
  switch (kind) {
    case ChangeKind::Added: return "added";
    case ChangeKind::Removed: return "removed";
    case ChangeKind::Text: return "text";
    case ChangeKind::Kind: return "kind";
    case ChangeKind::Default: return "default";
    case ChangeKind::Moved: return "moved";
    case ChangeKind::Swapped: return "swapped";
    case ChangeKind::Field: return "field";
    case ChangeKind::Title: return "title";
    case ChangeKind::Colour: return "colour";
    case ChangeKind::NewLine: return "newline";
  }
  return "unknown";
}

class DiffPrinter {
 public:
  explicit DiffPrinter(OutputBuffer& out) : out_(out) {}

  void Text(const ProcedureDiff& diff) {
    for (const DiffChange& change : diff.changes) out_.AppendUtf8(ChangeLine(change) + "\n");
    TextPaths("paths added:", diff.pathsAdded);
    TextPaths("paths removed:", diff.pathsRemoved);
    if (!diff.pathsChanged.empty()) out_.AppendUtf8("paths that now end elsewhere:\n");
    for (const PathEndChange& change : diff.pathsChanged) {
      out_.AppendUtf8("  " + Place(change.after.answers) + ": " + End(change.before) + " -> " + End(change.after) + "\n");
    }
  }

  void Json(const ProcedureDiff& diff) {
    out_.AppendUtf8("{\"changes\": [");
    for (std::size_t i = 0; i < diff.changes.size(); ++i) {
      out_.AppendUtf8((i == 0 ? "\n  " : ",\n  ") + JsonChange(diff.changes[i]));
    }
    out_.AppendUtf8(diff.changes.empty() ? "], \"paths\": {" : "\n], \"paths\": {");
    JsonPaths("added", diff.pathsAdded);
    out_.AppendUtf8(", ");
    JsonPaths("removed", diff.pathsRemoved);
    out_.AppendUtf8(", \"changed\": [");
    for (std::size_t i = 0; i < diff.pathsChanged.size(); ++i) {
      const PathEndChange& change = diff.pathsChanged[i];
      out_.AppendUtf8((i == 0 ? "\n  " : ",\n  ") + std::string("{\"answers\": ") + JsonPath(change.after.answers) +
                      ", \"old\": " + JsonEnd(change.before) + ", \"new\": " + JsonEnd(change.after) + "}");
    }
    out_.AppendUtf8(diff.pathsChanged.empty() ? "]}}\n" : "\n]}}\n");
  }

 private:
  std::string Utf8(std::string_view cp932) { return Cp932ToUtf8Text(cp932); }
  std::string Quoted(std::string_view cp932) { return "\"" + Utf8(cp932) + "\""; }

  std::string Place(const AnswerPath& path) {
    if (path.empty()) return "the first node";
    std::string text;
    for (std::size_t i = 0; i < path.size(); ++i) text += (i == 0 ? "" : " > ") + Utf8(path[i]);
    return text;
  }

  std::string ChangeLine(const DiffChange& change) {
    const std::string where = " at " + Place(change.path) + ": " + Quoted(change.text);
    switch (change.kind) {
      case ChangeKind::Added: return "added" + where;
      case ChangeKind::Removed: return "removed" + where;
      case ChangeKind::Text: return "text changed at " + Place(change.path) + ": " + Quoted(change.before) + " -> " + Quoted(change.after);
      case ChangeKind::Kind: return "kind changed" + where + ": " + Utf8(change.before) + " -> " + Utf8(change.after);
      case ChangeKind::Default:
        return "default answer changed" + where + ": " + Utf8(change.before) + " -> " + Utf8(change.after);
      case ChangeKind::Moved: return "moved " + Quoted(change.text) + ": " + Place(change.oldPath) + " -> " + Place(change.path);
      case ChangeKind::Swapped: return "answers swapped" + where;
      case ChangeKind::Field: return FieldLine(change, where);
      case ChangeKind::Title: return "title changed: " + Quoted(change.before) + " -> " + Quoted(change.after);
      case ChangeKind::Colour: return "colour changed: " + change.before + " -> " + change.after;
      case ChangeKind::NewLine: return "newline mark changed: " + Quoted(change.before) + " -> " + Quoted(change.after);
    }
    return {};
  }

  // A picture is added, removed or replaced (its bytes compared, never its
  // file's name) and shown by what it is; another field changes.
  std::string FieldLine(const DiffChange& change, const std::string& where) {
    const std::string name(DeclaredFields()[change.field].name);
    const std::string before = Quoted(ShownValue(change.field, change.before));
    const std::string after = Quoted(ShownValue(change.field, change.after));
    if (!DeclaredFields()[change.field].picture) return name + " changed" + where + ": " + before + " -> " + after;
    if (change.before.empty()) return name + " added" + where + ": " + after;
    if (change.after.empty()) return name + " removed" + where + ": " + before;
    return name + " replaced" + where + ": " + before + " -> " + after;
  }

  std::string End(const PathEndRow& row) { return Utf8(row.kind) + " " + Quoted(row.message); }

  void TextPaths(const char* heading, const std::vector<PathEndRow>& rows) {
    if (rows.empty()) return;
    out_.AppendUtf8(std::string(heading) + "\n");
    for (const PathEndRow& row : rows) out_.AppendUtf8("  " + Place(row.answers) + ": " + End(row) + "\n");
  }

  std::string JsonText(std::string_view cp932) { return JsonString(Utf8(cp932)); }

  std::string JsonPath(const AnswerPath& path) {
    std::string json = "[";
    for (std::size_t i = 0; i < path.size(); ++i) json += (i == 0 ? "" : ", ") + JsonText(path[i]);
    return json + "]";
  }

  // Old and new as their kind asks: places for a move, numbers for the
  // colour, texts otherwise; nothing for an added or removed node.
  std::string JsonChange(const DiffChange& change) {
    std::string json = std::string("{\"change\": \"") + ChangeId(change.kind) + "\", \"path\": " + JsonPath(change.path);
    const bool field = change.kind == ChangeKind::Title || change.kind == ChangeKind::Colour || change.kind == ChangeKind::NewLine;
    json += ", \"text\": " + (field ? std::string("null") : JsonText(change.text));
    if (change.kind == ChangeKind::Field) json += ", \"field\": \"" + std::string(DeclaredFields()[change.field].name) + "\"";
    if (change.kind == ChangeKind::Moved) {
      json += ", \"old\": " + JsonPath(change.oldPath) + ", \"new\": " + JsonPath(change.path);
    } else if (change.kind == ChangeKind::Colour) {
      json += ", \"old\": " + change.before + ", \"new\": " + change.after;
    } else if (change.kind == ChangeKind::Field && DeclaredFields()[change.field].picture) {
      // What the pictures are, not their megabytes of base64.
      const auto shown = [&](const std::string& value) {
        return value.empty() ? std::string("null") : JsonText(ShownValue(change.field, value));
      };
      json += ", \"old\": " + shown(change.before) + ", \"new\": " + shown(change.after);
    } else if (change.kind != ChangeKind::Added && change.kind != ChangeKind::Removed) {
      json += ", \"old\": " + JsonText(change.before) + ", \"new\": " + JsonText(change.after);
    }
    return json + "}";
  }

  std::string JsonEnd(const PathEndRow& row) {
    return "{\"kind\": " + JsonText(row.kind) + ", \"message\": " + JsonText(row.message) + "}";
  }

  void JsonPaths(const char* name, const std::vector<PathEndRow>& rows) {
    out_.AppendUtf8(std::string("\"") + name + "\": [");
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const PathEndRow& row = rows[i];
      out_.AppendUtf8((i == 0 ? "\n  " : ",\n  ") + std::string("{\"answers\": ") + JsonPath(row.answers) +
                      ", \"kind\": " + JsonText(row.kind) + ", \"message\": " + JsonText(row.message) + "}");
    }
    out_.AppendUtf8(rows.empty() ? "]" : "\n]");
  }

  OutputBuffer& out_;
};

}  // namespace

void AppendDiffText(OutputBuffer& out, const ProcedureDiff& diff) { DiffPrinter(out).Text(diff); }

int RunDiff(CliHost& host, const Arguments& arguments) {
  if (LooksLikeGitDiffArguments(arguments)) return RunGitExternalDiff(host, arguments);
  const DiffArguments parsed = ParseDiffArguments(arguments);
  const LoadedDocument& before = OpenForCommand(host.Files(), parsed.before);
  const LoadedDocument& after = OpenForCommand(host.Files(), parsed.after);
  const ProcedureDiff diff = CompareProcedures({before.tree, before.state}, {after.tree, after.state});
  // The same documents print nothing, as diff(1) does.
  if (diff.Same()) return kExitSuccess;
  OutputBuffer out(host);
  DiffPrinter printer(out);
  if (parsed.json) {
    printer.Json(diff);
  } else {
    printer.Text(diff);
  }
  out.Flush();
  return kExitFailure;
}

}  // namespace velmora::cli
