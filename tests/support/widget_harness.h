#pragma once
// Test harness for widgets, controls and screens.
//
//   FakeEngine       an IEngine with real surfaces: records every InvalidateRect (and collects
//                    them on an 800 x 600 back surface as its dirty region), a settable pointer
//                    position, configuration values, in-memory resources (AddResource), and
//                    records of played sounds, opened addresses and loaded resource files.
//   HarnessScreen    a minimal screen ("harness_screen"): a root "group_widget" loaded from a
//                    "window" element, the IWidgetOwner / IWindow / IEventHandler / screen side
//                    of the tree (capture, focus, lookup, mouse routing, events recorded).
//   WidgetHarness    builds a tree from an XML string through the real class registry:
//                      WidgetHarness h(R"(<widget type="rect_widget" name="r" .../>)");
//                    (one or more "widget" elements, or a whole "<window>" element), then
//                    h.Frame(10) runs update, the dirty pass and a draw clipped to the dirty
//                    region on the back surface; h.Click(x, y), h.Mouse(WM_MOUSEMOVE, x, y),
//                    h.Key(WM_KEYUP, VK_TAB); h.Find("a/b") and h.Prop("a/b/z").
//   ScriptedRandom   Random(n) answers from a list while it lives.
//   ExpectPixels     compares a surface with an expectation per pixel and writes the actual
//                    picture as a PNG under the test output folder on failure.
//
// Every layer's tests link this library; classes are registered once (EnsureClassesRegistered).

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/engine_interface.h"
#include "app/game_screen_interface.h"
#include "app/widget_interfaces.h"
#include "data/object.h"
#include "data/params.h"
#include "media/surface.h"

namespace kestrelle::testing {

// Registers every layer's classes once per process (and the harness screen).
void EnsureClassesRegistered();
// The same plus the controls, and plus the shop game's classes.
void EnsureControlsRegistered();
void EnsureGameClassesRegistered();

class FakeEngine : public TAbstractObject, public virtual IEngine {
 public:
  static constexpr int32_t kWidth = 800;
  static constexpr int32_t kHeight = 600;

  FakeEngine();

  // Recorded calls.
  std::vector<TRect> invalidated;
  std::vector<std::string> playedSounds;  // "resource@pan/volume" of the sounds played
  std::vector<std::string> stoppedSounds;
  std::vector<std::string> openedUrls;
  std::vector<std::string> loadedFiles;  // "file|group|pump" of LoadResourceFile
  std::vector<std::string> unloadedGroups;
  int applySettings = 0;
  int closeRequests = 0;
  bool systemCursorHidden = false;
  TPoint cursor{0, 0};
  SurfaceRef back;
  ParamsRef config;
  std::map<std::string, ResourceRef> resources;
  // Called for each LoadResourceFile (tests pump frames from here).
  std::function<void(const std::string& file, bool pump)> onLoadResourceFile;

  void AddResource(const std::string& name, const ResourceRef& resource) { resources[name] = resource; }
  // The union of what was invalidated since the last ClearInvalidated.
  TRect InvalidatedBounds() const;
  void ClearInvalidated();

