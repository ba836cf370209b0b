#include "app/chart_calculation.h"
#include "app/atomic_file.h"

#include <gtest/gtest.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <stdexcept>

#include "app/chart_file.h"
#include "tests/app/temp_folder.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using Step = AtomicWriteFailure::Step;

class AtomicFileTest : public testing::TempFolderTest {
 protected:
  std::string Slurp(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Put(const std::string& path, const std::string& bytes) const { std::ofstream(path, std::ios::binary) << bytes; }
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.insert(entry.path().filename().string());
    return names;
  }
  static unsigned Mode(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
  }

  // Runs `body` in a child process whose files may grow to `limit` bytes at most; a write
  // beyond fails with EFBIG instead of raising SIGXFSZ. Returns the child's exit status.
  static int WithFileSizeLimit(rlim_t limit, const std::function<bool()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      struct rlimit size {};
      ::getrlimit(RLIMIT_FSIZE, &size);
      size.rlim_cur = limit;
      if (::setrlimit(RLIMIT_FSIZE, &size) != 0) ::_exit(2);
      ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

  // The user the write runs as: nobody when the suite runs as root (whose writes no
  // permission bit would stop), else the user running the suite.
  static uid_t TestUser() { return ::geteuid() == 0 ? 65534 : ::geteuid(); }

  // Runs `body` in a child process as TestUser(); returns what the body reported (empty when
  // every check held).
  static std::string AsTestUser(const std::function<std::string()>& body) {
    int pipe[2];
    if (::pipe(pipe) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(pipe[0]);
      if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
        ::_exit(2);
      const std::string report = body();
      [[maybe_unused]] const ssize_t n = ::write(pipe[1], report.data(), report.size());
      ::_exit(0);
    }
    ::close(pipe[1]);
    std::string report;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) report.append(buffer, static_cast<std::size_t>(n));
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) report += " (the child failed)";
    return report;
  }

  const std::string old_ = "the file that was there\n";
};

