#include "ProcessRunner.h"

#include <fstream>
#include <sstream>

#ifdef _WIN32
#include <windows.h>

#include "win32/CommandLine.h"
#else
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace velmora::testing {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// The file the child reads as standard input, written from `input`.
std::string WriteInputFile(const std::string& scratchFolder, const std::string& input, char separator) {
  const std::string path = scratchFolder + separator + "stdin.txt";
  std::ofstream(path, std::ios::binary) << input;
  return path;
}

}  // namespace

std::string FileContent(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string Utf8(const std::filesystem::path& path) {
#ifdef _WIN32
  const std::wstring wide = path.wstring();
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), length, nullptr, nullptr);
  return bytes;
#else
  return path.string();
#endif
}

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

HANDLE InheritableFile(const std::wstring& path) {
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
  return CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &security, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

HANDLE InheritableInput(const std::wstring& path) {
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
  return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, &security, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& scratchFolder, const std::optional<std::string>& input) {
  const std::string outPath = scratchFolder + "\\stdout.txt";
  const std::string errPath = scratchFolder + "\\stderr.txt";
  std::vector<std::wstring> wideArguments;
  for (const std::string& argument : arguments) wideArguments.push_back(Wide(argument));
  std::wstring commandLine = win32::CommandLineOf(Wide(program), wideArguments);

  HANDLE out = InheritableFile(Wide(outPath));
  HANDLE err = InheritableFile(Wide(errPath));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  HANDLE in = input ? InheritableInput(Wide(WriteInputFile(scratchFolder, *input, '\\'))) : nullptr;
  startup.hStdInput = input ? in : GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  ProcessResult result;
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, nullptr, &startup,
                     &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    result.exitCode = static_cast<int>(exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  if (in != nullptr) CloseHandle(in);
  CloseHandle(out);
  CloseHandle(err);
  result.out = ReadFile(outPath);
  result.err = ReadFile(errPath);
  return result;
}

std::string HostPath(const std::string& linuxPath) {
  std::string path = "Z:" + linuxPath;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

#else

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& scratchFolder, const std::optional<std::string>& input) {
  const std::string inPath = input ? WriteInputFile(scratchFolder, *input, '/') : std::string();
  const std::string outPath = scratchFolder + "/stdout.txt";
  const std::string errPath = scratchFolder + "/stderr.txt";
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  ProcessResult result;
  const pid_t child = fork();
  if (child == 0) {
    if (input) dup2(open(inPath.c_str(), O_RDONLY), 0);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, 1);
    dup2(err, 2);
    execvp(program.c_str(), argv.data());  // a bare name ("git") from the search path
    _exit(127);
  }
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  result.out = ReadFile(outPath);
  result.err = ReadFile(errPath);
  return result;
}

std::string HostPath(const std::string& linuxPath) { return linuxPath; }

#endif

}  // namespace velmora::testing