  std::string GetAppPath() override { return "."; }
  std::string GetUserDataPath() override { return "."; }
  void SaveUserTextFile(const std::string& text, const std::string& fileName) override {}
  void SaveAppTextFile(const std::string& text, const std::string& fileName) override {}
  void SetConfigValue(const std::string& name, const Variant& value) override { config->SetValue(name, value); }
  Variant GetConfigValue(const std::string& name) override;
  void ApplySettings() override { ++applySettings; }
  std::string LoadTextFile(const std::string& fileName, const std::string& key) override { return {}; }
  void LoadResources(const StorageRef& storage, const std::string& group, bool pump) override {}
  void LoadResourceFile(const std::string& fileName, const std::string& group, bool pump) override;
  void UnloadResources(const std::string& group) override { unloadedGroups.push_back(group); }
  ResourceRef GetResource(const std::string& name) override;
  void RemoveResource(const std::string& name) override { resources.erase(name); }
  TPoint GetCursorPos() override { return cursor; }
  void SetCursorPos(const TPoint& point) override { cursor = point; }
  void HideSystemCursor() override { systemCursorHidden = true; }
  void ShowSystemCursor() override { systemCursorHidden = false; }
  void PlayMusic(const std::shared_ptr<IMusic>& music) override {}
  void StopMusic(const std::shared_ptr<IMusic>& music) override {}
  AudioHandle PlaySound(const std::shared_ptr<ISound>& sound) override;
  void StopSound(const std::shared_ptr<ISound>& sound) override;
  void StopAllSounds() override {}
  void SetMusicVolume(const Variant& value) override {}
  void Close() override { ++closeRequests; }
  void RunFile(const std::string& fileName) override { openedUrls.push_back(fileName); }
  void OpenURL(const std::string& address) override { openedUrls.push_back(address); }
  SurfaceRef CreateSurface() override;
  std::shared_ptr<IGame> GetGame() override { return nullptr; }
  void InvalidateRect(const TRect& rect) override;
  void ValidateAll() override;
  IVideoDevice* GetWindowHandle() override { return nullptr; }
  void SetMessageHook(MessageHook hook) override {}
  void ClearMessageHook() override {}
  void UpdateGame(uint32_t elapsedMs) override {}
};

struct RecordedEvent {
  std::string sender;
  int32_t code = 0;
  ParamsRef params;
};

class HarnessScreen : public TPropertyObject,
                      public virtual IGameScreenSlave,
                      public virtual IWidgetOwner,
                      public virtual IWindow,
                      public virtual IEventHandler {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;

  // IGameScreenSlave
  void SetOwner(const GameScreenOwnerRef& owner) override;
  void Finalize() override;
  void Show(const ParamsRef& params) override;
  void Hide() override;
  void Activate() override { active = true; }
  void Deactivate() override { active = false; }
  void Update(int32_t elapsedMs) override;
  void Draw(const SurfaceRef& surface) override;
  TRect GetWindowRect() override;
  void FocusChanged(bool focused) override { focusChanges.push_back(focused); }
  bool MouseEvent(uint32_t message, const TPoint& point, uint32_t keyFlags) override;
  bool KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
  void SlaveClosed(const std::string& name, const ParamsRef& result) override;
  WindowRef GetWindowInterface() override { return SelfAs<IWindow>(); }
  WidgetRef GetWindowWidget() override { return root; }
  bool FlushChanges() override;
  bool IsShown() override;

  // IWidgetOwner
  EngineRef GetEngine() override;
  WindowRef GetWindow() override { return SelfAs<IWindow>(); }
  EventHandlerRef GetEventHandler() override { return SelfAs<IEventHandler>(); }
  TPoint ScreenToClient(const TPoint& point) override { return point; }
  WidgetRef CreateWidget(const std::string& factoryName, const ParamsRef& params) override { return nullptr; }
  WidgetRef FindWidget(const std::string& path) override { return root ? root->FindWidget(path) : nullptr; }
  std::string GetPath() override { return GetName(); }
  void InvalidateRect(const TRect& rect) override;

  // IWindow
  void SetCapture(const WidgetRef& widget) override;
  void ReleaseCapture() override;
  WidgetRef GetCapture() override { return capture; }
  void SetFocus(const WidgetRef& widget) override;
  void ClearFocus() override;
  WidgetRef GetFocus() override { return focus; }
  WidgetCollectionRef GetWidgets() override { return root ? root->GetWidgets() : nullptr; }
  void ResetInput() override;
  WidgetRef WidgetAtPoint(const TPoint& point) override { return root ? root->WidgetAtPoint(point) : nullptr; }
  AudioHandle PlaySound(const std::string& name) override { return 0; }
  void StopSound(const std::string& name) override {}

  // IEventHandler
  void HandleWidgetEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) override;
  GameScreenOwnerRef GetGameOwner() override { return owner.lock(); }

  // State, open to the tests.
  WidgetRef root;
  std::weak_ptr<IGameScreenOwner> owner;
  EngineRef engine;  // used when there is no owner
  WidgetRef capture;
  WidgetRef focus;
  bool active = false;
  bool wasActive = false;
  // Time the screen takes to disappear after Hide (0: at once); counts down in Update.
  int32_t hideTime = 0;
  bool hiding = false;
  bool shown = false;
  ParamsRef shownParams;
  ParamsRef closedResult;  // what the last screen closed above this one answered
  std::vector<std::string> log;  // "show", "hide", "activate", "slaveclosed:<name>" ...
  std::vector<bool> focusChanges;
  std::vector<RecordedEvent> events;
  int updates = 0;
  int draws = 0;
};

class WidgetHarness {
 public:
  // `xml`: "widget" elements (they become the root's children) or a whole "window" element.
  explicit WidgetHarness(const std::string& xml = {});
  ~WidgetHarness();

  // Update (when the screen is active), the dirty pass, and the draw clipped to what was
  // invalidated since the previous frame; the invalidations of this frame stay recorded on the
  // engine (`invalidated`) until the next one.
  void Frame(int32_t elapsedMs);
  // Only the dirty pass (what would be redrawn now).
  void DirtyPass();
  bool Mouse(uint32_t message, int32_t x, int32_t y, uint32_t keys = 0);
  bool Click(int32_t x, int32_t y);
  bool Key(uint32_t message, uintptr_t key, intptr_t keyData = 0);

  WidgetRef Find(const std::string& path) const;
  Variant Prop(const std::string& path) const;
  void SetProp(const std::string& path, const Variant& value) const;
  // A widget made from a "widget" element, through the registry; not attached.
  static WidgetRef Make(const std::string& xml);

  std::shared_ptr<FakeEngine> engine;
  std::shared_ptr<HarnessScreen> screen;
  WidgetRef root;
  // Draws counted by Frame (frames with nothing dirty draw nothing).
  int drawnFrames = 0;
};

class ScriptedRandom {
 public:
  explicit ScriptedRandom(std::vector<int32_t> answers);
  ~ScriptedRandom();
  // Answers given so far.
  int used() const { return used_; }

 private:
  std::shared_ptr<std::deque<int32_t>> answers_;
  int used_ = 0;
};

// Every pixel of `surface` against `expected(x, y)`; on a mismatch the picture is written to
// "<test output>/<name>.png" and the first differences are reported.
::testing::AssertionResult PixelsMatch(const ISurface& surface, const std::string& name,
                                       const std::function<uint32_t(int32_t x, int32_t y)>& expected);
#define EXPECT_PIXELS(surface, name, expected) EXPECT_TRUE(::kestrelle::testing::PixelsMatch(surface, name, expected))

// Folder for pictures written by tests (created on demand).
std::filesystem::path TestOutputFolder();

}  // namespace kestrelle::testing
