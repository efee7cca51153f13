#include "cli/OutputTargets.h"

#include <stdexcept>
#include <string>

namespace velmora::cli {
namespace {

constexpr const char* kNothingWritten = "; nothing was written";

[[noreturn]] void Refuse(const std::string& message) { throw std::runtime_error(message + kNothingWritten); }

}  // namespace

void CheckOutputs(FileSystemPort& files, const std::vector<FilePath>& inputs, const std::vector<FilePath>& outputs) {
  std::vector<FileIdentity> inputIdentities;
  for (const FilePath& input : inputs) inputIdentities.push_back(files.Identify(input));
  std::vector<FileIdentity> written;
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const FileIdentity output = files.Identify(outputs[i]);
    if (output.kind == FileIdentity::Kind::Other) {
      Refuse(outputs[i].Utf8() + ": not a regular file (a device, a pipe, a socket or a folder)");
    }
    for (std::size_t j = 0; j < inputs.size(); ++j) {
      if (inputIdentities[j].kind != FileIdentity::Kind::Missing && inputIdentities[j].key == output.key) {
        Refuse(outputs[i].Utf8() + ": the same file as the input " + inputs[j].Utf8());
      }
    }
    for (std::size_t j = 0; j < written.size(); ++j) {
      if (written[j].key == output.key) Refuse(outputs[i].Utf8() + ": the same file as the output " + outputs[j].Utf8());
    }
    written.push_back(output);
  }
}

}  // namespace velmora::cli
