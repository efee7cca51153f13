// velmora-cli export IN [--svg OUT.svg [--horizontal] [--pictures] [--stats FOLDER]...]
// [--html OUT.html] [--book OUT.html]: the procedure as a diagram (with
// --stats each node shaded by how often the run records in FOLDER show it,
// its count written on it), as a page that runs it in any browser, and as a
// numbered book to print. The outputs are written all or none: a failure leaves every one
// of them as it was.
#include "cli/Commands.h"
#include "cli/DocumentFiles.h"
#include "cli/OutputTargets.h"
#include "distribution/DiagramSvg.h"
#include "distribution/HtmlPlayer.h"
#include "distribution/ProcedureBook.h"
#include "distribution/RunStatistics.h"

namespace velmora::cli {
namespace {

struct ExportArguments {
  FilePath input;
  FilePath svg;
  FilePath html;
  FilePath book;
  DiagramOptions diagram;
  std::vector<FilePath> statsFolders;
  // The book prints the authors' notes.
  bool notes = false;
};

FilePath OutputArgument(const Arguments& arguments, std::size_t& i, const FilePath& earlier) {
  const std::string& option = arguments[i];
  if (i + 1 >= arguments.size()) throw UsageError(option + " needs a file");
  if (!earlier.Empty()) throw UsageError(option + " given twice");
  return FilePath::FromUtf8(arguments[++i]);
}

ExportArguments ParseExportArguments(const Arguments& arguments) {
  ExportArguments parsed;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--svg") {
      parsed.svg = OutputArgument(arguments, i, parsed.svg);
    } else if (arguments[i] == "--html") {
      parsed.html = OutputArgument(arguments, i, parsed.html);
    } else if (arguments[i] == "--book") {
      parsed.book = OutputArgument(arguments, i, parsed.book);
    } else if (arguments[i] == "--stats") {
      if (i + 1 >= arguments.size()) throw UsageError("--stats needs a folder");
      parsed.statsFolders.push_back(FilePath::FromUtf8(arguments[++i]));
    } else if (arguments[i] == "--horizontal") {
      parsed.diagram.horizontal = true;
    } else if (arguments[i] == "--pictures") {
      parsed.diagram.pictures = true;
    } else if (arguments[i] == "--notes") {
      parsed.notes = true;
    } else if (arguments[i].size() > 1 && arguments[i][0] == '-') {
      throw UsageError("unknown option " + arguments[i]);
    } else {
      positional.push_back(arguments[i]);
    }
  }
  if (positional.size() != 1) throw UsageError("export needs exactly one file IN");
  if (parsed.svg.Empty() && parsed.html.Empty() && parsed.book.Empty()) {
    throw UsageError("export needs --svg FILE, --html FILE or --book FILE");
  }
  if (parsed.diagram.horizontal && parsed.svg.Empty()) throw UsageError("--horizontal goes with --svg");
  if (!parsed.statsFolders.empty() && parsed.svg.Empty()) throw UsageError("--stats goes with --svg");
  if (parsed.diagram.pictures && parsed.svg.Empty()) throw UsageError("--pictures goes with --svg");
  if (parsed.notes && parsed.book.Empty()) throw UsageError("--notes goes with --book");
  parsed.input = FilePath::FromUtf8(positional[0]);
  return parsed;
}

// How often the records in `folders` show each node of the document in
// `input`, by its place in pre-order.
std::vector<std::size_t> VisitsOf(FileSystemPort& files, const FilePath& input, const std::vector<FilePath>& folders) {
  const LoadedDocument document = OpenLikeEditor(files, input);
  RunStatisticsBuilder builder = StatisticsBuilderFor(document.tree, document.state);
  for (const FilePath& folder : folders) AddRecordFolder(files, folder, builder);
  std::vector<std::size_t> visits(document.tree.Count(), 0);
  for (const auto& [number, count] : builder.Finish().visits) visits[number - 1] = count;
  return visits;
}

}  // namespace

int RunExport(CliHost& host, const Arguments& arguments) {
  const ExportArguments parsed = ParseExportArguments(arguments);
  std::vector<FilePath> outputPaths;
  for (const FilePath* path : {&parsed.svg, &parsed.html, &parsed.book}) {
    if (!path->Empty()) outputPaths.push_back(*path);
  }
  CheckOutputs(host.Files(), {parsed.input}, outputPaths);
  std::vector<std::size_t> visits;
  DiagramOptions diagram = parsed.diagram;
  if (!parsed.statsFolders.empty()) {
    visits = VisitsOf(host.Files(), parsed.input, parsed.statsFolders);
    diagram.visits = &visits;
  }
  // Every export works from the nodes as shown, made once from the steps
  // with their messages copied out; the steps and the file's bytes go before
  // the outputs are written.
  ShownNodes shown;
  DocumentState state;
  FieldTable fields;
  {
    LoadedSteps document = OpenStepsLikeEditor(host.Files(), parsed.input);
    shown = ShownNodesOf(document.steps, document.state);
    // The messages point into the steps' copy of the file: copied out first.
    KeepOwnMessages(shown);
    document.steps = StepList();
    state = std::move(document.state);
    fields = std::move(document.fields);
  }
  std::vector<PlannedOutput> outputs;
  diagram.fields = &fields;
  if (!parsed.svg.Empty()) {
    outputs.push_back(
        {parsed.svg, [&](ByteSink& sink) { WriteDiagramSvg(shown, state, diagram, sink); }});
  }
  if (!parsed.html.Empty()) {
    outputs.push_back({parsed.html, [&](ByteSink& sink) { WriteHtmlPlayer(shown, state, sink, &fields); }});
  }
  if (!parsed.book.Empty()) {
    outputs.push_back({parsed.book, [&](ByteSink& sink) {
                         WriteProcedureBook(shown, state, BookDateText(), sink, &fields, parsed.notes);
                       }});
  }
  WriteFilesTogether(host.Files(), outputs);
  return kExitSuccess;
}

}  // namespace velmora::cli
