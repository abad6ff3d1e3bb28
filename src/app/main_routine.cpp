#include "app/main_routine.h"

#include <cinttypes>
#include <cstdio>
#include <iostream>

#include "app/engine_control.h"
#include "app/game_recording.h"
#include "data/class_registry.h"
#include "data/crc32.h"
#include "data/file_system.h"
#include "data/process_settings.h"
#include "data/text_encoding.h"
#include "platform/sdl_input_script.h"

namespace kestrelle {

CommandLineAction ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) return CommandLineAction::RunGame;
  std::string first = AsciiLower(arguments.front());
  if (first == "-install") return CommandLineAction::Install;
  if (first == "-uninstall") return CommandLineAction::Uninstall;
  if (first == "--record") return CommandLineAction::RecordGame;
  return CommandLineAction::RunGame;
}

bool RunEngine(const std::string& gameFileName, const std::function<void(const EngineRef&)>& made) {
  std::shared_ptr<IEngineControl> engine;
  bool started = false;
  try {
    engine = CreateObjectAs<IEngineControl>(kEngineClassName);
    if (!engine) return false;
    if (made) made(std::dynamic_pointer_cast<IEngine>(engine));
    started = engine->Start(gameFileName);
    if (!started) {
      engine->Shutdown();  // harmless second call: Start has shut down already
      engine.reset();
    }
  } catch (...) {
    engine.reset();
  }
  if (!engine) return false;
  try {
    engine->Run();
  } catch (...) {
  }
  try {
    engine->Shutdown();
  } catch (...) {
  }
  return started;
}

int RunMainRoutine(const std::vector<std::string>& arguments) {
  try {
    switch (ParseCommandLine(arguments)) {
      case CommandLineAction::Install:
        if (Settings().InstallHook) Settings().InstallHook();
        return 0;
      case CommandLineAction::Uninstall:
        if (Settings().UninstallHook) Settings().UninstallHook();
        return 0;
      case CommandLineAction::RunGame:
        RunEngine(Settings().GameFileName);
        return 0;
      case CommandLineAction::RecordGame: {
        if (arguments.size() < 2) {
          std::cerr << "--record needs a file\n";
          return 2;
        }
        // `--input SCRIPT` plays a scripted run into the window (platform/sdl_input_script.h).
        std::vector<InputScriptStep> steps;
        bool scripted = false;
        if (arguments.size() >= 3) {
          if (arguments.size() != 4 || arguments[2] != "--input") {
            std::cerr << "usage: --record FILE [--input SCRIPT]\n";
            return 2;
          }
          std::optional<std::string> text = ReadWholeFile(arguments[3]);
          std::string error;
          if (!text) error = "cannot be read";
          if (text && !ParseInputScript(*text, steps, error)) text.reset();
          if (!text) {
            std::cerr << arguments[3] << ": " << error << "\n";
            return 2;
          }
          scripted = true;
        }
        GameRecorder recorder;
        if (!recorder.Open(arguments[1], SeedFromTimeOfDay())) {
          std::cerr << "cannot write the recording \"" << arguments[1] << "\"\n";
          return 2;
        }
        SetDeviceFactory([&recorder, &steps, scripted] {
          DeviceSet set = recorder.Wrap(CreateSdlDevices());
          if (!scripted) return set;
          // A shot goes into the recording, and its checksum out as the headless runner prints it.
          InputScriptHooks hooks;
          hooks.shot = [&recorder](const std::string& name, const std::vector<uint32_t>& picture, int, int) {
            recorder.Shot(name);
            std::string bytes;
            bytes.reserve(picture.size() * 4);
            for (uint32_t p : picture)
              for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<char>((p >> (8 * b)) & 0xFF));
            char line[64];
            std::snprintf(line, sizeof line, "crc32=%08" PRIX32, Crc32(bytes.data(), bytes.size()));
            std::cout << "shot " << name << " " << line << std::endl;
          };
          AddSdlInputScript(set, std::move(steps), std::move(hooks));
          return set;
        });
        RunEngine(Settings().GameFileName, [&recorder](const EngineRef& engine) { recorder.SetEngine(engine); });
        SetDeviceFactory(nullptr);
        return 0;
      }
    }
  } catch (...) {
  }
  return 0;
}

}  // namespace kestrelle
