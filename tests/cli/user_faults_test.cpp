// What a user meets at the edges of the command line: files that are not regular files,
// two runs into one folder, signals while a batch waits, conflicting options, the wording of
// refusals, record and line limits, progress on a terminal, and the retrograde years.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <csignal>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/app/cli_runner.h"

namespace corvane::testing {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string kHeader = "name,date,time,zone,dst,lon,lat\n";
const std::string kDelhiRow = "ram kumar,1975-06-05,07:05,34,0,77:13E,28:36N\n";

// A corvane-cli started with a pipe for its standard input; standard output and error go to
// files. The write end stays open until Close(), so the program waits for more input.
class RunningCli {
 public:
  RunningCli(const std::vector<std::string>& args, const fs::path& out, const fs::path& err) {
    int pipeFds[2];
    EXPECT_EQ(::pipe(pipeFds), 0);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(pipeFds[0], 0);
      ::close(pipeFds[0]);
      ::close(pipeFds[1]);
      if (std::freopen(out.c_str(), "wb", stdout) == nullptr || std::freopen(err.c_str(), "wb", stderr) == nullptr)
        ::_exit(126);
      std::vector<const char*> argv{"corvane-cli"};
      for (const std::string& a : args) argv.push_back(a.c_str());
      argv.push_back(nullptr);
      ::execv(CliPath().c_str(), const_cast<char* const*>(argv.data()));
      ::_exit(127);
    }
    ::close(pipeFds[0]);
    input_ = pipeFds[1];
  }
  ~RunningCli() {
    Close();
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  void Write(const std::string& text) { EXPECT_EQ(::write(input_, text.data(), text.size()), static_cast<ssize_t>(text.size())); }
  void Close() {
    if (input_ >= 0) ::close(input_);
    input_ = -1;
  }
  void Signal(int signal) { EXPECT_EQ(::kill(pid_, signal), 0); }
  // The exit status, or -1 when the program has not ended within `limit` (it hangs).
  int Wait(std::chrono::milliseconds limit) {
    const auto until = Clock::now() + limit;
    for (;;) {
      int raw = 0;
      if (::waitpid(pid_, &raw, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
      }
      if (Clock::now() > until) return -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }

 private:
  pid_t pid_ = -1;
  int input_ = -1;
};

// Waits (up to 20 s) until the file holds at least `lines` lines.
bool WaitForLines(const fs::path& file, std::size_t lines) {
  for (int i = 0; i < 2000; ++i) {
    const std::string text = Slurp(file);
    if (static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) >= lines) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

class UserFaults : public CliTest {};

// A save or an export never replaces a FIFO or a socket: exit 73, and the node stays.
TEST_F(UserFaults, ASaveOrExportOverAFifoOrSocketIsRefused) {
  ASSERT_EQ(::mkfifo(Path("pipe.zdh").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(Path("pipe.pdf").c_str(), 0600), 0);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = Path("sock.zdh");
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, socketPath.c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  struct Case {
    std::string option, path, kind;
  };
  for (const Case& c : {Case{"--save", Path("pipe.zdh"), "a FIFO"}, Case{"--save", socketPath, "a socket"},
                        Case{"--pdf", Path("pipe.pdf"), "a FIFO"}}) {
    const CliRun run = Cli(With(kDelhi, {c.option, c.path}), "", "timeout 60");
    EXPECT_EQ(run.status, 73) << c.path << ": " << run.err;
    EXPECT_NE(run.err.find("it is " + c.kind + ", and only a regular file is replaced"), std::string::npos) << run.err;
    struct stat st {};
    ASSERT_EQ(::lstat(c.path.c_str(), &st), 0);
    EXPECT_FALSE(S_ISREG(st.st_mode)) << c.path << " was replaced";
  }
  ::close(sock);
}

// A Unix socket bound at a path of the test's folder; closed (the path stays) at the end.
class BoundSocket {
 public:
  explicit BoundSocket(const std::string& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (fd_ < 0 || path.size() >= sizeof address.sun_path) return;
    std::strcpy(address.sun_path, path.c_str());
    bound_ = ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  }
  ~BoundSocket() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool bound() const { return bound_; }

 private:
  int fd_;
  bool bound_ = false;
};

// What stands at a path: its kind and, for a device, its number; lstat, so a link is a link.
std::pair<mode_t, dev_t> NodeAt(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return {0, 0};
  return {st.st_mode & S_IFMT, st.st_rdev};
}

// Every way of writing a file the command line has, each aimed at a node of the kind made by
// `make` under a name that suits it: the chart file, the three exports and the collection's
// batch export. Each is refused with 73 and its message, and the node stays as it was.
void ExpectEveryWriteRefused(const std::function<CliRun(const std::vector<std::string>&)>& cli,
                             const std::function<void(const std::string&)>& make, const std::string& folder,
                             const std::string& kind) {
  const std::string collection = folder + "/charts.sqlite";
  ASSERT_EQ(cli(With(kDelhi, {"--collection", collection, "--collection-add"})).status, 0);
  struct Write {
    std::string option, name;
  };
  for (const Write& w : {Write{"--save", "node.zdh"}, Write{"--pdf", "node.pdf"}, Write{"--svg", "node.svg"},
                         Write{"--png", "node.png"}, Write{"--collection-export", "node.csv"}}) {
    const std::string node = folder + "/" + w.name;
    make(node);
    const std::pair<mode_t, dev_t> before = NodeAt(node);
    ASSERT_NE(before.first, 0u) << node;
    const CliRun run = w.option == "--collection-export"
                           ? cli({"--collection", collection, "--collection-export", node})
                           : cli(With(kDelhi, {w.option, node}));
    EXPECT_EQ(run.status, 73) << w.option << " over " << kind << ": " << run.err;
    EXPECT_NE(run.err.find("it is " + kind + ", and only a regular file is replaced"), std::string::npos)
        << w.option << ": " << run.err;
    EXPECT_EQ(NodeAt(node), before) << w.option << " replaced " << kind;
  }
}

// A save or an export over a socket bound in the test's folder: exit 73, and the socket stays.
TEST_F(UserFaults, EverySaveAndExportOverASocketIsRefused) {
  std::vector<std::unique_ptr<BoundSocket>> sockets;
  ExpectEveryWriteRefused([this](const std::vector<std::string>& a) { return Cli(a, "", "timeout 60"); },
                          [&sockets](const std::string& path) {
                            sockets.push_back(std::make_unique<BoundSocket>(path));
                            EXPECT_TRUE(sockets.back()->bound()) << path;
                          },
                          dir_.string(), "a socket");
}

// The same over a device node. Only root may make one, and it is made in the test's folder
// (the null device's number, so that a write that got through would harm nothing).
TEST_F(UserFaults, EverySaveAndExportOverADeviceNodeIsRefused) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can make a device node (mknod) in the test's folder";
  ExpectEveryWriteRefused([this](const std::vector<std::string>& a) { return Cli(a, "", "timeout 60"); },
                          [](const std::string& path) {
                            EXPECT_EQ(::mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 3)), 0) << std::strerror(errno);
                          },
                          dir_.string(), "a character device");
}

// --open and --batch of a socket, a device node (as root) or a missing file: 66 whatever the
// name ends in, with what the path is; the node stays as it was.
TEST_F(UserFaults, OpeningASocketADeviceOrAMissingFileIs66) {
  struct Case {
    std::string path, why;
  };
  std::vector<Case> cases = {{Path("sock.zdh"), "it is a socket, not a regular file"},
                             {Path("sock.txt"), "it is a socket, not a regular file"},
                             {Path("absent.zdh"), "No such file or directory"},
                             {Path("absent.csv"), "No such file or directory"}};
  BoundSocket zdh(cases[0].path), txt(cases[1].path);
  ASSERT_TRUE(zdh.bound() && txt.bound());
  if (::geteuid() == 0) {
    for (const char* name : {"device.zdh", "device.txt"}) {
      ASSERT_EQ(::mknod(Path(name).c_str(), S_IFCHR | 0600, makedev(1, 3)), 0) << std::strerror(errno);
      cases.push_back({Path(name), "it is a character device, not a regular file"});
    }
  }
  for (const Case& c : cases) {
    const std::pair<mode_t, dev_t> before = NodeAt(c.path);
    for (const char* option : {"--open", "--batch"}) {
      const CliRun run = Cli({option, c.path}, "", "timeout 60");
      EXPECT_EQ(run.status, 66) << option << " " << c.path << ": " << run.err;
      EXPECT_NE(run.err.find(c.why), std::string::npos) << option << " " << c.path << ": " << run.err;
    }
    EXPECT_EQ(NodeAt(c.path), before) << c.path;
  }
  if (::geteuid() != 0) GTEST_SKIP() << "sockets and missing files checked; device nodes need root (mknod)";
}

// --open of what cannot be read is 66 whatever the name ends in; a readable file without
// .zdh gets the naming rule, not the form's "Please Check The File.".
TEST_F(UserFaults, OpenAndSaveNamesTheChartFileRule) {
  ASSERT_EQ(::mkfifo(Path("pipe.txt").c_str(), 0600), 0);
  for (const std::string name : {"pipe.txt", "absent.txt", "absent.zdh"}) {
    const CliRun run = Cli({"--open", Path(name)}, "", "timeout 60");
    EXPECT_EQ(run.status, 66) << name << ": " << run.err;
  }
  ASSERT_EQ(Cli(With(kDelhi, {"--save", Path("ram.zdh")})).status, 0);
  fs::copy_file(Path("ram.zdh"), Path("ram.txt"));
  const CliRun opened = Cli({"--open", Path("ram.txt")});
  EXPECT_EQ(opened.status, 65);
  EXPECT_NE(opened.err.find("must end in .zdh"), std::string::npos) << opened.err;
  const CliRun saved = Cli(With(kDelhi, {"--save", Path("out.txt")}));
  EXPECT_EQ(saved.status, 2);
  EXPECT_NE(saved.err.find("corvane-cli: --save: the name of a chart file must end in .zdh"), std::string::npos)
      << saved.err;
  EXPECT_FALSE(fs::exists(Path("out.txt")));
}

// Blanks around a name: the chart printed when saving is the chart the file opens to.
TEST_F(UserFaults, ANameWithOuterBlanksReopensToTheSameJson) {
  const CliRun saved = Cli(With(Replaced(kDelhi, "--name", "  ram  "), {"--save", Path("ram.zdh"), "--json"}));
  ASSERT_EQ(saved.status, 0) << saved.err;
  const CliRun opened = Cli({"--open", Path("ram.zdh"), "--json"});
  ASSERT_EQ(opened.status, 0) << opened.err;
  auto a = nlohmann::json::parse(saved.out), b = nlohmann::json::parse(opened.out);
  EXPECT_EQ(a["birth"]["name"], "RAM");
  EXPECT_EQ(a, b);
}

// Two batches writing PDFs into one folder at once: every record gets a file of its own.
TEST_F(UserFaults, TwoPdfBatchesIntoOneFolderKeepEveryFile) {
  std::string csv = kHeader;
  for (int i = 0; i < 20; ++i) csv += kDelhiRow;  // one name and date: every file wants one name
  std::ofstream(Path("births.csv")) << csv;
  fs::create_directory(Path("pdfs"));
  std::vector<std::thread> runs;
  CliRun results[2];
  for (int k = 0; k < 2; ++k) {
    runs.emplace_back([&, k] {
      const std::string command = "cd " + Quote(dir_.string()) + " && " + Quote(CliPath().string()) +
                                  " --batch births.csv --pdf-dir pdfs > out" + std::to_string(k) + " 2> err" +
                                  std::to_string(k);
      const int raw = std::system(command.c_str());
      results[k].status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    });
  }
  for (std::thread& run : runs) run.join();
  std::set<std::string> printed;
  for (int k = 0; k < 2; ++k) {
    EXPECT_EQ(results[k].status, 0) << Slurp(dir_ / ("err" + std::to_string(k)));
    std::istringstream lines(Slurp(dir_ / ("out" + std::to_string(k))));
    for (std::string line; std::getline(lines, line);) printed.insert(fs::path(line).filename().string());
  }
  std::set<std::string> files;
  for (const auto& entry : fs::directory_iterator(Path("pdfs"))) {
    files.insert(entry.path().filename().string());
    EXPECT_EQ(Slurp(entry.path()).substr(0, 5), "%PDF-") << entry.path();
  }
  EXPECT_EQ(files.size(), 40u);
  EXPECT_EQ(printed, files);
}

// --pdf-dir makes a missing last folder; a PDF that cannot be written gets its record's error line.
TEST_F(UserFaults, PdfDirMakesItsFolderAndReportsAFailedPdfOnItsLine) {
  std::ofstream(Path("births.csv")) << kHeader << kDelhiRow << kDelhiRow;
  const CliRun made = Cli({"--batch", Path("births.csv"), "--pdf-dir", Path("readings")});
  EXPECT_EQ(made.status, 0) << made.err;
  EXPECT_TRUE(fs::is_directory(Path("readings")));
  EXPECT_EQ(Cli({"--batch", Path("births.csv"), "--pdf-dir", Path("no/such")}).status, 73);
  // Files of at most 1 KiB: no PDF fits, the error lines do.
  const CliRun failed =
      Cli({"--batch", Path("births.csv"), "--pdf-dir", Path("small")}, "", "trap '' XFSZ; ulimit -f 1;");
  EXPECT_EQ(failed.status, 73) << failed.err;
  std::istringstream lines(failed.out);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    const auto row = nlohmann::json::parse(line, nullptr, false);
    ASSERT_FALSE(row.is_discarded()) << line;
    EXPECT_EQ(row["line"], count + 2);
    EXPECT_NE(row["error"].get<std::string>().find("File too large"), std::string::npos) << line;
  }
  EXPECT_EQ(count, 2);
}

// A batch waiting for input on a pipe ends on SIGINT or SIGTERM at once, having written
// the lines of the records it had; the lines reach the output while the input is open.
TEST_F(UserFaults, ABatchWaitingOnAPipeStopsOnASignal) {
  for (const int signal : {SIGINT, SIGTERM}) {
    for (const char* jobs : {"1", "2"}) {
      // Files of their own per run: a line left by the run before must not pass for this
      // run's before the program has even opened its output.
      const std::string run = std::to_string(signal) + "_" + jobs;
      const fs::path out = dir_ / ("out_" + run), err = dir_ / ("err_" + run);
      RunningCli cli({"--batch", "-", "--jobs", jobs}, out, err);
      cli.Write(kHeader + kDelhiRow);
      // Before the fix the line waited in the output buffer until the end of the input.
      ASSERT_TRUE(WaitForLines(out, 1)) << "the finished line did not reach the output";
      cli.Signal(signal);
      // A hang guard, not a timing test: without a stop the program waits for ever.
      const int status = cli.Wait(std::chrono::seconds(10));
      EXPECT_EQ(status, 128 + signal) << jobs << " " << Slurp(err);
      const std::string written = Slurp(out);
      ASSERT_FALSE(written.empty()) << jobs;
      EXPECT_EQ(written.back(), '\n');
    }
  }
}

// With --pdf-dir a signal ends the run after the PDF in hand, not after a chunk of them.
TEST_F(UserFaults, APdfBatchStopsWithinOnePdf) {
  std::string csv = kHeader;
  for (int i = 0; i < 60; ++i) csv += kDelhiRow;
  std::ofstream(Path("births.csv")) << csv;
  fs::create_directory(Path("pdfs"));
  RunningCli cli({"--batch", Path("births.csv"), "--pdf-dir", Path("pdfs")}, dir_ / "out", dir_ / "err");
  cli.Close();
  auto count = [&] { return static_cast<std::size_t>(std::distance(fs::directory_iterator(Path("pdfs")), {})); };
  for (int i = 0; i < 3000 && count() < 2; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  const std::size_t before = count();
  ASSERT_GE(before, 2u);
  cli.Signal(SIGTERM);
  EXPECT_EQ(cli.Wait(std::chrono::seconds(30)), 143);
  // The PDF being drawn when the signal came may be finished, and one more may have been
  // done between the count and the signal; no more.
  EXPECT_LE(count(), before + 2);
  EXPECT_LT(count(), 60u);
}

// A record may hold 1 MiB, its line end not counted; one byte more is refused.
TEST_F(UserFaults, TheRecordLimitHoldsToTheByte) {
  constexpr std::size_t kLimit = 1 << 20;
  for (const std::size_t size : {kLimit, kLimit + 1}) {
    // The record: "x,...," then a city of the length that makes the record `size` bytes.
    const std::string head = "ram kumar,1975-06-05,07:05,34,0,77:13E,28:36N,";
    const std::string record = head + std::string(size - head.size(), 'c');
    ASSERT_EQ(record.size(), size);
    const CliRun run = Cli({"--batch", "-"}, "name,date,time,zone,dst,lon,lat,city\n" + record + "\n" + kDelhiRow);
    const bool refused = run.err.find("longer than 1 MiB") != std::string::npos;
    EXPECT_EQ(refused, size > kLimit) << size << ": " << run.err.substr(0, 300);
  }
}

// CORVANE_PLACES naming a FIFO or a folder says so; an overlong line is refused by its number.
TEST_F(UserFaults, ThePlaceFileSaysWhatStandsAtItsName) {
  ASSERT_EQ(::mkfifo(Path("places.fifo").c_str(), 0600), 0);
  fs::create_directory(Path("folder"));
  std::ofstream(Path("long.tsv")) << std::string(300000, 'a') << "\n";
  const std::map<std::string, std::string> cases = {{"places.fifo", "is a FIFO, not a regular file"},
                                                   {"folder", "is a folder, not a regular file"},
                                                   {"long.tsv", "line 1: longer than"}};
  for (const auto& [name, message] : cases) {
    const CliRun run = Cli({"--places", "delhi"}, "", "timeout 60 env CORVANE_PLACES=" + Quote(Path(name)));
    EXPECT_EQ(run.status, 66) << name;
    EXPECT_NE(run.err.find(message), std::string::npos) << name << ": " << run.err;
  }
}

// Options that do not go together are refused, naming both; nothing is printed.
TEST_F(UserFaults, ConflictingClockOptionsAreRefusedNamingBoth) {
  const std::vector<std::string> birth = {"--name", "ram", "--date", "1975-06-05", "--time", "07:05",
                                          "--lon",  "77:13E", "--lat", "28:36N"};
  const std::vector<std::pair<std::vector<std::string>, std::pair<std::string, std::string>>> cases = {
      {{"--zone", "3", "--tz", "Asia/Kolkata"}, {"--zone", "--tz"}},
      {{"--zone", "34", "--fold", "later"}, {"--fold", "--zone"}},
      {{"--tz", "Asia/Kolkata", "--dst"}, {"--dst", "--tz"}},
      {{"--place", "New Delhi", "--dst"}, {"--dst", "--place"}},
  };
  for (const auto& [options, names] : cases) {
    std::vector<std::string> args = birth;
    args.insert(args.end(), options.begin(), options.end());
    const CliRun run = Cli(args);
    EXPECT_EQ(run.status, 64) << options[0];
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("corvane-cli: " + names.first + " cannot be combined with " + names.second),
              std::string::npos)
        << run.err;
  }
  // --dst with --place and a zone row of one's own is a clock like any zone row's.
  EXPECT_EQ(Cli(With(birth, {"--place", "New Delhi", "--zone", "34", "--dst"})).status, 0);
}

// Refusals start with corvane-cli: and name the option at fault, and say what to do.
TEST_F(UserFaults, RefusalsNameTheirOptionAndTheWayOut) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
    int status;
  };
  const std::vector<std::string> ann = {"--name", "ann", "--time", "01:30", "--lon", "74:00W", "--lat", "40:43N"};
  const Case cases[] = {
      {Replaced(kDelhi, "--date", "1975-13-05"), "corvane-cli: --date: The month must be one of 1 to 12", 2},
      {Replaced(kDelhi, "--lon", "180:00E"), "corvane-cli: --lon: Please Enter Value Between 0 And 179", 2},
      {Replaced(kDelhi, "--date", "1850-01-01"),
       "corvane-cli: --date: The year must be one of 1901 to 2050 with the element method; --engine swiss takes 1800 "
       "to 2399",
       2},
      {With(ann, {"--date", "2021-11-07", "--tz", "America/New_York"}), "; choose one with --fold earlier|later", 2},
      // Through a zone id, a date its month lacks is refused as through a zone row.
      {With(ann, {"--date", "2021-02-30", "--tz", "America/New_York"}),
       "corvane-cli: --date: Please Enter Correct Date Or Month!", 2},
      {With(ann, {"--date", "2021-02-30", "--zone", "29"}), "corvane-cli: --date: Please Enter Correct Date Or Month!",
       2},
      {{"--name", "ram", "--date", "1975-06-05", "--time", "07:05", "--lon", "77:13E", "--lat", "28:36N"},
       "one of --zone N, --tz ID or --place TEXT is required", 64},
  };
  for (const Case& c : cases) {
    const CliRun run = Cli(c.args);
    EXPECT_EQ(run.status, c.status) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  // In a batch, the column at fault comes first.
  const CliRun batch = Cli({"--batch", "-"}, kHeader + "ram,1975-13-05,07:05,34,0,77:13E,28:36N\n");
  EXPECT_NE(batch.out.find("\"error\":\"date: The month must be one of 1 to 12\""), std::string::npos) << batch.out;
  EXPECT_NE(batch.err.find("corvane-cli: line 2: date: The month"), std::string::npos) << batch.err;
  // An unknown column is named with the known ones.
  const CliRun unknown = Cli({"--batch", "-"}, "name,date,time,zone,dst,lon,lat,timezone\n");
  EXPECT_EQ(unknown.status, 64);
  EXPECT_NE(unknown.err.find("\"timezone\" is not a column"), std::string::npos) << unknown.err;
  EXPECT_NE(unknown.err.find("city,state,country,tz,place"), std::string::npos) << unknown.err;
}

