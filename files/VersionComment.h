#pragma once
// A line of the generated program's version information for whoever looks
// at the file's properties (an administrator, a virus scanner's analyst):
// the "Comments" value, which says that the program leaves a record of each
// run and where. The player stub is built with no such value; the generator
// adds it to a copy of the stub as a section of its own at the end of the
// image, where the version information's resource entry then points, so no
// byte of the stub's own sections moves.

#include <string>
#include <string_view>

namespace velmora {

// The stub with its version information's "Comments" set to `comment`
// (UTF-16). A copy that carries a comment from an earlier generation (an
// executable whose player is reused) has it replaced; an empty comment
// gives the stub without one. A stub whose layout this cannot follow, or
// without room for one more section, is returned as it is.
std::string WithVersionComment(std::string_view stub, std::u16string_view comment);

// The comment of a generated program: "実行記録を残します: " and the folder
// (CP932, as the document holds it); empty without a folder.
std::u16string RecordFolderComment(std::string_view recordFolder);

}  // namespace velmora
