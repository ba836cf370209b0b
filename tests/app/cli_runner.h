#pragma once
// Runs the built corvane-cli, found next to the test program, with files for its standard
// input, output and error in the test's own folder.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "tests/app/temp_folder.h"

namespace corvane::testing {

struct CliRun {
  int status = -1;
  std::string out, err;
};

inline std::filesystem::path CliPath() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "corvane-cli";
}

inline std::string Quote(const std::string& s) {
  std::string q = "'";
  for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

inline std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class CliTest : public TempFolderTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(CliPath())) << "build corvane-cli first: " << CliPath();
    TempFolderTest::SetUp();
  }

  // `before` comes first on the program's shell line: variables for the program alone
  // ("NAME=value ..."), a command that runs it ("timeout 20"), or commands ending in ";" (a
  // resource limit, say).
  CliRun Cli(const std::vector<std::string>& args, const std::string& input = "", const std::string& before = "") {
    std::string command = before + (before.empty() ? "" : " ") + Quote(CliPath().string());
    for (const auto& a : args) command += " " + Quote(a);
    const std::filesystem::path in = dir_ / "stdin", out = dir_ / "stdout", err = dir_ / "stderr";
    std::ofstream(in, std::ios::binary) << input;
    command += " < " + Quote(in.string()) + " > " + Quote(out.string()) + " 2> " + Quote(err.string());
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(out), Slurp(err)};
  }
};

// RAM KUMAR, born 7:05 on 5 June 1975 in New Delhi, as command-line options.
inline const std::vector<std::string> kDelhi = {"--name", "ram kumar", "--date", "1975-06-05", "--time", "07:05",
                                                "--zone", "34", "--lon", "77:13E", "--lat", "28:36N",
                                                "--city", "New Delhi", "--state", "Delhi", "--country", "India"};

// RAM, born 7:05:40 on 5 June 1975 at New Delhi's coordinates, without the place's names.
inline const std::vector<std::string> kDelhiAtSecond = {"--name", "ram", "--date", "1975-06-05", "--time", "07:05:40",
                                                        "--zone", "34",  "--lon",  "77:13E",     "--lat",  "28:36N"};

inline std::vector<std::string> With(std::vector<std::string> args, const std::vector<std::string>& more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

inline std::vector<std::string> Replaced(std::vector<std::string> args, const std::string& option,
                                         const std::string& value) {
  for (std::size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == option) args[i + 1] = value;
  return args;
}

}  // namespace corvane::testing
