// The documents say what the program does: the exit statuses listed in --help, the README, the
// manual page and docs/json.md are those of cli/exit_status.h, word for word; the manual page
// describes exactly the options --help lists; the README is one well-formed document.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch_run.h"
#include "cli/commands.h"
#include "cli/exit_status.h"
#include "tests/app/cli_runner.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using Statuses = std::map<int, std::string>;

std::string SourceFile(const std::string& relative) {
  std::ifstream in(fs::path(CORVANE_SOURCE_DIR) / relative, std::ios::binary);
  EXPECT_TRUE(in.good()) << relative << " is missing";
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

Statuses TableStatuses() {
  Statuses statuses;
  for (const ExitStatus& s : kExitStatuses) statuses.emplace(s.code, std::string(s.meaning));
  return statuses;
}

// The "| N | meaning |" rows of the Markdown section whose heading starts with `heading`.
Statuses MarkdownStatuses(const std::string& text, const std::string& heading) {
  Statuses statuses;
  const std::regex row(R"(^\| (\d+) \| (.*) \|$)");
  bool inside = false;
  for (const std::string& line : Lines(text)) {
    if (line.starts_with("## ")) inside = line.starts_with(heading);
    std::smatch m;
    if (inside && std::regex_match(line, m, row)) statuses[std::stoi(m[1])] = m[2];
  }
  return statuses;
}

// A roff line as it reads: \- is a minus, \(em a dash, font changes are dropped.
std::string Unroff(std::string line) {
  line = std::regex_replace(line, std::regex(R"(\\f[BIRP])"), "");
  line = std::regex_replace(line, std::regex(R"(\\-)"), "-");
  line = std::regex_replace(line, std::regex(R"(\\\(em)"), "\u2014");
  if (line.starts_with(".B ") || line.starts_with(".I ")) line = line.substr(3);
  return line;
}

// The ".TP / .B N / meaning" items of the manual page's EXIT STATUS section.
Statuses ManStatuses(const std::string& page) {
  Statuses statuses;
  bool inside = false;
  int code = -1;
  const std::vector<std::string> lines = Lines(page);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.starts_with(".SH")) inside = line == ".SH \"EXIT STATUS\"";
    if (!inside) continue;
    if (line == ".TP" && i + 1 < lines.size()) {
      code = std::stoi(lines[++i].substr(3));
      statuses[code];
    } else if (code >= 0 && !line.starts_with(".")) {
      std::string& meaning = statuses[code];
      meaning += (meaning.empty() ? "" : " ") + Unroff(line);
    } else if (code >= 0 && (line.starts_with(".B ") || line.starts_with(".I "))) {
      std::string& meaning = statuses[code];
      meaning += (meaning.empty() ? "" : " ") + Unroff(line);
    }
  }
  // The page ends each meaning with a full stop.
  for (auto& [code, meaning] : statuses)
    if (meaning.ends_with('.')) meaning.pop_back();
  return statuses;
}

void ExpectSameStatuses(const Statuses& listed, const std::string& where) {
  const Statuses table = TableStatuses();
  for (const auto& [code, meaning] : table) {
    const auto found = listed.find(code);
    if (found == listed.end()) {
      ADD_FAILURE() << where << " does not list exit status " << code;
    } else {
      EXPECT_EQ(found->second, meaning) << where << ", exit status " << code;
    }
  }
  for (const auto& [code, meaning] : listed)
    EXPECT_TRUE(table.count(code)) << where << " lists exit status " << code << " (\"" << meaning << "\"), which the program does not have";
}

TEST(ExitStatusTable, EachStatusHasOneMeaningInIncreasingOrder) {
  std::set<std::string> meanings;
  int previous = -1;
  for (const ExitStatus& s : kExitStatuses) {
    EXPECT_GT(s.code, previous) << "the table is in increasing order, each status once";
    previous = s.code;
    EXPECT_TRUE(meanings.insert(std::string(s.meaning)).second) << s.meaning;
    EXPECT_FALSE(s.meaning.empty());
    EXPECT_FALSE(s.meaning.ends_with('.'));
  }
  // sysexits.h numbers for the statuses that follow it, and 128 + the signal for the others.
  for (const auto& [code, word] : std::vector<std::pair<int, std::string>>{
           {64, "usage"}, {65, "chart file"}, {66, "cannot be read"}, {69, "Swiss Ephemeris"},
           {72, "report module"}, {73, "could not be written"}, {74, "standard output"}, {130, "SIGINT"},
           {143, "SIGTERM"}}) {
    EXPECT_NE(TableStatuses()[code].find(word), std::string::npos) << code;
  }
}

