#include "app/headless_runner.h"

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>

#include "app/engine.h"
#include "app/game.h"
#include "app/game_recording.h"
#include "app/main_routine.h"
#include "app/top_screen_probe.h"
#include "data/crc32.h"
#include "data/file_system.h"
#include "data/os_files.h"
#include "data/process_settings.h"
#include "data/random.h"
#include "data/text_encoding.h"
#include "data/user_files.h"
#include "media/audio_wav_writer.h"
#include "media/png_writer.h"
#include "media/surface.h"
#include "platform/headless_devices.h"
#include "platform/headless_script.h"
#include "platform/input_recording.h"

namespace kestrelle {

namespace {

constexpr const char* kUsage =
    "usage: kestrelle-headless --app-dir DIR [--user-dir DIR] [--frames N] [--script FILE] [--shots DIR] "
    "[--seed N] [--record FILE | --replay FILE] [--audio-out FILE.wav]";

bool ParseWhole(const std::string& text, int64_t& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0') return false;
  value = v;
  return true;
}

// The process's start, as near as the program can see it: while its statics are made.
const std::chrono::steady_clock::time_point kProcessStart = std::chrono::steady_clock::now();

double MillisecondsSinceStart() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - kProcessStart).count();
}

// The screen that loads the resources and then waits for its continue button.
constexpr const char* kLoadingScreen = "GS_Loading";
constexpr const char* kLoadingContinue = "button_continue";

// Real times of the start-up points, in milliseconds from the process's start.
struct StartupTimes {
  std::optional<double> firstFrame, loaded, mainMenu;
  bool loadingSeen = false;

  void Presented(TopScreenProbe& probe) {
    if (mainMenu) return;
    if (!firstFrame) firstFrame = MillisecondsSinceStart();
    const std::string top = probe.TopScreenName();
    if (top == kLoadingScreen) {
      loadingSeen = true;
      if (!loaded && probe.IsShown(kLoadingContinue)) loaded = MillisecondsSinceStart();
    } else if (loadingSeen && !top.empty()) {
      mainMenu = MillisecondsSinceStart();
    }
  }
  std::string Line() const {
    auto ms = [](const std::optional<double>& v) {
      if (!v) return std::string("-");
      char text[32];
      std::snprintf(text, sizeof text, "%.1f", *v);
      return std::string(text);
    };
    return "startup first_frame_ms=" + ms(firstFrame) + " loaded_ms=" + ms(loaded) + " main_menu_ms=" + ms(mainMenu);
  }
};

// Restores the device factory and the start seed whatever way the run ends.
struct RunScope {
  ~RunScope() {
    SetDeviceFactory(nullptr);
    SetEngineStartSeed(std::nullopt);
    SetEngineFrameTap(nullptr);
    SetEngineSoundTap(nullptr);
    SetGameScreenShownTap(nullptr);
  }
};

}  // namespace

bool ParseHeadlessArguments(const std::vector<std::string>& arguments, HeadlessOptions& options, std::string& error) {
  options = HeadlessOptions{};
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (i + 1 >= arguments.size()) {
      error = a.rfind("--", 0) == 0 ? a + " needs a value" : "unexpected argument \"" + a + "\"";
      return false;
    }
    const std::string& value = arguments[++i];
    int64_t number = 0;
    if (a == "--app-dir") {
      options.appDir = value;
    } else if (a == "--user-dir") {
      options.userDir = value;
    } else if (a == "--script") {
      options.scriptFile = value;
    } else if (a == "--shots") {
      options.shotsDir = value;
    } else if (a == "--record") {
      options.recordFile = value;
    } else if (a == "--replay") {
      options.replayFile = value;
    } else if (a == "--audio-out") {
      options.audioOut = value;
    } else if (a == "--frames") {
      if (!ParseWhole(value, number) || number < 0) {
        error = "--frames needs a whole number of frames";
        return false;
      }
      options.frames = number;
    } else if (a == "--seed") {
      if (!ParseWhole(value, number)) {
        error = "--seed needs a whole number";
        return false;
      }
      options.seed = static_cast<uint64_t>(number);
    } else {
      error = "unknown option \"" + a + "\"";
      return false;
    }
  }
  if (options.appDir.empty()) {
    error = "--app-dir is required";
    return false;
  }
  if (!options.replayFile.empty() && (!options.scriptFile.empty() || options.seed || !options.recordFile.empty())) {
    error = "--replay takes its input and seed from the recording: no --script, --seed or --record with it";
    return false;
  }
  return true;
}

int RunHeadless(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                const std::function<void()>& initialize) {
  HeadlessRunHooks runHooks;
  runHooks.initialize = initialize;
  return RunHeadless(arguments, out, err, runHooks);
}