// The clock's zone name comes without the blanks some zone rows carry after their commas.
TEST_F(UserFaults, TheClockTextHasNoDoubleBlanks) {
  const CliRun run = Cli(kDelhi);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Clock used       Indian Time, IST, UTC+5:30\n"), std::string::npos) << run.out;
}

// The retrograde tables list 1897 to 2053 whole: Mercury turns retrograde three or four times
// a year and the outer planets once, so each of those years shows all of them.
TEST_F(UserFaults, TheEdgeYearsOfTheRetrogradeTablesAreWhole) {
  for (const int year : {1897, 1899, 2051, 2053}) {
    const CliRun run = Cli({"--retrogrades", std::to_string(year), "--json"});
    ASSERT_EQ(run.status, 0) << year << ": " << run.err;
    std::map<std::string, int> periods;
    const nlohmann::json listing = nlohmann::json::parse(run.out);
    for (const auto& p : listing["periods"]) ++periods[p["planet"].get<std::string>()];
    EXPECT_GE(periods["Mercury"], 3) << year;
    EXPECT_LE(periods["Mercury"], 4) << year;
    for (const char* planet : {"Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"})
      EXPECT_GE(periods[planet], 1) << year << " " << planet;
  }
  for (const int year : {1896, 2054}) {
    const CliRun run = Cli({"--retrogrades", std::to_string(year)});
    EXPECT_EQ(run.status, 2) << year;
    EXPECT_NE(run.err.find("the station tables cover 1897 to 2053"), std::string::npos) << run.err;
  }
}