TEST(ExitStatusTable, DocumentsListTheTableWordForWord) {
  ExpectSameStatuses(MarkdownStatuses(SourceFile("README.md"), "## Exit statuses"), "README.md");
  ExpectSameStatuses(MarkdownStatuses(SourceFile("docs/json.md"), "## Exit statuses"), "docs/json.md");
  ExpectSameStatuses(ManStatuses(SourceFile("man/corvane-cli.1")), "man/corvane-cli.1");
}

TEST(ExitStatusTable, CheckerFindsADisagreement) {
  // The same comparison, given lists with one status missing, one added or one reworded.
  Statuses missing = TableStatuses(), added = TableStatuses(), reworded = TableStatuses();
  missing.erase(69);
  added[1] = "retrogrades year outside the table";
  reworded[74] = "output not written";
  const Statuses readme = MarkdownStatuses("## Exit statuses\n| 1 | x |\n| 2 | y |\n## Next\n| 3 | z |\n", "## Exit statuses");
  EXPECT_EQ(readme, (Statuses{{1, "x"}, {2, "y"}}));
  const Statuses man = ManStatuses(".SH \"EXIT STATUS\"\n.TP\n.B 66\nAn input\n.B \\-\\-open\nfile.\n.SH FILES\n.TP\n.B 7\nx\n");
  EXPECT_EQ(man, (Statuses{{66, "An input --open file"}}));
  EXPECT_NONFATAL_FAILURE(ExpectSameStatuses(missing, "a list"), "does not list exit status 69");
  EXPECT_NONFATAL_FAILURE(ExpectSameStatuses(added, "a list"), "lists exit status 1 ");
  EXPECT_NONFATAL_FAILURE(ExpectSameStatuses(reworded, "a list"), "output not written");
}

class HelpText : public testing::CliTest {};

TEST_F(HelpText, ListsEveryExitStatusOfTheTable) {
  const testing::CliRun help = Cli({"--help"});
  ASSERT_EQ(help.status, 0);
  Statuses listed;
  int code = -1;
  const std::regex row(R"(^ *(\d+)  (.*)$)");
  bool inside = false;
  for (const std::string& line : Lines(help.out)) {
    if (line == "Exit status:") {
      inside = true;
    } else if (line.empty()) {
      inside = false;
    }
    std::smatch m;
    if (inside && std::regex_match(line, m, row)) {
      code = std::stoi(m[1]);
      listed[code] = m[2];
    } else if (inside && code >= 0 && line.starts_with("       ")) {
      listed[code] += " " + line.substr(7);  // a wrapped meaning goes on
    }
  }
  ExpectSameStatuses(listed, "--help");
}

TEST_F(HelpText, MissingReportModuleAndMissingEphemerisDataHaveTheirOwnStatuses) {
  // A copy of the program without the report module beside it (and none installed).
  const fs::path copy = dir_ / "corvane-cli";
  fs::copy_file(testing::CliPath(), copy);
  const std::string birth = " --name RAM --date 1975-06-05 --time 07:05 --zone 34 --lon 77:13E --lat 28:36N";
  const std::string pdf = testing::Quote((dir_ / "r.pdf").string());
  const int alone = std::system((testing::Quote(copy.string()) + birth + " --pdf " + pdf + " > /dev/null 2>&1").c_str());
  ASSERT_TRUE(WIFEXITED(alone));
  EXPECT_EQ(WEXITSTATUS(alone), kExitNoReportModule);
  EXPECT_FALSE(fs::exists(dir_ / "r.pdf"));
  const testing::CliRun swiss = Cli({"--name", "RAM", "--date", "1975-06-05", "--time", "07:05", "--zone", "34", "--lon",
                                     "77:13E", "--lat", "28:36N", "--engine", "swiss"},
                                    "", "SE_EPHE_PATH=" + testing::Quote((dir_ / "none").string()));
  EXPECT_EQ(swiss.status, kExitUnavailable) << swiss.err;
  EXPECT_NE(kExitNoReportModule, kExitUnavailable);
}

