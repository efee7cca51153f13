// velmora-cli stats DOCUMENT FOLDER... [--json | --csv]: what the run
// records in FOLDER say of the procedure in DOCUMENT (RunStatistics.h):
// the runs that reached each end, the share of each outcome, where runs
// stopped without an end, the median time, and the runs of other versions,
// listed apart. With --old OLDER (an earlier .tre or .exe, as often as
// needed) the runs of that version count too, on today's nodes as the
// comparison pairs them; where one ended at a node since removed it is
// listed apart. A file in a folder that is no record, or a damaged one, is
// counted and skipped.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/DocumentFiles.h"
#include "cli/JsonText.h"
#include "cli/OutputBuffer.h"
#include "distribution/RunStatistics.h"
#include "document/ContentVersion.h"
#include "document/Errors.h"
#include "document/Utf8Text.h"

namespace velmora::cli {
namespace {

struct StatsArguments {
  FilePath document;
  std::vector<FilePath> folders;
  std::vector<FilePath> older;
  bool json = false;
  bool csv = false;
};

StatsArguments ParseStatsArguments(const Arguments& arguments) {
  StatsArguments parsed;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--old") {
      if (i + 1 == arguments.size()) throw UsageError("--old needs a file");
      parsed.older.push_back(FilePath::FromUtf8(arguments[++i]));
    } else if (argument == "--json" && !parsed.json) {
      parsed.json = true;
    } else if (argument == "--csv" && !parsed.csv) {
      parsed.csv = true;
    } else if (argument.size() > 1 && argument[0] == '-') {
      throw UsageError("unknown option " + argument);
    } else {
      positional.push_back(argument);
    }
  }
  if (parsed.json && parsed.csv) throw UsageError("--json or --csv, not both");
  if (positional.size() < 2) throw UsageError("stats needs DOCUMENT and at least one FOLDER");
  parsed.document = FilePath::FromUtf8(positional[0]);
  for (std::size_t i = 1; i < positional.size(); ++i) parsed.folders.push_back(FilePath::FromUtf8(positional[i]));
  return parsed;
}

// Each node of the document, by its number (its line in the tree text).
std::vector<const TreeNode*> NodesByNumber(const DecisionTree& tree) {
  std::vector<const TreeNode*> nodes{nullptr};
  tree.ForEachPreOrder([&nodes](const TreeNode& node) { nodes.push_back(&node); });
  return nodes;
}

std::string Percent(std::size_t part, std::size_t whole) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f%%", whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole));
  return text;
}

std::string Seconds(std::uint64_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(ms) / 1000.0);
  return text;
}

const char* OutcomeId(std::size_t outcome) {
  return outcome == 0 ? "none" : kOutcomeChoices[outcome - 1].value.data();
}

// The nodes of each older version given, by version, for the texts of the
// nodes since removed.
using OlderNodes = std::map<std::string, std::vector<const TreeNode*>>;

class StatsPrinter {
 public:
  StatsPrinter(OutputBuffer& out, const RunStatistics& stats, const DecisionTree& tree,
               const std::vector<const TreeNode*>& nodes, const OlderNodes& older)
      : out_(out), stats_(stats), tree_(tree), nodes_(nodes), older_(older) {}

  void Text() {
    std::size_t mapped = 0;
    for (const auto& [version, runs] : stats_.mappedVersions) mapped += runs;
    out_.AppendUtf8("runs of this version (" + stats_.version + "): " + std::to_string(stats_.runs - mapped) + "\n");
    for (const auto& [version, runs] : stats_.mappedVersions) {
      out_.AppendUtf8("runs of an earlier version counted here (" + version + "): " + std::to_string(runs) + "\n");
    }
    TextNodes("ends reached:", stats_.ends);
    out_.AppendUtf8("outcomes:");
    for (std::size_t i = 1; i <= 4; ++i) {
      const std::size_t outcome = i % 4;  // resolved, unresolved, contact, then none
      out_.AppendUtf8(std::string(i == 1 ? " " : ", ") + OutcomeId(outcome) + " " +
                      std::to_string(stats_.outcomes[outcome]) + " (" + Percent(stats_.outcomes[outcome], stats_.runs) + ")");
    }
    out_.AppendUtf8("\n");
    TextNodes("stopped without an end:", stats_.stops);
    TextGone("ended at a step since removed:", stats_.goneEnds);
    TextGone("stopped at a step since removed:", stats_.goneStops);
    out_.AppendUtf8("median time: " + (stats_.runs == 0 ? std::string("-") : Seconds(stats_.medianMs)) + "\n");
    for (const auto& [version, runs] : stats_.otherVersions) {
      out_.AppendUtf8("runs of another version (" + version + "): " + std::to_string(runs) + "\n");
    }
    if (stats_.damaged + stats_.foreign != 0) {
      out_.AppendUtf8("skipped: " + std::to_string(stats_.damaged) + " damaged records, " +
                      std::to_string(stats_.foreign) + " other files\n");
    }
  }

  void Json() {
    out_.AppendUtf8("{\"version\": \"" + stats_.version + "\", \"runs\": " + std::to_string(stats_.runs));
    JsonNodes("ends", stats_.ends);
    JsonNodes("stops", stats_.stops);
    out_.AppendUtf8(", \"outcomes\": {");
    for (std::size_t i = 0; i < 4; ++i) {
      out_.AppendUtf8(std::string(i == 0 ? "" : ", ") + "\"" + OutcomeId(i) + "\": " + std::to_string(stats_.outcomes[i]));
    }
    out_.AppendUtf8("}, \"median_ms\": " + std::to_string(stats_.medianMs));
    JsonVersions("mapped_versions", stats_.mappedVersions);
    JsonGone("gone_ends", stats_.goneEnds);
    JsonGone("gone_stops", stats_.goneStops);
    JsonVersions("other_versions", stats_.otherVersions);
    out_.AppendUtf8(", \"damaged\": " + std::to_string(stats_.damaged) + ", \"other_files\": " +
                    std::to_string(stats_.foreign) + "}\n");
  }