// Rows enough for a batch that lasts long enough to draw its progress line; the program under
// the address sanitizer runs some five times slower, so a fifth of them last as long.
#ifdef __SANITIZE_ADDRESS__
constexpr int kProgressRows = 20000;
#else
constexpr int kProgressRows = 100000;
#endif

// On a terminal a batch draws a progress line on standard error; into a file it does not.
TEST_F(UserFaults, ABatchShowsProgressOnlyOnATerminal) {
  std::string csv = kHeader;
  for (int i = 0; i < kProgressRows; ++i) csv += kDelhiRow;
  std::ofstream(Path("births.csv")) << csv;
  int master = -1;
  const pid_t child = ::forkpty(&master, nullptr, nullptr, nullptr);
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (std::freopen(Path("out").c_str(), "wb", stdout) == nullptr) ::_exit(126);
    ::execl(CliPath().c_str(), "corvane-cli", "--batch", Path("births.csv").c_str(), "--jobs", "1", nullptr);
    ::_exit(127);
  }
  std::string terminal;
  char buffer[4096];
  for (;;) {
    pollfd wait{master, POLLIN, 0};
    if (::poll(&wait, 1, 60000) <= 0) break;
    const ssize_t got = ::read(master, buffer, sizeof buffer);
    if (got <= 0) break;
    terminal.append(buffer, static_cast<std::size_t>(got));
  }
  int raw = 0;
  ASSERT_EQ(::waitpid(child, &raw, 0), child);
  ::close(master);
  EXPECT_EQ(WEXITSTATUS(raw), 0);
  EXPECT_NE(terminal.find("\rcorvane-cli: "), std::string::npos) << terminal.substr(0, 200);
  EXPECT_NE(terminal.find(" records, 0 refused, "), std::string::npos) << terminal.substr(0, 200);
  EXPECT_NE(terminal.find(" left"), std::string::npos) << terminal.substr(0, 200);
  const CliRun file = Cli({"--batch", Path("births.csv")});
  EXPECT_EQ(file.status, 0);
  EXPECT_EQ(file.err, "");
}

// The desktop program without a display: one line saying how to run it, exit status 1.
TEST_F(UserFaults, TheDesktopProgramWithoutADisplaySaysHowToRunIt) {
  const fs::path program = CliPath().parent_path() / "ui" / "corvane";
  if (!fs::exists(program)) GTEST_SKIP() << "the desktop program is not built";
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb HOME=" + Quote(dir_.string()) +
                              " timeout 60 " + Quote(program.string()) + " > " + Quote(Path("out")) + " 2> " +
                              Quote(Path("err"));
  const int raw = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(raw));
  EXPECT_EQ(WEXITSTATUS(raw), 1);
  const std::string err = Slurp(dir_ / "err");
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("xvfb-run -a corvane"), std::string::npos) << err;
}

}  // namespace
}  // namespace corvane::testing
