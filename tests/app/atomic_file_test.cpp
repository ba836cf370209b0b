#include "app/atomic_file.h"

#include <gtest/gtest.h>
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
  earlier.clock.zonePosition = 29, earlier.birth.lonMinutes = "7", earlier.birth.latDegrees = "51", earlier.birth.latMinutes = "30";
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
