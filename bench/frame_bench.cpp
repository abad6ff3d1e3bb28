// Frame costs of the demo, run in-process on the headless devices with a fixed virtual clock,
// each as a ratio to one 800 x 600 memcpy measured in the same run.
//
// A run plays tests/game/data/level2_won.script (level 2, seed 1) through the headless runner.
// The engine's frame tap marks the start of each frame and the present hook its end, so a
// frame's time is its update, drawing and present; the script's own work between frames is not
// in it. The script's times after a wait move with it, so the frames are placed from the first
// one that shows the level screen (L, the script's 1500):
//   FullRedraw  level play (L + 5500 to L + 18500: the script's clicks from 7000 to 20000) with the
//               whole picture invalidated at the start of every frame, in a run of its own
//   Play        the same frames without that: clients walking in and out, items found, the
//               money and a coin flying to the counter, their particles
//   Idle        the frames of the whole run that presented nothing (no dirty rectangle)
//   Transition  frames of the first two seconds of the level screen that present the whole
//               picture: the screen's appearance and the intro box's disappearing effect
//   Minigame    Find Pairs (tests/game/data/find_pairs_completed.script, seed 5): the frames of
//               the first three seconds after its help closes (M, the screen shown, + 3000 to
//               + 6000): cards appearing, a pair chosen, a wrong pair hidden and reshuffled
// Every repetition makes its own run; its time is the mean frame of the kind in that run, in the
// thread's processor time (manual time, one iteration), so that the other processes of a busy
// machine stay out of it. The ratios to the memcpy's processor time are printed after the table,
// from the medians.
//
//   build/bin/frame_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/engine.h"
#include "app/engine_interface.h"
#include "app/headless_runner.h"
#include "app/top_screen_probe.h"
#include "game/startup.h"
#include "platform/headless_devices.h"

namespace kestrelle {
namespace {

constexpr int kWidth = 800, kHeight = 600;
// The thread's processor time: the frames run on this thread (the headless audio is pulled on it
// too), and other processes on the machine do not count. A reading costs about a microsecond's
// fraction, which the idle frames feel most.
double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

enum class Kind { kFullRedraw, kPlay, kIdle, kTransition, kMinigame };

constexpr const char* kLevelScreen = "GS_GameMain";
constexpr const char* kMinigameScreen = "GS_MiniGame_pairs";
constexpr uint32_t kMinigameFrom = 3000, kMinigameTo = 6000;                 // ms after M
constexpr uint32_t kPlayFrom = 5500, kPlayTo = 18500, kTransitionTo = 2000;  // ms after L

struct Frame {
  uint32_t virtualMs;
  double seconds;
  int64_t uploaded;  // pixels presented
};

struct LevelRun {
  std::vector<Frame> frames;
  std::optional<uint32_t> levelShown;  // L
};

// One run of a script of tests/game/data with its seed, frames placed from the first one that
// shows `screen`; `invalidateAll` redraws the whole picture during the level's play.
LevelRun PlayScript(const char* name, const char* seed, const char* screen, bool invalidateAll) {
  static bool initialized = false;
  const std::filesystem::path user =
      std::filesystem::temp_directory_path() / ("kestrelle-frame-bench-" + std::to_string(::getpid()));
  std::filesystem::remove_all(user);
  std::filesystem::create_directories(user);

  LevelRun run;
  std::weak_ptr<IEngine> engine;
  TopScreenProbe probe;
  uint32_t now = 0;
  double start = 0;
  SetEngineFrameTap([&](uint32_t elapsed) {
    if (invalidateAll && run.levelShown && now >= *run.levelShown + kPlayFrom && now < *run.levelShown + kPlayTo)
      if (auto e = engine.lock()) e->InvalidateRect(TRect{0, 0, kWidth, kHeight});
    start = ThreadSeconds();
    return elapsed;
  });
  HeadlessRunHooks hooks;
  if (!initialized) hooks.initialize = [] { InitializeKestrelle(); };
  initialized = true;
  hooks.engineMade = [&](const std::shared_ptr<IEngine>& e) {
    engine = e;
    probe.SetEngine(e);
  };
  hooks.presented = [&](const HeadlessVideo& video, uint32_t virtualMs) {
    const double seconds = ThreadSeconds() - start;
    now = virtualMs;
    int64_t area = 0;
    for (const PixelRect& r : video.LastUploaded()) area += int64_t{r.right - r.left} * (r.bottom - r.top);
    run.frames.push_back(Frame{virtualMs, seconds, area});
    if (!run.levelShown && probe.TopScreenName() == screen) run.levelShown = virtualMs;
  };
  std::ostringstream out, err;
  const std::string script = std::string(KESTRELLE_SOURCE_DIR) + "/tests/game/data/" + name;
  const int status =
      RunHeadless({"--app-dir", KESTRELLE_GAME_DIR, "--user-dir", user.string(), "--seed", seed, "--script", script},
                  out, err, hooks);
  std::filesystem::remove_all(user);
  // FRAME_BENCH_DUMP=1 lists every frame (virtual ms, microseconds, pixels presented) for a look.
  if (std::getenv("FRAME_BENCH_DUMP"))
    for (const Frame& f : run.frames)
      std::fprintf(stderr, "frame %u %.1f %lld\n", f.virtualMs, f.seconds * 1e6, static_cast<long long>(f.uploaded));
  if (status != 0 || !run.levelShown) {
    std::fprintf(stderr, "frame_bench: the run ended with %d\n%s%s", status, out.str().c_str(), err.str().c_str());
    std::exit(1);
  }
  return run;
}

std::vector<double> FramesOf(Kind kind) {
  const LevelRun run = kind == Kind::kMinigame
                           ? PlayScript("find_pairs_completed.script", "5", kMinigameScreen, false)
                           : PlayScript("level2_won.script", "1", kLevelScreen, kind == Kind::kFullRedraw);
  const uint32_t level = *run.levelShown;
  std::vector<double> times;
  for (const Frame& f : run.frames) {
    bool take = false;
    switch (kind) {
      case Kind::kFullRedraw:
      case Kind::kPlay:
        take = f.virtualMs >= level + kPlayFrom && f.virtualMs < level + kPlayTo;
        break;
      case Kind::kIdle:
        take = f.uploaded == 0;
        break;
      case Kind::kTransition:
        take = f.virtualMs >= level && f.virtualMs < level + kTransitionTo && f.uploaded == int64_t{kWidth} * kHeight;
        break;
      case Kind::kMinigame:
        take = f.virtualMs >= level + kMinigameFrom && f.virtualMs < level + kMinigameTo;
        break;
    }
    if (take) times.push_back(f.seconds);
  }
  return times;
}

// Every repetition plays the level anew and reports its frames of the kind, one per iteration.
void BM_Frame(benchmark::State& state, Kind kind) {
  const std::vector<double> times = FramesOf(kind);
  if (times.empty()) {
    state.SkipWithError("no frame of this kind");
    return;
  }
  double sum = 0;
  for (double t : times) sum += t;
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  for (auto _ : state) state.SetIterationTime(sum / static_cast<double>(times.size()));
  state.counters["frames"] = static_cast<double>(times.size());
  state.counters["p90_us"] = sorted[sorted.size() * 9 / 10] * 1e6;
}

void BM_Memcpy800x600(benchmark::State& state) {
  std::vector<uint32_t> from(size_t{kWidth} * kHeight, 0xFF336699u), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * 4);
    benchmark::ClobberMemory();
  }
}

