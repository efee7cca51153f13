#pragma once
// The folder each command-line test works in: made afresh for the test
// (named after it, so tests never share files) with a "scratch" folder for
// the program's standard output and error, and removed after it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ProcessRunner.h"

namespace velmora::testing {

class CliWorkFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("velmora-cli-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_ / "scratch");
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  // velmora-cli with `arguments`, run in the scratch folder.
  ProcessResult Run(const std::vector<std::string>& arguments) {
    return RunProcess(HostPath(VELMORA_CLI), arguments, Utf8(folder_ / "scratch"));
  }

  // The path of `name` in the work folder, as an argument (UTF-8).
  std::string PathOf(const std::string& name) const { return Utf8(folder_ / name); }
  // Writes `bytes` to `name` in the work folder; returns its path.
  std::string Put(const std::string& name, const std::string& bytes) const {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
    return PathOf(name);
  }

  std::filesystem::path folder_;
};

}  // namespace velmora::testing