 private:
  void JsonVersions(const char* name, const std::map<std::string, std::size_t>& versions) {
    out_.AppendUtf8(std::string(", \"") + name + "\": {");
    bool first = true;
    for (const auto& [version, runs] : versions) {
      out_.AppendUtf8(std::string(first ? "" : ", ") + JsonString(version) + ": " + std::to_string(runs));
      first = false;
    }
    out_.AppendUtf8("}");
  }

  void JsonGone(const char* name, const std::map<GoneNode, std::size_t>& gone) {
    out_.AppendUtf8(std::string(", \"") + name + "\": [");
    bool first = true;
    for (const auto& [node, runs] : gone) {
      out_.AppendUtf8(std::string(first ? "" : ", ") + "{\"version\": " + JsonString(node.version) +
                      ", \"line\": " + std::to_string(node.number) + ", \"runs\": " + std::to_string(runs) +
                      ", \"text\": " + JsonString(Cp932ToUtf8Text(OlderText(node))) + "}");
      first = false;
    }
    out_.AppendUtf8("]");
  }

  void TextGone(const char* heading, const std::map<GoneNode, std::size_t>& gone) {
    if (gone.empty()) return;
    out_.AppendUtf8(std::string(heading) + "\n");
    for (const auto& [node, runs] : gone) {
      out_.AppendUtf8("  " + node.version + " line " + std::to_string(node.number) + ": " + std::to_string(runs) + " ");
      out_.AppendCp932(OlderText(node));
      out_.AppendUtf8("\n");
    }
  }

  std::string_view OlderText(const GoneNode& node) const {
    const auto document = older_.find(node.version);
    return document == older_.end() ? std::string_view() : document->second[node.number]->Text();
  }

 public:
  // One row per node: a spreadsheet sorts and sums them as the author likes.
  void Csv() {
    out_.AppendUtf8("line,text,shown,ended,stopped,outcome\r\n");
    for (std::size_t number = 1; number < nodes_.size(); ++number) {
      const TreeNode& node = *nodes_[number];
      std::string text = Cp932ToUtf8Text(node.Text());
      std::string quoted = "\"";
      for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
      out_.AppendUtf8(std::to_string(number) + "," + quoted + "\"," + Count(stats_.visits, number) + "," +
                      Count(stats_.ends, number) + "," + Count(stats_.stops, number) + "," +
                      (node.HasChildren() ? "" : OutcomeOf(node)) + "\r\n");
    }
  }

 private:
  static std::string Count(const std::map<std::size_t, std::size_t>& counts, std::size_t number) {
    const auto at = counts.find(number);
    return std::to_string(at == counts.end() ? 0 : at->second);
  }
  std::string OutcomeOf(const TreeNode& node) const {
    static const FieldIndex outcome = *FieldNamed("outcome");
    return std::string(tree_.LaterOf(node).Get(outcome));
  }

  void TextNodes(const char* heading, const std::map<std::size_t, std::size_t>& counts) {
    if (counts.empty()) return;
    out_.AppendUtf8(std::string(heading) + "\n");
    for (const auto& [number, runs] : counts) {
      out_.AppendUtf8("  line " + std::to_string(number) + ": " + std::to_string(runs) + " (" +
                      Percent(runs, stats_.runs) + ") ");
      out_.AppendCp932(nodes_[number]->Text());
      out_.AppendUtf8("\n");
    }
  }

  void JsonNodes(const char* name, const std::map<std::size_t, std::size_t>& counts) {
    out_.AppendUtf8(std::string(", \"") + name + "\": [");
    bool first = true;
    for (const auto& [number, runs] : counts) {
      out_.AppendUtf8(std::string(first ? "" : ", ") + "{\"line\": " + std::to_string(number) + ", \"runs\": " +
                      std::to_string(runs) + ", \"text\": " + JsonString(Cp932ToUtf8Text(nodes_[number]->Text())) + "}");
      first = false;
    }
    out_.AppendUtf8("]");
  }

  OutputBuffer& out_;
  const RunStatistics& stats_;
  const DecisionTree& tree_;
  const std::vector<const TreeNode*>& nodes_;
  const OlderNodes& older_;
};

}  // namespace

int RunStats(CliHost& host, const Arguments& arguments) {
  const StatsArguments parsed = ParseStatsArguments(arguments);
  const LoadedDocument& document = OpenForCommand(host.Files(), parsed.document);
  const std::vector<const TreeNode*> nodes = NodesByNumber(document.tree);
  // The version the generated executable names: the document as saved.
  RunStatisticsBuilder builder = StatisticsBuilderFor(document.tree, document.state);
  OlderNodes olderNodes;
  for (const FilePath& path : parsed.older) {
    const LoadedDocument& older = OpenForCommand(host.Files(), path);
    const std::string version = ContentVersion(BuildTreeText(older.tree, older.state));
    builder.AddOlderVersion(version, OlderVersionNumbers(older.tree, document.tree));
    olderNodes[version] = NodesByNumber(older.tree);
  }
  for (const FilePath& folder : parsed.folders) AddRecordFolder(host.Files(), folder, builder);
  const RunStatistics stats = builder.Finish();
  OutputBuffer out(host);
  StatsPrinter printer(out, stats, document.tree, nodes, olderNodes);
  if (parsed.json) {
    printer.Json();
  } else if (parsed.csv) {
    printer.Csv();
  } else {
    printer.Text();
  }
  out.Flush();
  return kExitSuccess;
}

}  // namespace velmora::cli
