// velmora-cli paths IN [--csv [--bom]]: every end a run from the root can
// reach, one row each with the answers that lead there, the end's kind and
// its message; with --csv as a spreadsheet reads it, and with --bom led by
// the byte order mark that Excel on a Japanese Windows needs to read UTF-8.
#include "cli/CommandArguments.h"
#include "cli/DocumentFiles.h"
#include "cli/OutputBuffer.h"
#include "distribution/PathTable.h"

namespace velmora::cli {

int RunPaths(CliHost& host, const Arguments& arguments) {
  const FileAndSwitches parsed = ParseFileAndSwitches(arguments, "paths", {"--csv", "--bom"});
  const bool csv = parsed.Has("--csv");
  if (parsed.Has("--bom") && !csv) throw UsageError("--bom goes with --csv");
  const LoadedDocument& document = OpenForCommand(host.Files(), FilePath::FromUtf8(parsed.file));
  OutputBuffer out(host);
  if (parsed.Has("--bom")) out.AppendUtf8("\xEF\xBB\xBF");
  PathTableOptions options;
  options.format = csv ? PathTableFormat::Csv : PathTableFormat::Text;
  // A terminal's lines end in LF; RFC 4180 asks CR LF of CSV.
  options.lineEnd = csv ? "\r\n" : "\n";
  WritePathTable(out, document.tree, options);
  out.Flush();
  return kExitSuccess;
}

}  // namespace velmora::cli