// The options a text names: every "--word" in it.
std::set<std::string> OptionsNamed(const std::string& text) {
  std::set<std::string> names;
  const std::regex option(R"(--[a-z][a-z-]*[a-z])");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
    names.insert(it->str());
  return names;
}

TEST_F(HelpText, ManualPageDescribesTheOptionsOfHelp) {
  const testing::CliRun help = Cli({"--help"});
  ASSERT_EQ(help.status, 0);
  // --help's option list: the lines that start with two blanks and an option.
  std::set<std::string> helpOptions;
  for (const std::string& line : Lines(help.out))
    if (line.starts_with("  --")) helpOptions.insert(line.substr(2, line.find(' ', 2) - 2));
  std::set<std::string> table;
  for (const OptionSpec& option : CliOptions()) table.insert(std::string(option.name));
  EXPECT_EQ(helpOptions, table);
  // The manual page's OPTIONS section: the tags of its .TP items.
  std::set<std::string> manOptions;
  bool inside = false;
  const std::vector<std::string> lines = Lines(SourceFile("man/corvane-cli.1"));
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i].starts_with(".SH")) inside = lines[i] == ".SH OPTIONS";
    if (inside && lines[i] == ".TP") manOptions.merge(OptionsNamed(Unroff(lines[i + 1])));
  }
  EXPECT_EQ(manOptions, helpOptions) << "the manual page's options differ from --help's";
}

// The manual page's words for an option hold --help's description of it word for word, for
// the options whose behaviour users have been misled about (what --pdf-dir writes instead of
// the JSON lines, which characters a name takes).
TEST_F(HelpText, ManualPageItemsHoldTheHelpTextOfTheirOptions) {
  const std::vector<std::string> lines = Lines(SourceFile("man/corvane-cli.1"));
  for (const OptionSpec& option : CliOptions()) {
    if (option.name != "--pdf-dir" && option.name != "--name") continue;
    // The item's text: the lines after its .TP tag up to the next .TP or section, run together.
    std::string item;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
      if (lines[i] != ".TP" || OptionsNamed(Unroff(lines[i + 1])) != std::set<std::string>{std::string(option.name)})
        continue;
      for (std::size_t k = i + 2; k < lines.size() && lines[k] != ".TP" && !lines[k].starts_with(".SH"); ++k)
        item += Unroff(lines[k]) + " ";
      break;
    }
    ASSERT_FALSE(item.empty()) << option.name << " has no item in the manual page";
    std::string help(option.help);
    if (option.name == "--pdf-dir") help = help.substr(help.find(": ") + 2);  // "with --batch: " is the item's lead
    EXPECT_NE(item.find(help), std::string::npos) << option.name << ": the manual page says \"" << item
                                                  << "\", --help \"" << help << "\"";
  }
}

// The desktop entry opens chart files: %f in Exec, the chart files' MIME type with its glob,
// and one main category.
TEST(DesktopEntry, OpensChartFilesAndHasOneMainCategory) {
  const std::string entry = SourceFile("ui/corvane.desktop");
  EXPECT_NE(entry.find("\nExec=corvane %f\n"), std::string::npos);
  EXPECT_NE(entry.find("\nMimeType=application/x-corvane-chart;\n"), std::string::npos);
  const std::string mime = SourceFile("ui/corvane-mime.xml");
  EXPECT_NE(mime.find("<mime-type type=\"application/x-corvane-chart\">"), std::string::npos);
  EXPECT_NE(mime.find("<glob pattern=\"*.zdh\"/>"), std::string::npos);
  std::smatch m;
  ASSERT_TRUE(std::regex_search(entry, m, std::regex("\nCategories=([^\n]*)\n")));
  const std::set<std::string> mains = {"AudioVideo", "Audio",    "Video",  "Development", "Education",
                                       "Game",       "Graphics", "Network", "Office",     "Science",
                                       "Settings",   "System",   "Utility"};
  int count = 0;
  std::istringstream categories(m[1].str());
  for (std::string category; std::getline(categories, category, ';');) count += mains.count(category);
  EXPECT_EQ(count, 1) << m[1];
}

