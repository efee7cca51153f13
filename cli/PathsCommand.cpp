// velmora-cli paths IN [--csv]: every end a run from the root can reach,
// one row each with the answers that lead there, the end's kind and its
// message; with --csv as a spreadsheet reads it.
#include "cli/CommandArguments.h"
#include "cli/DocumentFiles.h"
#include "cli/OutputBuffer.h"
#include "distribution/PathTable.h"

namespace velmora::cli {

int RunPaths(CliHost& host, const Arguments& arguments) {
  const FileAndSwitch parsed = ParseFileAndSwitch(arguments, "paths", "--csv");
  const LoadedDocument document = OpenLikeEditor(host.Files(), FilePath::FromUtf8(parsed.file));
  OutputBuffer out(host);
  PathTableOptions options;
  options.format = parsed.switched ? PathTableFormat::Csv : PathTableFormat::Text;
  // A terminal's lines end in LF; RFC 4180 asks CR LF of CSV.
  options.lineEnd = parsed.switched ? "\r\n" : "\n";
  WritePathTable(out, document.tree, options);
  out.Flush();
  return kExitSuccess;
}

}  // namespace velmora::cli
