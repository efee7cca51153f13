// velmora-cli check IN [--json]: the check before release, for scripts and
// build pipelines. One line per problem in the form compilers use
// ("IN:LINE: error: explanation", the line of the node in the tree text),
// or one JSON document. Exits 0 when no problem is an error, 1 otherwise.
#include "cli/CommandArguments.h"
#include "cli/DocumentFiles.h"
#include "cli/JsonText.h"
#include "cli/OutputBuffer.h"
#include "document/ProcedureCheck.h"
#include "document/Utf8Text.h"

namespace velmora::cli {
namespace {

// Names for programs that read the JSON: stable, unlike the explanations.
const char* KindId(ProblemKind kind) {
  switch (kind) {
    case ProblemKind::PlaceholderText: return "placeholder-text";
    case ProblemKind::EmptyText: return "empty-text";
    case ProblemKind::KindUnset: return "kind-unset";
    case ProblemKind::OneAnswer: return "one-answer";
    case ProblemKind::UnreachableAnswers: return "unreachable-answers";
    case ProblemKind::SuffixOnFinalMessage: return "suffix-on-final-message";
    case ProblemKind::SuffixBeforeBlanks: return "suffix-before-blanks";
    case ProblemKind::EmptyTitle: return "empty-title";
    case ProblemKind::LongMessage: return "long-message";
    case ProblemKind::OutcomeOnQuestion: return "outcome-on-question";
    case ProblemKind::PictureWithoutAlt: return "picture-without-alt";
    case ProblemKind::PictureUnusable: return "picture-unusable";
    case ProblemKind::LinkOnQuestion: return "link-on-question";
    case ProblemKind::NoWayToEnd: return "no-way-to-end";
    case ProblemKind::LinkBackUnsaid: return "link-back-unsaid";
    case ProblemKind::LinkChain: return "link-chain";
    case ProblemKind::Unreachable: return "unreachable";
  }
  return "unknown";
}

const char* SeverityName(ProblemSeverity severity) {
  return severity == ProblemSeverity::Error ? "error" : "warning";
}

void PrintLines(OutputBuffer& out, const std::string& file, const ProblemList& problems) {
  for (const Problem& problem : problems) {
    out.AppendUtf8(file + ":");
    if (problem.node != nullptr) out.AppendUtf8(std::to_string(problem.preOrderIndex + 1) + ":");
    out.AppendUtf8(std::string(" ") + SeverityName(problem.Severity()) + ": ");
    out.AppendCp932(problem.Explanation());
    out.AppendUtf8("\n");
  }
}

void PrintJson(OutputBuffer& out, const ProblemList& problems, std::size_t errors) {
  out.AppendUtf8("{\"errors\": " + std::to_string(errors) +
                 ", \"warnings\": " + std::to_string(problems.size() - errors) + ", \"problems\": [");
  for (std::size_t i = 0; i < problems.size(); ++i) {
    const Problem& problem = problems[i];
    out.AppendUtf8(i == 0 ? "\n  " : ",\n  ");
    out.AppendUtf8(std::string("{\"severity\": \"") + SeverityName(problem.Severity()) + "\", \"kind\": \"" +
                   KindId(problem.kind) + "\", \"line\": ");
    out.AppendUtf8(problem.node != nullptr ? std::to_string(problem.preOrderIndex + 1) : "null");
    out.AppendUtf8(", \"text\": ");
    out.AppendUtf8(problem.node != nullptr ? JsonString(Cp932ToUtf8Text(problem.node->Text())) : "null");
    out.AppendUtf8(", \"explanation\": " + JsonString(Cp932ToUtf8Text(problem.Explanation())) + "}");
  }
  out.AppendUtf8(problems.empty() ? "]}\n" : "\n]}\n");
}

}  // namespace

int RunCheck(CliHost& host, const Arguments& arguments) {
  const FileAndSwitches parsed = ParseFileAndSwitches(arguments, "check", {"--json", "--quiet"});
  const LoadedDocument& document = OpenForCommand(host.Files(), FilePath::FromUtf8(parsed.file));
  const ProblemList problems = CheckProcedure(document.tree, document.state);
  std::size_t errors = 0;
  for (const Problem& problem : problems) errors += problem.Severity() == ProblemSeverity::Error ? 1U : 0U;
  OutputBuffer out(host);
  if (parsed.Has("--json")) {
    PrintJson(out, problems, errors);
  } else {
    PrintLines(out, parsed.file, problems);
  }
  out.Flush();
  // Silence would look like a check that never ran; standard error keeps
  // standard output empty for scripts that read it.
  if (problems.empty() && !parsed.Has("--json") && !parsed.Has("--quiet")) {
    host.WriteError("velmora-cli: " + parsed.file + ": no problems found\n");
  }
  return errors == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace velmora::cli