int RunHeadless(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                const HeadlessRunHooks& runHooks) {
  const std::function<void()>& initialize = runHooks.initialize;
  HeadlessOptions options;
  std::string error;
  if (!ParseHeadlessArguments(arguments, options, error)) {
    err << error << "\n" << kUsage << "\n";
    return 2;
  }
  std::vector<ScriptCommand> commands;
  if (!options.scriptFile.empty()) {
    std::optional<std::string> script = ReadWholeFile(options.scriptFile);
    if (!script) {
      err << "cannot read the script \"" << options.scriptFile << "\"\n";
      return 2;
    }
    if (!ParseHeadlessScript(*script, commands, error)) {
      err << options.scriptFile << ": " << error << "\n";
      return 2;
    }
  }
  Recording recording;
  if (!options.replayFile.empty()) {
    std::optional<std::string> text = ReadWholeFile(options.replayFile);
    if (!text) {
      err << "cannot read the recording \"" << options.replayFile << "\"\n";
      return 2;
    }
    if (!ParseRecording(*text, recording, error)) {
      err << options.replayFile << ": " << error << "\n";
      return 2;
    }
    options.seed = recording.seed;
  }
  if (!options.shotsDir.empty() && !CreateDirectories(options.shotsDir)) {
    err << "cannot create the shots folder \"" << options.shotsDir << "\"\n";
    return 2;
  }

  std::error_code ec;
  SetAppPath(os::Utf8FromPath(std::filesystem::absolute(os::PathFromUtf8(options.appDir), ec)));
  if (!options.userDir.empty()) {
    std::string userDir = os::Utf8FromPath(std::filesystem::absolute(os::PathFromUtf8(options.userDir), ec));
    os::SetEnvironment("KESTRELLE_USER_DIR", userDir);
  }
  RunScope scope;
  GameRecorder recorder;
  if (!options.recordFile.empty()) {
    if (!options.seed) options.seed = SeedFromTimeOfDay();
    if (!recorder.Open(options.recordFile, *options.seed)) {
      err << "cannot write the recording \"" << options.recordFile << "\"\n";
      return 2;
    }
  }
  if (options.seed) {
    RandomSeed(*options.seed);
    SetEngineStartSeed(*options.seed);
  }
  if (initialize) initialize();

  HeadlessDevices devices = MakeHeadlessDevices();
  DeviceSet set = devices.AsSet();
  if (!options.recordFile.empty()) set = recorder.Wrap(set);
  std::vector<int16_t> audio;
  if (!options.audioOut.empty())
    devices.audio->SetCapture(
        [&audio, weakAudio = std::weak_ptr<HeadlessAudio>(devices.audio)](const int16_t* samples, int frames) {
          auto device = weakAudio.lock();
          if (device) audio.insert(audio.end(), samples, samples + size_t(frames) * size_t(device->Channels()));
        });
  // The engine makes the program folder the current one: a relative folder from the command line
  // means the one it named when the run started.
  std::string shotsDir = options.shotsDir;
  if (!shotsDir.empty()) {
    std::filesystem::path full = std::filesystem::absolute(os::PathFromUtf8(shotsDir), ec);
    if (!ec) shotsDir = os::Utf8FromPath(full);
  }
  // The audio file too.
  std::filesystem::path audioOut;
  if (!options.audioOut.empty()) audioOut = std::filesystem::absolute(os::PathFromUtf8(options.audioOut), ec);
  std::weak_ptr<HeadlessVideo> weakVideo = devices.video;
  ScriptHooks hooks;
  auto probe = std::make_shared<TopScreenProbe>();
  hooks.widgets = probe;
  bool scriptFailed = false;
  hooks.fail = [&err, &scriptFailed, file = options.scriptFile](const std::string& message) {
    scriptFailed = true;
    err << file << ": " << message << "\n";
    err.flush();
  };
  hooks.print = [&out](const std::string& line) {
    out << line << "\n";
    out.flush();
  };
  hooks.shot = [&out, &err, shotsDir, weakVideo](const std::string& name) {
    auto video = weakVideo.lock();
    if (!video) return;
    const std::vector<uint32_t>& picture = video->Picture();
    // The checksum covers the screen's pixels as 32-bit little-endian words 0x00RRGGBB.
    std::string bytes;
    bytes.reserve(picture.size() * 4);
    for (uint32_t p : picture) {
      for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<char>((p >> (8 * b)) & 0xFF));
    }
    uint32_t crc = Crc32(bytes.data(), bytes.size());
    char line[64];
    std::snprintf(line, sizeof line, "crc32=%08" PRIX32, crc);
    out << "shot " << name << " " << line << "\n";
    out.flush();
    if (shotsDir.empty()) return;
    auto surface = Create<TSurface>();
    surface->SetSize(video->PictureWidth(), video->PictureHeight());
    for (int y = 0; y < video->PictureHeight(); ++y) {
      uint32_t* row = surface->GetScanLine(y);
      if (!row) break;
      for (int x = 0; x < video->PictureWidth(); ++x)
        row[x] = picture[size_t(y) * size_t(video->PictureWidth()) + size_t(x)] | 0xFF000000u;
    }
    std::filesystem::path file = os::PathFromUtf8(shotsDir) / os::PathFromUtf8(name + ".png");
    if (!WriteSurfacePng(*surface, file)) err << "cannot write " << os::Utf8FromPath(file) << "\n";
  };
  if (!options.recordFile.empty())
    hooks.shot = [&recorder, shot = hooks.shot](const std::string& name) {
      recorder.Shot(name);
      shot(name);
    };
  std::shared_ptr<ReplayEventSource> replay;
  bool replayDiverged = false;
  auto replayFailed = [&err, &replayDiverged, file = options.replayFile](const std::string& message) {
    replayDiverged = true;
    err << "REPLAY: " << file << ": " << message << "\n";
    err.flush();
  };
  if (!options.replayFile.empty()) {
    ReplayEventSource::Hooks replayHooks;
    replayHooks.shot = hooks.shot;
    replayHooks.topScreen = [probe] { return probe->TopScreenName(); };
    replayHooks.diverged = replayFailed;
    replayHooks.delivering = [weakVideo](const Message& message) {
      auto video = weakVideo.lock();
      if (video && IsMouseMessage(message.message))
        video->SetPointer(PointParamX(message.lParam), PointParamY(message.lParam));
    };
    replay = std::make_shared<ReplayEventSource>(std::move(recording), std::move(replayHooks));
    set.events = replay;
    std::weak_ptr<ReplayEventSource> weakReplay = replay;
    std::weak_ptr<HeadlessClock> weakClock = devices.clock;
    // The virtual clock follows the recorded times, so that the audio is pulled as it was.
    SetEngineFrameTap([weakReplay, weakClock](uint32_t measured) {
      auto source = weakReplay.lock();
      uint32_t elapsed = source ? source->NextFrame(measured) : measured;
      auto clock = weakClock.lock();
      if (clock && elapsed > measured) clock->Advance(elapsed - measured);
      return elapsed;
    });
  }
  // When each sound or music resource last started, in virtual time, by its name in upper case.
  auto soundStarts = std::make_shared<std::map<std::string, uint32_t>>();
  std::weak_ptr<HeadlessClock> weakClock = devices.clock;
  SetEngineSoundTap([soundStarts, weakClock](const std::string& name) {
    if (auto clock = weakClock.lock()) (*soundStarts)[AsciiUpper(name)] = clock->Now();
  });
  hooks.soundStarted = [soundStarts](const std::string& name) -> std::optional<uint32_t> {
    auto found = soundStarts->find(AsciiUpper(name));
    if (found == soundStarts->end()) return std::nullopt;
    return found->second;
  };
  // The game screens the run put on the stack, each once, in the order of their first showing.
  auto screensShown = std::make_shared<std::vector<std::string>>();
  SetGameScreenShownTap([screensShown](const std::string& name) {
    if (std::find(screensShown->begin(), screensShown->end(), name) == screensShown->end())
      screensShown->push_back(name);
  });
  // Every present: the start-up times, the frame limit, the caller's hook.
  auto startup = std::make_shared<StartupTimes>();
  std::optional<int64_t> limit = options.frames;
  if (limit && *limit == 0) set.events->PostQuit(0);
  devices.video->SetPresentListener([limit, events = std::weak_ptr<IEventSource>(set.events), startup, probe, weakVideo,
                                     clock = std::weak_ptr<HeadlessClock>(devices.clock),
                                     presented = runHooks.presented](int presents) {
    startup->Presented(*probe);
    if (presented) {
      auto video = weakVideo.lock();
      auto now = clock.lock();
      if (video && now) presented(*video, now->Now());
    }
    if (limit && presents == *limit)
      if (auto e = events.lock()) e->PostQuit(0);
  });
  ScheduleHeadlessScript(commands, devices, std::move(hooks));
  SetDeviceFactory([set] { return set; });

  bool started = RunEngine(Settings().GameFileName, [&probe, &recorder, &runHooks](const EngineRef& engine) {
    probe->SetEngine(engine);
    recorder.SetEngine(engine);
    if (runHooks.engineMade) runHooks.engineMade(engine);
  });
  out << startup->Line() << "\n";
  out << "screens_shown";
  for (const std::string& name : *screensShown) out << " " << name;
  out << "\n";
  out << "frames=" << devices.video->PresentCount() << "\n";
  out.flush();
  if (replay && !replayDiverged && replay->FramesReplayed() != replay->FramesRecorded())
    replayFailed("the game ended after " + std::to_string(replay->FramesReplayed()) + " frames; the recording has " +
                 std::to_string(replay->FramesRecorded()));
  if (!options.audioOut.empty()) {
    const int channels = devices.audio->Channels() > 0 ? devices.audio->Channels() : 2;
    const int rate = devices.audio->Rate() > 0 ? devices.audio->Rate() : 44100;
    const size_t frames = audio.size() / size_t(channels);
    const std::string wav = EncodeWav16(audio.data(), frames, channels, rate);
    std::ofstream file(audioOut, std::ios::binary);
    if (!file.write(wav.data(), std::streamsize(wav.size()))) {
      err << "cannot write the audio \"" << options.audioOut << "\"\n";
    } else {
      out << "audio frames=" << frames << " rate=" << rate << " channels=" << channels << "\n";
      out.flush();
    }
  }
  if (!started) return 1;
  if (replayDiverged) return 4;
  return scriptFailed ? 3 : 0;
}

}  // namespace kestrelle