// A batch reads every column of its table; --help, the manual page and the README name each
// (a column added to the batch and left out of a document fails here).
TEST_F(HelpText, EveryDocumentNamesEveryBatchColumn) {
  const testing::CliRun help = Cli({"--help"});
  ASSERT_EQ(help.status, 0);
  const std::string readme = SourceFile("README.md");
  const std::size_t batch = readme.find("The batch input is CSV");
  ASSERT_NE(batch, std::string::npos);
  const std::string readmeBatch = readme.substr(batch, readme.find("\n## ", batch) - batch);
  const std::string man = Unroff(SourceFile("man/corvane-cli.1"));
  for (std::string_view column : kBatchColumnNames) {
    const std::regex word("(^|[^a-z_])" + std::string(column) + "([^a-z_]|$)");
    EXPECT_TRUE(std::regex_search(help.out, word)) << column << " is not in --help";
    EXPECT_TRUE(std::regex_search(readmeBatch, word)) << column << " is not in the README's batch paragraph";
    EXPECT_TRUE(std::regex_search(man, word)) << column << " is not in the manual page";
  }
}

TEST(Readme, IsOneWellFormedDocument) {
  const std::string readme = SourceFile("README.md");
  const std::vector<std::string> lines = Lines(readme);
  // The two commands come first.
  EXPECT_NE(readme.find("```sh\nbash scripts/run.sh "), std::string::npos);
  EXPECT_LT(readme.find("bash scripts/run.sh"), readme.find("\n## "));
  EXPECT_LT(readme.find("bash scripts/test.sh"), readme.find("\n## "));
  // Code fences open with a language or none and close with a bare fence; none is left open.
  bool open = false;
  std::size_t fences = 0;
  std::set<std::string> headings;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::size_t indent = line.find_first_not_of(' ');
    if (indent != std::string::npos && line.compare(indent, 3, "```") == 0) {
      ++fences;
      if (open) {
        EXPECT_EQ(line.substr(indent), "```") << "line " << i + 1 << ": a fence that closes has no language";
      }
      open = !open;
      continue;
    }
    if (!open && line.starts_with("## ")) {
      EXPECT_TRUE(headings.insert(line).second) << line << " appears twice";
    }
  }
  EXPECT_FALSE(open) << "a code fence is not closed";
  EXPECT_GE(fences, 6u);
  EXPECT_GE(headings.size(), 10u);
}

// The text of the README section whose heading starts with `heading`.
std::string ReadmeSection(const std::string& heading) {
  const std::string readme = SourceFile("README.md");
  const std::size_t start = readme.find("\n" + heading);
  EXPECT_NE(start, std::string::npos) << heading;
  if (start == std::string::npos) return {};
  const std::size_t end = readme.find("\n## ", start + 1);
  return readme.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

TEST(Readme, LayoutNamesEveryTopFolder) {
  const std::string layout = ReadmeSection("## Layout");
  for (const auto& entry : fs::directory_iterator(CORVANE_SOURCE_DIR)) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_directory() || name.starts_with(".") || name.starts_with("build")) continue;
    EXPECT_NE(layout.find("`" + name + "/"), std::string::npos) << name << "/ is not in the README's Layout";
  }
}

TEST(Readme, DependenciesNameEveryPackageTheScriptsInstall) {
  const std::string dependencies = ReadmeSection("## Data and dependencies");
  const std::string deps = SourceFile("scripts/deps.sh");
  const std::size_t open = deps.find("packages=("), close = deps.find(')', open);
  ASSERT_NE(open, std::string::npos);
  std::istringstream words(deps.substr(open + 10, close - open - 10));
  std::size_t count = 0;
  for (std::string package; words >> package; ++count)
    EXPECT_NE(dependencies.find("`" + package + "`"), std::string::npos) << package << " is not in the README's dependencies";
  EXPECT_GT(count, 20u);
}

TEST(Readme, EveryScriptItNamesExists) {
  const std::string readme = SourceFile("README.md");
  const std::regex script(R"(scripts/[a-z_]+\.sh|tools/[a-z_]+\.(py|cmake|cpp))");
  std::size_t count = 0;
  for (auto it = std::sregex_iterator(readme.begin(), readme.end(), script); it != std::sregex_iterator(); ++it, ++count)
    EXPECT_TRUE(fs::exists(fs::path(CORVANE_SOURCE_DIR) / it->str())) << it->str();
  EXPECT_GT(count, 5u);
}

}  // namespace
}  // namespace corvane