// Prints the table as usual and keeps the medians for the ratios: the manual (processor) time of
// the frames, the processor time of the memcpy.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> medians;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.aggregate_name == "median" || (run.run_type == Run::RT_Iteration && !medians.count(run.run_name.str())))
        medians[run.run_name.str()] = run.run_name.str().find("manual_time") != std::string::npos
                                          ? run.GetAdjustedRealTime()
                                          : run.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace
}  // namespace kestrelle

int main(int argc, char** argv) {
  using namespace kestrelle;
  benchmark::RegisterBenchmark("BM_Memcpy800x600", BM_Memcpy800x600);
  const std::pair<const char*, Kind> kinds[] = {{"BM_Frame/FullRedraw", Kind::kFullRedraw},
                                                {"BM_Frame/Play", Kind::kPlay},
                                                {"BM_Frame/Idle", Kind::kIdle},
                                                {"BM_Frame/Transition", Kind::kTransition},
                                                {"BM_Frame/Minigame", Kind::kMinigame}};
  for (const auto& [name, kind] : kinds)
    benchmark::RegisterBenchmark(name, BM_Frame, kind)->UseManualTime()->Iterations(1);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto memcpy = reporter.medians.find("BM_Memcpy800x600");
  if (memcpy != reporter.medians.end() && memcpy->second > 0) {
    const std::pair<const char*, const char*> goals[] = {{"BM_Frame/FullRedraw", "<= 15"},
                                                         {"BM_Frame/Play", "<= 4"},
                                                         {"BM_Frame/Idle", "<= 0.5"},
                                                         {"BM_Frame/Transition", "-"},
                                                         {"BM_Frame/Minigame", "-"}};
    for (const auto& [name, goal] : goals)
      for (const auto& [run, time] : reporter.medians)
        if (run.rfind(std::string(name) + "/", 0) == 0)
          std::printf("ratio %-20s %8.2f memcpy (goal %s)\n", name, time / memcpy->second, goal);
  }
  benchmark::Shutdown();
  return 0;
}
