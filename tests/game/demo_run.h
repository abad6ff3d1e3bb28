#pragma once
// A headless run of the demo game for end-to-end tests: a script played with a fixed seed on
// virtual time into a fresh user folder (or one holding a players file written first), its
// output, its pictures and the player file it left.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "data/cipher.h"
#include "read_file.h"
#include "records/record_files.h"

namespace kestrelle::testing {

class DemoRun : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::filesystem::path binary = KESTRELLE_BINARY_DIR;
    game_ = binary / "game";
    runner_ = binary / "bin" / "kestrelle-headless";
    if (!std::filesystem::exists(game_ / "data" / "ini" / "Kestrelle.ini") || !std::filesystem::exists(runner_))
      GTEST_SKIP() << "the demo data or kestrelle-headless is not built";
    work_ = std::filesystem::temp_directory_path() /
            ("kestrelle-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
             std::to_string(::getpid()));
    std::filesystem::remove_all(work_);
    std::filesystem::create_directories(work_ / "shots");
  }
  void TearDown() override {
    if (!work_.empty() && !HasFailure()) std::filesystem::remove_all(work_);
  }

  // Plays tests/game/data/NAME with the seed; the exit status (0: every check of the script held).
  int Play(const std::string& name, int seed) {
    const std::filesystem::path script = std::filesystem::path(KESTRELLE_SOURCE_DIR) / "tests" / "game" / "data" / name;
    const std::string command = "\"" + runner_.string() + "\" --app-dir \"" + game_.string() + "\" --user-dir \"" +
                                (work_ / "user").string() + "\" --shots \"" + (work_ / "shots").string() +
                                "\" --seed " + std::to_string(seed) + " --script \"" + script.string() + "\" > \"" +
                                (work_ / "run.log").string() + "\" 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // A players file (the XML of users.dat) for the run to start from.
  void WritePlayers(const std::string& xml) const {
    std::filesystem::create_directories(work_ / "user");
    std::ofstream(work_ / "user" / "users.dat", std::ios::binary)
        << EncipherToHex(record_files::kUsersKey, xml) << "\n";
  }

  std::string Log() const { return ReadFile(work_ / "run.log"); }

  // A value of the current player's profile in users.dat; "-" when it is not there.
  std::string PlayerValue(const std::string& name) const {
    const std::string users = DecipherFromHex(record_files::kUsersKey, ReadFile(work_ / "user" / "users.dat"));
    std::smatch match;
    const std::regex param("<param name=\"" + name + "\" value=\"([^\"]*)\"");
    return std::regex_search(users, match, param) ? match[1].str() : std::string("-");
  }

  std::filesystem::path game_;
  std::filesystem::path runner_;
  std::filesystem::path work_;
};

}  // namespace kestrelle::testing
