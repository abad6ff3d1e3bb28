#pragma once
// A small game that records what the engine calls on it, and a fixture that starts the real
// engine on the headless devices with a game definition naming that game.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/app_registration.h"
#include "app/engine.h"
#include "app/game_interface.h"
#include "data/cipher.h"
#include "data/class_registry.h"
#include "data/file_system.h"
#include "data/object.h"
#include "data/process_settings.h"
#include "data/user_files.h"
#include "media/surface.h"
#include "platform/headless_devices.h"

namespace kestrelle::enginetest {

struct GameCall {
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
  friend bool operator==(const GameCall&, const GameCall&) = default;
};

class TTestGame : public TNamedObject, public virtual IGame {
 public:
  // Per test: what the game does on each call.
  static inline std::function<void(TTestGame&, uint32_t)> onUpdate;
  static inline std::function<void(TTestGame&, const SurfaceRef&)> onDraw;
  static inline bool canClose = true;
  static inline TTestGame* last = nullptr;

  EngineRef engine;
  std::vector<uint32_t> elapsed;
  int afterUpdates = 0;
  int draws = 0;
  int endGames = 0;
  int canCloseQueries = 0;
  std::vector<bool> focusChanges;
  std::vector<GameCall> mouse;  // message, key flags, point packed as lParam
  std::vector<GameCall> keys;

  TTestGame() { last = this; }
  void StartGame(const EngineRef& e) override { engine = e; }
  void EndGame() override {
    ++endGames;
    engine.reset();
  }
  void Update(uint32_t ms) override {
    elapsed.push_back(ms);
    if (onUpdate) onUpdate(*this, ms);
  }
  void Draw(const SurfaceRef& surface) override {
    ++draws;
    if (onDraw) onDraw(*this, surface);
  }
  bool MouseEvent(uint32_t message, const TPoint& point, uint32_t flags) override {
    mouse.push_back(GameCall{message, flags, MakePointParam(point.x, point.y)});
    lastPoint = point;
    return true;
  }
  bool KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    keys.push_back(GameCall{message, wParam, lParam});
    return true;
  }
  void FocusChanged(bool focused) override { focusChanges.push_back(focused); }
  bool CanClose() override {
    ++canCloseQueries;
    return canClose;
  }
  void SetOption(const std::string&, const std::string&) override {}
  void AfterUpdate() override { ++afterUpdates; }

  TPoint lastPoint;

  static void Reset() {
    onUpdate = nullptr;
    onDraw = nullptr;
    canClose = true;
    last = nullptr;
  }
};

inline constexpr const char* kTestKey = "testkey0123456789abc";

// Registers what the engine tests need, whatever an earlier test left in the registry.
inline void RegisterEngineTestClasses() {
  ClassRegistry& registry = ClassRegistry::Instance();
  if (!registry.IsRegistered(kEngineClassName)) RegisterAppClasses();
  if (!registry.IsRegistered("surface")) RegisterSurfaceClasses();
  if (!registry.IsRegistered("TestGame")) RegisterObjectClass<TTestGame>("TestGame");
}

// A program folder holding an enciphered game definition of the given text.
inline std::filesystem::path MakeAppFolder(const std::string& name, const std::string& definition) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() / ("kestrelle-engine-" + name);
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "data" / "ini");
  std::string text = EncipherToHex(kTestKey, definition);
  WriteFileAtomic((dir / "data" / "ini" / "Kestrelle.ini").string(), text);
  return dir;
}

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterEngineTestClasses();
    TTestGame::Reset();
    Settings().DataFileKey = kTestKey;
    Settings().GameFileName = "data\\ini\\Kestrelle.ini";
    appDir = MakeAppFolder(::testing::UnitTest::GetInstance()->current_test_info()->name(),
                           "<game type=\"TestGame\" name=\"fixture\"/>");
    SetAppPath(appDir.string());
    setenv("KESTRELLE_USER_DIR", (appDir / "user").string().c_str(), 1);
  }
  void TearDown() override {
    if (engine) engine->Shutdown();
    engine.reset();
    SetDeviceFactory(nullptr);
    TTestGame::Reset();
    SetAppPath("");
    std::error_code ec;
    std::filesystem::remove_all(appDir, ec);
  }

  // Starts the engine on fresh headless devices; the clock starts at `clockStart`.
  bool StartEngine(uint32_t clockStart = 0) {
    devices = MakeHeadlessDevices(clockStart);
    HeadlessDevices d = devices;
    SetDeviceFactory([d] { return d.AsSet(); });
    engine = std::dynamic_pointer_cast<TEngine>(CreateObjectFromString(kEngineClassName));
    if (!engine) return false;
    return engine->Start(Settings().GameFileName);
  }
  // What Run does before its loop.
  void BeginRun() {
    engine->SetActive(true);
    engine->ApplySettings();
  }
  // Loop steps until the game has had `count` more updates (or a step limit is hit).
  void RunFrames(int count) {
    size_t target = game().elapsed.size() + size_t(count);
    for (int guard = 0; guard < 100000 && game().elapsed.size() < target; ++guard) engine->LoopStep();
  }
  void Post(const Message& m) { devices.events->Post(m); }
  // Serves every queued message (one loop step each).
  void ServeMessages() {
    while (devices.events->QueuedCount() > 0) engine->LoopStep();
  }
  TTestGame& game() { return *TTestGame::last; }

  std::filesystem::path appDir;
  HeadlessDevices devices;
  std::shared_ptr<TEngine> engine;
};

}  // namespace kestrelle::enginetest
