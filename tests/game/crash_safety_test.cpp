// Crash safety of the player file: the two-level play-through is killed (SIGKILL) at twenty
// moments; after every kill the next start must load users.dat without a word about a damaged
// file, and the file must hold every level whose results were booked before the kill.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "data/cipher.h"
#include "read_file.h"
#include "records/record_files.h"

namespace kestrelle {
namespace {

namespace fs = std::filesystem;

const fs::path kBinary = KESTRELLE_BINARY_DIR;
const fs::path kSource = KESTRELLE_SOURCE_DIR;

using testing::ReadFile;

// The moment of a script line ("at MS ..."); -1 for comments.
long MomentOf(const std::string& line) { return line.rfind("at ", 0) == 0 ? std::atol(line.c_str() + 3) : -1; }

class CrashSafety : public ::testing::Test {
 protected:
  void SetUp() override {
    game_ = kBinary / "game";
    if (!fs::exists(game_ / "data" / "ini" / "Kestrelle.ini") || !fs::exists(kBinary / "bin" / "kestrelle-headless"))
      GTEST_SKIP() << "the demo data or kestrelle-headless is not built";
    work_ = fs::temp_directory_path() / ("kestrelle-crash-safety-" + std::to_string(::getpid()));
    fs::remove_all(work_);
    fs::create_directories(work_);
  }
  void TearDown() override {
    if (!work_.empty() && !HasFailure()) fs::remove_all(work_);
  }

  pid_t Start(const fs::path& user, const fs::path& script, const fs::path& shots, const fs::path& log) {
    const std::string binary = (kBinary / "bin" / "kestrelle-headless").string();
    std::vector<std::string> args = {binary,          "--seed",     "7",           "--app-dir",
                                     game_.string(),  "--user-dir", user.string(), "--script",
                                     script.string(), "--shots",    shots.string()};
    const pid_t pid = ::fork();
    if (pid == 0) {
      std::FILE* out = std::freopen(log.c_str(), "w", stdout);
      if (out) ::dup2(::fileno(stdout), 2);
      std::vector<char*> argv;
      for (std::string& arg : args) argv.push_back(arg.data());
      argv.push_back(nullptr);
      ::execv(binary.c_str(), argv.data());
      ::_exit(127);
    }
    return pid;
  }

  // The play-through with a picture taken at `moment`; killed once that picture exists.
  bool RunAndKill(long moment, const fs::path& user, const fs::path& shots) {
    std::ofstream script(work_ / "killed.script");
    bool marked = false;
    for (const std::string& line : playThrough_) {
      if (!marked && MomentOf(line) > moment) {
        script << "at " << moment << " shot kill_marker\n";
        marked = true;
      }
      if (line.find(" quit") == std::string::npos) script << line << "\n";
    }
    if (!marked) script << "at " << moment << " shot kill_marker\n";
    script.close();
    const pid_t pid = Start(user, work_ / "killed.script", shots, work_ / "killed.log");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!fs::exists(shots / "kill_marker.png") && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    const bool reached = fs::exists(shots / "kill_marker.png");
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return reached && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  }

  fs::path game_;
  fs::path work_;
  std::vector<std::string> playThrough_;
};

TEST_F(CrashSafety, EveryKillLeavesALoadablePlayerFileWithTheBookedLevels) {
  std::ifstream in(kSource / "tests" / "game" / "data" / "two_levels.script");
  // The script marks the lines that leave a level's results with a comment before them.
  std::vector<long> resultsLeft;
  bool leavesResults = false;
  for (std::string line; std::getline(in, line);) {
    if (MomentOf(line) >= 0) {
      playThrough_.push_back(line);
      if (leavesResults) resultsLeft.push_back(MomentOf(line));
      leavesResults = false;
    } else if (line.find("results are left") != std::string::npos) {
      leavesResults = true;
    }
  }
  ASSERT_FALSE(playThrough_.empty());
  ASSERT_EQ(resultsLeft.size(), 2u) << "two_levels.script marks where each level's results are left";
  // A level is booked (and the file saved) a moment after its results are left, when the level
  // screen has closed. Kills fall all over the play-through, and close around each booking.
  const long kBooked[] = {resultsLeft[0] + 1500, resultsLeft[1] + 1500};
  const long first = resultsLeft[0], second = resultsLeft[1];
  const long kMoments[] = {1000,  2500,         4000,          6000,         9000,          14000,        20000,
                           27000, first - 1200, first + 100,   first + 500,  first + 1600,  first + 4000, 45000,
                           52000, 60000,        second - 1700, second + 200, second + 1600, second + 1900};
  int survived = 0;
  for (long moment : kMoments) {
    SCOPED_TRACE("killed after " + std::to_string(moment) + " ms");
    const fs::path run = work_ / std::to_string(moment);
    fs::create_directories(run / "user");
    fs::create_directories(run / "shots");
    ASSERT_TRUE(RunAndKill(moment, run / "user", run / "shots")) << ReadFile(work_ / "killed.log");

    const pid_t pid = Start(run / "user", kSource / "tests" / "game" / "data" / "restart_to_menu.script", run / "shots",
                            run / "restart.log");
    int status = 0;
    ::waitpid(pid, &status, 0);
    const std::string log = ReadFile(run / "restart.log");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << log;
    EXPECT_EQ(log.find("users.dat"), std::string::npos) << "the player file loads without a word\n" << log;

    const std::string users = DecipherFromHex(record_files::kUsersKey, ReadFile(run / "user" / "users.dat"));
    EXPECT_NE(users.find("<userprofile name=\"Ann\""), std::string::npos) << users;
    const std::string mark = "name=\"current_level\" value=\"";
    const auto at = users.find(mark);
    const long level = at == std::string::npos ? 1 : std::atol(users.c_str() + at + mark.size());
    long booked = 1;
    for (long moment_booked : kBooked)
      if (moment >= moment_booked) ++booked;
    EXPECT_GE(level, booked) << users;
    if (!HasFailure()) ++survived;
  }
  std::printf("kills survived: %d of %zu\n", survived, std::size(kMoments));
  EXPECT_EQ(survived, static_cast<int>(std::size(kMoments)));
}

}  // namespace
}  // namespace kestrelle
