#pragma once
// What a command checks about its outputs before it writes anything: the
// atomic write replaces a target by a rename, which would put a plain file
// where a device or pipe was, and a command whose output is its own input
// would destroy what it is reading.

#include <vector>

#include "files/FileSystemPort.h"

namespace velmora::cli {

// Throws (an English message naming the path) when an output exists and is
// no regular file (a device, a pipe, a socket, a folder), directly or
// through a link; when an output is the same file as an input; or when two
// outputs are the same file.
void CheckOutputs(FileSystemPort& files, const std::vector<FilePath>& inputs, const std::vector<FilePath>& outputs);

}  // namespace velmora::cli
