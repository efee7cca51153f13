#include "cli/Commands.h"

namespace velmora::cli {

const std::vector<Command>& CommandTable() {
  static const std::vector<Command> table = {
      {"convert", RunConvert, "IN OUT [--stub FILE]",
       "Open IN (.tre or a generated .exe) as the editor opens it and write OUT (.tre or .exe) as the editor "
       "saves or generates it."},
      {"show", RunShow, "IN [--flat]",
       "Print the procedure in IN as a readable outline; with --flat one line per node led by its place (\"/\" "
       "for the first node, then the answers), the form Git's textconv reads. A file that is no procedure is "
       "printed as it is (a binary one as its size and hash)."},
      {"play", RunPlay, "IN [--answers SEQ]",
       "Run the procedure in IN as the preview does, step by step in the terminal; answer with y, n, b or o "
       "(one line each on standard input, an empty line for the default, or all at once with --answers)."},
      {"export", RunExport,
       "IN [--svg OUT.svg [--horizontal] [--pictures] [--stats FOLDER]...] [--html OUT.html] [--book OUT.html [--notes]]",
       "Draw the procedure in IN as an SVG diagram (top-down, or left to right with --horizontal; with --pictures "
       "each step's picture scaled down in its box; with --stats "
       "each node shaded by how often the run records in FOLDER show it, its count written on it), write it as "
       "one self-contained HTML page that runs it in a browser, and/or as a numbered procedure book to print "
       "(HTML, A4; with --notes each step also prints its author's note). Several outputs are written all or none."},
      {"check", RunCheck, "IN [--json] [--quiet]",
       "Check the procedure in IN before release: one line per problem (FILE:LINE: error|warning: explanation), "
       "or JSON with --json; without problems a one-line summary on standard error, unless --quiet. Exits with 1 "
       "when a problem is an error."},
      {"paths", RunPaths, "IN [--csv [--bom]]",
       "Print every path through the procedure in IN: the answers from the root, the final message's kind "
       "and text; CSV with --csv, led by a UTF-8 byte order mark with --bom (Excel on a Japanese Windows "
       "needs it to read the CSV as UTF-8)."},
      {"diff", RunDiff, "OLD NEW [--json]",
       "Compare two versions of a procedure (.tre or a generated .exe): the nodes added, removed, changed, "
       "moved or with their answers swapped, the title, colour and newline mark, and the paths that appear, "
       "disappear or now end elsewhere. Exits with 0 when they are the same, 1 when they differ, 2 on trouble. "
       "Given the seven (or nine) arguments of Git's external diff, it prints that file's change and exits with 0; "
       "a file that is no procedure gets a plain line diff.",
       kExitUsage},
      {"set", RunSet, "FILE [LINE] KEY=VALUE... [--output OUT]",
       "Set fields of the node on LINE of FILE (its line in the tree text, as check names it): note=TEXT (an "
       "empty value removes it), outcome=resolved|unresolved|contact|none on a node without answers, "
       "picture=IMAGE (a PNG, JPEG, GIF or BMP file of at most 8 MB and 8192 pixels a side; empty: none) and "
       "alt=TEXT (the picture's words for those who cannot see it); or without "
       "LINE the document's title=, color= (0-3), newline= and record-folder= (where each run of the generated "
       "executable leaves a record; empty: none). FILE is written in place as the editor saves or generates it, or OUT is written. Exits with 2 on a line that "
       "is no node, an unknown key or a bad value, writing nothing."},
      {"stats", RunStats, "DOCUMENT FOLDER... [--old OLDER]... [--json | --csv]",
       "Read the run records that the executable generated from DOCUMENT left in each FOLDER (its record "
       "folder) and print how many runs reached each end, the share of each outcome, where runs stopped "
       "without an end, the median time and the runs of other versions; --csv gives one row per node. The "
       "runs of an earlier version OLDER (.tre or .exe) count on today's nodes as the comparison pairs them; "
       "those that ended at a node since removed are listed apart. Files that are no record, or damaged "
       "ones, are counted and skipped."},
      {"pictures", RunPictures, "IN [--extract FOLDER]",
       "List the steps' pictures in IN, one line each led by the node's line; with --extract write each picture "
       "byte for byte into FOLDER as LINE.png (.jpg, .gif, .bmp by its kind), all of them or none."},
      {"git-setup", RunGitSetup, "[--global] [--undo]",
       "Write the diff driver \"velmora\" (diff for git diff, show --flat as textconv) into this repository's "
       "Git configuration, or the user's with --global, and print the .gitattributes lines that choose it; "
       "--undo removes it again."},
      // Further commands go here, one line each (declared in Commands.h).
  };
  return table;
}

}  // namespace velmora::cli
