#pragma once
// The headless runner: the real engine on the headless devices, driven by a script of input in
// virtual time, with pictures of the screen written as PNG files.
//
//   kestrelle-headless --app-dir DIR [--user-dir DIR] [--frames N] [--script FILE] [--shots DIR]
//                      [--seed N]

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kestrelle {

struct HeadlessOptions {
  std::string appDir;
  std::string userDir;
  std::optional<int64_t> frames;  // stop after this many frames
  std::string scriptFile;
  std::string shotsDir;
  std::optional<uint64_t> seed;
};

// False with `error` set on a bad command line.
bool ParseHeadlessArguments(const std::vector<std::string>& arguments, HeadlessOptions& options, std::string& error);

// Runs the game named by the process settings. `initialize` runs after the program folder, the
// user folder and the seed are in place and before the engine is made (the program's start-up:
// language, settings, class registration). Prints "shot NAME crc32=XXXXXXXX" per picture and
// "frames=N" at the end. A widget command of the script that does not hold prints
// "SCRIPT: line N: ..." on `err` and ends the run. Exit status: 0 after a run, 1 when Start
// failed, 2 on a bad command line or script, 3 when a widget command did not hold.
int RunHeadless(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                const std::function<void()>& initialize);

}  // namespace kestrelle
