#pragma once
// The headless runner: the real engine on the headless devices, driven by a script of input in
// virtual time, with pictures of the screen written as PNG files.
//
//   kestrelle-headless --app-dir DIR [--user-dir DIR] [--frames N] [--script FILE] [--shots DIR]
//                      [--seed N] [--record FILE | --replay FILE] [--audio-out FILE.wav]
//
// --record writes the run as a recording (docs/recording-format.md), shots included; --replay
// plays a recording back frame for frame with its seed and frame times, taking its shots (it
// goes with neither --script nor --seed). --audio-out writes what the mixer gave as the virtual
// clock pulled it, as a 16-bit WAV file.

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
  std::string recordFile;
  std::string replayFile;
  std::string audioOut;
};

// False with `error` set on a bad command line.
bool ParseHeadlessArguments(const std::vector<std::string>& arguments, HeadlessOptions& options, std::string& error);

// Runs the game named by the process settings. `initialize` runs after the program folder, the
// user folder and the seed are in place and before the engine is made (the program's start-up:
// language, settings, class registration). Prints "shot NAME crc32=XXXXXXXX" per picture and
// "frames=N" at the end. A widget command of the script that does not hold prints
// "SCRIPT: line N: ..." on `err` and ends the run; a replay that leaves its recording prints
// "REPLAY: FILE: ..." and ends it. Exit status: 0 after a run, 1 when Start failed, 2 on a bad
// command line, script or recording, 3 when a widget command did not hold, 4 when a replay
// diverged.
int RunHeadless(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                const std::function<void()>& initialize);

}  // namespace kestrelle
