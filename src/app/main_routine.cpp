#include "app/main_routine.h"

#include <iostream>

#include "app/engine_control.h"
#include "app/game_recording.h"
#include "data/class_registry.h"
#include "data/process_settings.h"
#include "data/text_encoding.h"

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
        GameRecorder recorder;
        if (!recorder.Open(arguments[1], SeedFromTimeOfDay())) {
          std::cerr << "cannot write the recording \"" << arguments[1] << "\"\n";
          return 2;
        }
        SetDeviceFactory([&recorder] { return recorder.Wrap(CreateSdlDevices()); });
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
