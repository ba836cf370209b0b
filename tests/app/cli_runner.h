#pragma once
// Runs the built corvane-cli (found next to the test program) and collects its exit status
// and output.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/temp_folder.h"

namespace corvane::testing {

struct CliRun {
  int status = -1;
  std::string out, err;
};

class CliTest : public TempFolderTest {
 protected:
  static std::filesystem::path CliPath() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "corvane-cli";
  }

  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(CliPath())) << "build corvane-cli first: " << CliPath();
    TempFolderTest::SetUp();
  }

  // `environment` is put before the program as NAME=value assignments for the shell.
  CliRun Cli(const std::vector<std::string>& args, const std::string& input = "", const std::string& environment = "") {
    std::string command = environment + (environment.empty() ? "" : " ") + Quote(CliPath().string());
    for (const auto& a : args) command += " " + Quote(a);
    const std::filesystem::path in = dir_ / "stdin", out = dir_ / "stdout", err = dir_ / "stderr";
    std::ofstream(in, std::ios::binary) << input;
    command += " < " + Quote(in.string()) + " > " + Quote(out.string()) + " 2> " + Quote(err.string());
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
  }

 private:
  static std::string Quote(const std::string& s) {
    std::string q = "'";
    for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
  }

  static std::string Slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

}  // namespace corvane::testing
