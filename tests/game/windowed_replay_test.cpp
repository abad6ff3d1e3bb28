// A windowed run recorded under a virtual X server and replayed headless: the real `kestrelle`
// plays a scripted input run into its window through SDL's event queue (--record FILE --input
// SCRIPT), and `kestrelle-headless --replay` must show the same pictures, the last frame
// included. Skipped, with the reason, where xvfb-run is missing or no X server starts.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "read_file.h"

namespace kestrelle {
namespace {

namespace fs = std::filesystem;

const fs::path kBinary = KESTRELLE_BINARY_DIR;

using testing::ReadFile;

std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

// The shell's exit status of a command, -1 when it did not exit.
int Shell(const std::string& command) {
  int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The `shot NAME crc32=…` lines of a run's output, by name.
std::map<std::string, std::string> Shots(const std::string& output) {
  std::map<std::string, std::string> shots;
  static const std::regex kLine(R"(^shot (\S+) (crc32=[0-9A-F]{8})$)");
  std::istringstream lines(output);
  std::string line;
  std::smatch match;
  while (std::getline(lines, line))
    if (std::regex_match(line, match, kLine)) shots[match[1]] = match[2];
  return shots;
}

// The windowed run: the logos, the loading screen, then (700 frames later, well after loading)
// a new player typed in and the menu. Frame counts, not wall-clock times: whatever the machine's
// speed, the recording holds what happened and the replay must match it.
constexpr const char* kInput = R"(# A scripted windowed run.
wait 20
shot 01-logos
move 400 300
wait 700
shot 02-loaded
click 400 463
wait 80
key Escape
char Ann
wait 30
shot 03-name-typed
key Return
wait 150
move 307 553
wait 20
quit
)";

TEST(WindowedReplay, AWindowedRunRecordedUnderXvfbReplaysHeadlessToTheSameLastFrame) {
  const fs::path game = kBinary / "game";
  if (!fs::exists(game / "data" / "ini" / "Kestrelle.ini") || !fs::exists(game / "kestrelle") ||
      !fs::exists(game / "kestrelle-headless"))
    GTEST_SKIP() << "the demo data, kestrelle or kestrelle-headless is not built";
  if (Shell("command -v xvfb-run >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "xvfb-run is not installed: the windowed record and headless replay comparison needs it";
  if (Shell("command -v timeout >/dev/null 2>&1") != 0) GTEST_SKIP() << "timeout (coreutils) is not installed";
  // Whether an X server starts and takes connections at all (xvfb-run -a tries display after
  // display while the server dies at once, hence the limit).
  const std::string xvfbRun =
      "xvfb-run -a -s \"-screen 0 1024x768x24\" sh -c 'test -S /tmp/.X11-unix/X${DISPLAY#:} || "
      "{ echo \"no X server at $DISPLAY\" >&2; exit 77; }; exec \"$0\" \"$@\"' ";
  if (Shell("timeout -k 10 180 " + xvfbRun + "true >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "no X server starts under xvfb-run (Xvfb fails or gives no display socket)";

  const fs::path work = fs::temp_directory_path() / ("kestrelle-windowed-replay-" + std::to_string(::getpid()));
  fs::remove_all(work);
  fs::create_directories(work / "windowed-user");
  fs::create_directories(work / "replayed-user");
  std::ofstream(work / "input.txt") << kInput;
  const fs::path recording = work / "windowed.rec";

  // A generous limit instead of any assumption about speed; no sound card is needed. The game
  // starts only once the X server's socket is there.
  const int windowed =
      Shell("KESTRELLE_USER_DIR=" + Quoted(work / "windowed-user") +
            " SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 timeout -k 10 600 " + xvfbRun +
            Quoted(game / "kestrelle") + " --record " + Quoted(recording) + " --input " + Quoted(work / "input.txt") +
            " > " + Quoted(work / "windowed.out") + " 2> " + Quoted(work / "windowed.err"));
  const std::string windowedErr = ReadFile(work / "windowed.err");
  if (windowed != 0 && (windowedErr.find("no X server at") != std::string::npos ||
                        windowedErr.find("Xvfb failed to start") != std::string::npos)) {
    fs::remove_all(work);
    GTEST_SKIP() << "no X server starts under xvfb-run: " << windowedErr;
  }
  ASSERT_EQ(windowed, 0) << "the windowed run under xvfb-run failed (124: timed out)\n" << windowedErr;
  const std::map<std::string, std::string> recorded = Shots(ReadFile(work / "windowed.out"));
  ASSERT_EQ(recorded.size(), 4u) << ReadFile(work / "windowed.out") << windowedErr;
  ASSERT_TRUE(recorded.count("last"));
  // The recording ends with the closing shot.
  const std::string text = ReadFile(recording);
  EXPECT_EQ(text.substr(text.rfind("shot ")), "shot last\n");

  const int replayed = Shell(Quoted(game / "kestrelle-headless") + " --app-dir " + Quoted(game) + " --user-dir " +
                             Quoted(work / "replayed-user") + " --replay " + Quoted(recording) + " > " +
                             Quoted(work / "replayed.out") + " 2> " + Quoted(work / "replayed.err"));
  ASSERT_EQ(replayed, 0) << ReadFile(work / "replayed.err");
  EXPECT_EQ(Shots(ReadFile(work / "replayed.out")), recorded) << "windowed:\n"
                                                              << ReadFile(work / "windowed.out") << "replayed:\n"
                                                              << ReadFile(work / "replayed.out");
  // The run got somewhere: the pictures changed along the way, and the typed name made the same
  // player file.
  EXPECT_NE(recorded.at("01-logos"), recorded.at("last"));
  EXPECT_NE(recorded.at("02-loaded"), recorded.at("last"));
  EXPECT_FALSE(ReadFile(work / "windowed-user" / "users.dat").empty());
  EXPECT_TRUE(ReadFile(work / "windowed-user" / "users.dat") == ReadFile(work / "replayed-user" / "users.dat"));
  if (!HasFailure()) fs::remove_all(work);
}

}  // namespace
}  // namespace kestrelle