TEST_F(AtomicFileTest, ReplacesTheFileKeepingItsPermissionsAndFollowsALink) {
  const std::string path = Path("chart.zdh");
  Put(path, old_);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_EQ(WriteFileAtomically(path, "new bytes"), std::nullopt);
  EXPECT_EQ(Slurp(path), "new bytes");
  EXPECT_EQ(Mode(path), 0640u);

  // A new file gets the permissions any created file gets under the umask.
  const mode_t mask = ::umask(022);
  ASSERT_EQ(WriteFileAtomically(Path("fresh.zdh"), ""), std::nullopt);
  ::umask(mask);
  EXPECT_EQ(Mode(Path("fresh.zdh")), 0644u);
  EXPECT_EQ(Slurp(Path("fresh.zdh")), "");

  // Through a symbolic link the file it names is replaced and the link stays a link.
  fs::create_symlink("chart.zdh", Path("link.zdh"));
  ASSERT_EQ(WriteFileAtomically(Path("link.zdh"), "via the link"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(Path("link.zdh")));
  EXPECT_EQ(Slurp(path), "via the link");
  EXPECT_EQ(Entries(), (std::set<std::string>{"chart.zdh", "fresh.zdh", "link.zdh"}));
}

// A link is followed only where the kernel would follow it and where the user may write
// the target's folder; a file whose bits deny the user writing stays. Each refusal leaves
// every file as it was.
TEST_F(AtomicFileTest, LinksAndReadOnlyFilesAreReplacedOnlyWhereThatIsSafe) {
  const bool root = ::geteuid() == 0;
  const uid_t user = TestUser();
  const gid_t group = root ? 65534 : ::getegid();
  auto own = [&](const std::string& path, bool link = false) {
    if (!root) return;
    ASSERT_EQ((link ? ::lchown : ::chown)(path.c_str(), user, group), 0) << path;
  };
  own(dir_.string());
  // A shared folder like /tmp: sticky, world-writable and owned by someone other than the
  // user (root here when the suite is root).
  fs::create_directory(Path("shared"));
  ASSERT_EQ(::chmod(Path("shared").c_str(), 01777), 0);
  struct Victim { std::string name; mode_t mode; };
  for (const Victim& v : {Victim{"victim.txt", 0644}, Victim{"mine.txt", 0644}, Victim{"readonly.txt", 0400},
                          Victim{"kept.txt", 0640}}) {
    Put(Path(v.name), old_);
    own(Path(v.name));
    ASSERT_EQ(::chmod(Path(v.name).c_str(), v.mode), 0);
  }
  fs::create_directory(Path("locked"));
  Put(Path("locked/target.txt"), old_);
  own(Path("locked/target.txt"));
  own(Path("locked"));
  ASSERT_EQ(::chmod(Path("locked").c_str(), 0555), 0);

  fs::create_symlink("../victim.txt", Path("shared/planted.pdf"));  // planted by another user
  if (root) {
    ASSERT_EQ(::lchown(Path("shared/planted.pdf").c_str(), 1, 1), 0);
  }
  fs::create_symlink("../mine.txt", Path("shared/mine.pdf"));  // the user's own link
  own(Path("shared/mine.pdf"), true);
  fs::create_symlink("readonly.txt", Path("readonly_link.pdf"));
  fs::create_symlink("locked/target.txt", Path("locked_link.pdf"));
  fs::create_symlink("kept.txt", Path("kept_link.pdf"));
  fs::create_symlink("kept_link.pdf", Path("chain.pdf"));
  for (const char* link : {"readonly_link.pdf", "locked_link.pdf", "kept_link.pdf", "chain.pdf"}) own(Path(link), true);

  struct Case { std::string what, path, changed; bool written; };
  std::vector<Case> cases = {
      {"the user's own link in a shared folder", Path("shared/mine.pdf"), Path("mine.txt"), true},
      {"a read-only file, named directly", Path("readonly.txt"), Path("readonly.txt"), false},
      {"a read-only file, through a link", Path("readonly_link.pdf"), Path("readonly.txt"), false},
      {"a link into a folder the user may not write", Path("locked_link.pdf"), Path("locked/target.txt"), false},
      {"a link to a writable file", Path("kept_link.pdf"), Path("kept.txt"), true},
      {"a link to that link", Path("chain.pdf"), Path("kept.txt"), true},
  };
  // Only root can give the planted link a foreign owner.
  if (root) cases.push_back({"a link another user planted in a shared folder", Path("shared/planted.pdf"), Path("victim.txt"), false});

  const std::string report = AsTestUser([&] {
    std::string failures;
    for (const Case& c : cases) {
      const auto failure = WriteFileAtomically(c.path, "new bytes");
      const std::string now = [&] {
        std::ifstream in(c.changed, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
      }();
      if (c.written) {
        if (failure) failures += c.what + ": refused: " + failure->describe() + "\n";
        if (now != "new bytes") failures += c.what + ": target not replaced\n";
        if (!fs::is_symlink(c.path)) failures += c.what + ": the link is gone\n";
      } else {
        if (!failure || failure->step != Step::Refused) failures += c.what + ": not refused\n";
        else if (failure->describe().find("not replaced because") == std::string::npos)
          failures += c.what + ": message " + failure->describe() + "\n";
        if (now != "the file that was there\n") failures += c.what + ": target changed\n";
      }
    }
    return failures;
  });
  EXPECT_EQ(report, "");
  EXPECT_EQ(Mode(Path("kept.txt")), 0640u);  // the replaced file keeps its mode
  EXPECT_EQ(Mode(Path("readonly.txt")), 0400u);
  // No temporary file is left anywhere.
  for (const auto& entry : fs::recursive_directory_iterator(dir_))
    EXPECT_EQ(entry.path().filename().string().find(".corvane-save"), std::string::npos) << entry.path();
  ::chmod(Path("locked").c_str(), 0755);
}

// Every failure leaves the old file byte for byte and no temporary file behind.
TEST_F(AtomicFileTest, FailuresLeaveTheOldFileAndNoTemporaryFile) {
  const std::string path = Path("chart.zdh");
  Put(path, old_);
  Put(Path("plain_file"), "x");
  fs::create_directories(Path("folder.zdh/inside"));  // a folder where the file should go
  const std::set<std::string> before = Entries();

  const AtomicFileFiller halfThenGiveUp = [](AtomicFileSink& sink) {
    sink.write("first half");
    return false;
  };
  const AtomicFileFiller complete = [](AtomicFileSink& sink) { return sink.write("whole new file"); };
  struct Case { std::string what, path; const AtomicFileFiller& fill; Step step; int error; };
  const Case cases[] = {
      {"the filler gives up part-way", path, halfThenGiveUp, Step::Write, 0},
      {"the folder does not exist", Path("missing/chart.zdh"), complete, Step::Create, ENOENT},
      {"a file stands where the folder should be", Path("plain_file/chart.zdh"), complete, Step::Create, ENOTDIR},
      {"the rename meets a folder", Path("folder.zdh"), complete, Step::Replace, EISDIR},
  };
  for (const Case& c : cases) {
    const auto failure = WriteFileAtomically(c.path, c.fill);
    ASSERT_TRUE(failure.has_value()) << c.what;
    EXPECT_EQ(failure->step, c.step) << c.what;
    EXPECT_EQ(failure->error, c.error) << c.what << ": " << failure->describe();
    EXPECT_FALSE(failure->replaced()) << c.what;
    EXPECT_EQ(Slurp(path), old_) << c.what;
    EXPECT_EQ(Entries(), before) << c.what;
  }
  EXPECT_TRUE(fs::is_directory(Path("folder.zdh/inside")));
  EXPECT_NE(WriteFileAtomically(Path("missing/x"), "").value().describe().find("No such file"), std::string::npos);

  // An exception from the filler goes on up, after the temporary file has gone.
  EXPECT_THROW(WriteFileAtomically(path, [](AtomicFileSink& sink) -> bool {
                 sink.write("partial");
                 throw std::runtime_error("renderer failed");
               }),
               std::runtime_error);
  EXPECT_EQ(Slurp(path), old_);
  EXPECT_EQ(Entries(), before);
}

// The limit makes the write itself fail part-way with EFBIG (a full disk fails the same way).
TEST_F(AtomicFileTest, AWriteBeyondTheFileSizeLimitLeavesTheOldFile) {
  const std::string path = Path("chart.zdh");
  Put(path, old_);
  const std::set<std::string> before = Entries();
  const int status = WithFileSizeLimit(8, [&] {
    const auto failure = WriteFileAtomically(path, std::string(4096, 'n'));
    return failure && failure->step == Step::Write && failure->error == EFBIG;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Slurp(path), old_);
  EXPECT_EQ(Entries(), before);
}

// Saving over an existing chart file: a failed save must not cost the chart that was there.
TEST_F(AtomicFileTest, AFailedChartSaveKeepsThePreviousChartFile) {
  const std::string path = Path("ram.zdh");
  Chart earlier;
  earlier.birth.name = "SITA", earlier.birth.monthIndex = 0, earlier.birth.day = 31, earlier.birth.year = 1980;
  earlier.clock.zonePosition = 29, earlier.birth.longitude.minutes = 7, earlier.birth.latitude = {51, 30, true};
  earlier.birth.city = "London";
  ASSERT_EQ(SaveChartFile(path, earlier), std::nullopt);
  const std::string saved = Slurp(path);
  Chart later = earlier;
  later.birth.name = "RAM KUMAR", later.birth.city = "New Delhi";

  const int status = WithFileSizeLimit(32, [&] {
    const auto message = SaveChartFile(path, later);
    return message && message->find("File too large") != std::string::npos &&
           message->find("unchanged") != std::string::npos;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Slurp(path), saved);
  EXPECT_EQ(Entries(), std::set<std::string>{"ram.zdh"});
}

}  // namespace
}  // namespace corvane
