#pragma once
// velmora-cli diff as Git's external diff command (GIT_EXTERNAL_DIFF, or
// diff.<driver>.command with "*.tre diff=velmora" in .gitattributes).

#include "cli/Commands.h"
#include "cli/OutputBuffer.h"
#include "distribution/ProcedureDiff.h"

namespace velmora::cli {

// Git passes seven arguments (path, old file, old hash, old mode, new file,
// new hash, new mode), nine for a rename (then the new path and a note).
bool LooksLikeGitDiffArguments(const Arguments& arguments);

// Prints the change for one path and exits 0 whatever it found: Git takes
// any other status as the command having died, and stops the whole diff.
int RunGitExternalDiff(CliHost& host, const Arguments& arguments);

// The text form of `velmora-cli diff`, shared with the external diff.
void AppendDiffText(OutputBuffer& out, const ProcedureDiff& diff);

}  // namespace velmora::cli
