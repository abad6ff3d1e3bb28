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
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace kestrelle {

class IEngine;
class HeadlessVideo;

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
// language, settings, class registration). Prints "shot NAME crc32=XXXXXXXX" per picture, and at
// the end "screens_shown NAME ..." (every game screen the run put on the stack, once each, in the
// order of their first showing) and "frames=N". A widget command of the script that does not
// hold prints "SCRIPT: line N: ..." on `err` and ends the run; a replay that leaves its
// recording prints "REPLAY: FILE: ..." and ends it. Exit status: 0 after a run, 1 when Start
// failed, 2 on a bad command line, script or recording, 3 when a widget command did not hold, 4
// when a replay diverged.
//
// The run also prints "startup first_frame_ms=A loaded_ms=B main_menu_ms=C": real milliseconds
// from the process's start (its statics being made) to the first presented frame, to the loading
// screen showing its continue button, and to the first frame after the loading screen left the
// top ("-" for a point the run did not reach).
int RunHeadless(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                const std::function<void()>& initialize);

// What a program that runs the engine in-process (a benchmark) may watch.
struct HeadlessRunHooks {
  std::function<void()> initialize;  // as above
  // The engine, once made (before Start).
  std::function<void(const std::shared_ptr<IEngine>& engine)> engineMade;
  // After every presented frame, with the device that presented it and the virtual time.
  std::function<void(const HeadlessVideo& video, uint32_t virtualMs)> presented;
};
int RunHeadless(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                const HeadlessRunHooks& runHooks);

}  // namespace kestrelle
