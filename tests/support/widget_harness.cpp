#include "support/widget_harness.h"

#include <algorithm>

#include "app/app_registration.h"
#include "app/sounds.h"
#include "controls/controls_registration.h"
#include "data/class_registry.h"
#include "data/data_registration.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/random.h"
#include "game/game_registration.h"
#include "media/png_writer.h"
#include "platform/messages.h"
#include "widgets/widgets_registration.h"

namespace kestrelle::testing {

void EnsureClassesRegistered() {
  ClassRegistry& registry = ClassRegistry::Instance();
  if (!registry.IsRegistered("function_complex")) RegisterDataClasses();
  if (!registry.IsRegistered("surface")) RegisterSurfaceClasses();
  if (!registry.IsRegistered("Engine")) RegisterAppClasses();
  if (!registry.IsRegistered("group_widget")) RegisterWidgetsClasses();
  if (!registry.IsRegistered("harness_screen")) RegisterObjectClass<HarnessScreen>("harness_screen");
}

void EnsureControlsRegistered() {
  EnsureClassesRegistered();
  if (!ClassRegistry::Instance().IsRegistered("ButtonControl")) RegisterControlsClasses();
}

void EnsureGameClassesRegistered() {
  EnsureControlsRegistered();
  if (!ClassRegistry::Instance().IsRegistered("KestrelleGameScreenMain")) RegisterGameClasses();
}

// ---------------------------------------------------------------------------------------------
// FakeEngine

FakeEngine::FakeEngine() {
  back = Create<TSurface>();
  back->SetSize(kWidth, kHeight);
  config = CreateParams();
}

Variant FakeEngine::GetConfigValue(const std::string& name) { return config->GetValue(name, Null{}); }

void FakeEngine::LoadResourceFile(const std::string& fileName, const std::string& group, bool pump) {
  loadedFiles.push_back(fileName + "|" + group + "|" + (pump ? "pump" : "nopump"));
  if (onLoadResourceFile) onLoadResourceFile(fileName, pump);
}

ResourceRef FakeEngine::GetResource(const std::string& name) {
  auto it = resources.find(name);
  return it == resources.end() ? nullptr : it->second;
}

AudioHandle FakeEngine::PlaySound(const std::shared_ptr<ISound>& sound) {
  playedSounds.push_back(sound ? sound->GetResourceName() + "@" + std::to_string(sound->GetPan()) + "/" +
                                     std::to_string(sound->GetVolume())
                               : std::string());
  return static_cast<AudioHandle>(playedSounds.size());
}

void FakeEngine::StopSound(const std::shared_ptr<ISound>& sound) {
  stoppedSounds.push_back(sound ? sound->GetResourceName() : std::string());
}

SurfaceRef FakeEngine::CreateSurface() { return Create<TSurface>(); }

void FakeEngine::InvalidateRect(const TRect& rect) {
  invalidated.push_back(rect);
  TRect clipped = Intersection(rect, TRect{0, 0, kWidth, kHeight});
  if (!clipped.IsEmpty()) back->AddDirtyRect(clipped);
}

void FakeEngine::ValidateAll() { back->ClearDirty(); }

TRect FakeEngine::InvalidatedBounds() const {
  TRect box;
  bool any = false;
  for (const TRect& r : invalidated) {
    if (r.IsEmpty()) continue;
    box = any ? BoundingBox(box, r) : r;
    any = true;
  }
  return box;
}

void FakeEngine::ClearInvalidated() { invalidated.clear(); }

// ---------------------------------------------------------------------------------------------
// HarnessScreen

void HarnessScreen::Initialize() {
  TPropertyObject::Initialize();
  storageName_ = "gamescreen";
  root = CreateObjectAs<IWidget>("group_widget");
}

void HarnessScreen::LoadProperties(const StorageRef& storage) {
  TPropertyObject::LoadProperties(storage);
  hideTime = static_cast<int32_t>(ReadInt(storage, "hidetime", 0));
  if (!storage || storage->GetChildCount("window") == 0) return;
  StorageRef window = storage->GetChild("window", 0);
  if (auto persistent = std::dynamic_pointer_cast<IPersistent>(root)) persistent->LoadFromStorage(window);
  root->SetAnchorLeft(static_cast<double>(ReadInt(window, "left", 0)));
  root->SetAnchorTop(static_cast<double>(ReadInt(window, "top", 0)));
  root->SetMouseStop(true);
}

void HarnessScreen::SetOwner(const GameScreenOwnerRef& newOwner) {
  owner = newOwner;
  if (root) root->SetOwner(SelfAs<IWidgetOwner>());
}

void HarnessScreen::Finalize() {
  log.push_back("finalize");
  capture = focus = nullptr;
  if (root) root->ClearOwner();
  owner.reset();
}

void HarnessScreen::Show(const ParamsRef& params) {
  log.push_back("show");
  shownParams = params;
  active = true;
  shown = true;
  hiding = false;
  ResetInput();
  if (root) root->SetVisible(true);
}

void HarnessScreen::Hide() {
  log.push_back("hide");
  hiding = true;
  if (hideTime <= 0) {
    shown = false;
    if (root) root->SetVisible(false);
  }
}

void HarnessScreen::Update(int32_t elapsedMs) {
  ++updates;
  if (hiding && shown) {
    hideTime -= elapsedMs;
    if (hideTime <= 0) {
      shown = false;
      if (root) root->SetVisible(false);
    }
  }
  if (active && root) root->Update(elapsedMs);
}

void HarnessScreen::Draw(const SurfaceRef& surface) {
  ++draws;
  if (root) root->Draw(surface, Round32(root->GetAnchorLeft()), Round32(root->GetAnchorTop()));
}

TRect HarnessScreen::GetWindowRect() { return root ? root->GetRect() : TRect{}; }

bool HarnessScreen::MouseEvent(uint32_t message, const TPoint& point, uint32_t keyFlags) {
  if (WidgetRef captured = capture) return captured->MouseEvent(message, point, keyFlags);
  WidgetRef hit = WidgetAtPoint(point);
  if (hit && hit->GetMouseStop()) return hit->MouseEvent(message, point, keyFlags);
  return false;
}

bool HarnessScreen::KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  log.push_back("key");
  WidgetRef focused = focus;
  return focused && focused->KeyEvent(message, wParam, lParam);
}

void HarnessScreen::SlaveClosed(const std::string& name, const ParamsRef& result) {
  log.push_back("slaveclosed:" + name);
  closedResult = result;
}

bool HarnessScreen::FlushChanges() {
  if ((active || wasActive) && root) root->UpdateDirtyRects(false, false);
  wasActive = active;
  return active;
}

bool HarnessScreen::IsShown() { return shown; }

EngineRef HarnessScreen::GetEngine() {
  if (auto game = owner.lock()) return game->GetEngine();
  return engine;
}

void HarnessScreen::InvalidateRect(const TRect& rect) {
  if (EngineRef e = GetEngine()) e->InvalidateRect(rect);
}

void HarnessScreen::SetCapture(const WidgetRef& widget) {
  if (WidgetRef old = capture; old && old != widget) old->CaptureLost();
  capture = widget;
}

void HarnessScreen::ReleaseCapture() {
  if (WidgetRef old = capture) old->CaptureLost();
  capture = nullptr;
}

void HarnessScreen::SetFocus(const WidgetRef& widget) {
  if (WidgetRef old = focus) old->FocusLost();
  focus = widget;
  if (widget) widget->FocusGained();
}

void HarnessScreen::ClearFocus() {
  if (WidgetRef old = focus) old->FocusLost();
  focus = nullptr;
}

void HarnessScreen::ResetInput() {
  capture = focus = nullptr;
  if (root) root->Invalidate();
}

void HarnessScreen::HandleWidgetEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  events.push_back(RecordedEvent{sender ? sender->GetName() : std::string(), code, params});
}

// ---------------------------------------------------------------------------------------------
// WidgetHarness

WidgetHarness::WidgetHarness(const std::string& xml) {
  EnsureClassesRegistered();
  engine = std::make_shared<FakeEngine>();
  engine->Initialize();
  screen = std::dynamic_pointer_cast<HarnessScreen>(CreateObjectFromString("harness_screen"));
  screen->SetName("GS_Harness");
  std::string window = xml;
  if (window.find("<window") == std::string::npos) window = "<window><widgets>" + xml + "</widgets></window>";
  StorageRef storage = LoadStorageFromString("<gamescreen name=\"GS_Harness\">" + window + "</gamescreen>");
  EXPECT_TRUE(storage) << "the harness XML does not parse";
  if (storage) screen->LoadFromStorage(storage);
  screen->engine = engine;
  screen->SetOwner(nullptr);
  screen->Show(CreateParams());
  root = screen->root;
}

WidgetHarness::~WidgetHarness() {
  if (screen) screen->Finalize();
}

void WidgetHarness::DirtyPass() { screen->FlushChanges(); }

void WidgetHarness::Frame(int32_t elapsedMs) {
  // What was invalidated between frames (by input, by adding widgets) stays in the dirty region.
  engine->ClearInvalidated();
  screen->Update(elapsedMs);
  DirtyPass();
  if (!engine->back->GetDirtyRegion().Items().empty()) {
    screen->Draw(engine->back);
    ++drawnFrames;
  }
  engine->ValidateAll();
}

bool WidgetHarness::Mouse(uint32_t message, int32_t x, int32_t y, uint32_t keys) {
  engine->cursor = TPoint{x, y};
  return screen->MouseEvent(message, TPoint{x, y}, keys);
}

bool WidgetHarness::Click(int32_t x, int32_t y) {
  bool down = Mouse(WM_LBUTTONDOWN, x, y, static_cast<uint32_t>(MK_LBUTTON));
  bool up = Mouse(WM_LBUTTONUP, x, y, 0);
  return down || up;
}

bool WidgetHarness::Key(uint32_t message, uintptr_t key, intptr_t keyData) {
  return screen->KeyEvent(message, key, keyData);
}

WidgetRef WidgetHarness::Find(const std::string& path) const { return root ? root->FindWidget(path) : nullptr; }

Variant WidgetHarness::Prop(const std::string& path) const { return root ? root->GetProperty(path) : Variant(Null{}); }

void WidgetHarness::SetProp(const std::string& path, const Variant& value) const {
  if (root) root->SetProperty(path, value);
}

WidgetRef WidgetHarness::Make(const std::string& xml) {
  EnsureClassesRegistered();
  StorageRef storage = LoadStorageFromString(xml);
  return storage ? std::dynamic_pointer_cast<IWidget>(CreateObjectFromStorage(storage)) : nullptr;
}

// ---------------------------------------------------------------------------------------------

ScriptedRandom::ScriptedRandom(std::vector<int32_t> answers)
    : answers_(std::make_shared<std::deque<int32_t>>(answers.begin(), answers.end())) {
  auto queue = answers_;
  int* used = &used_;
  SetRandomSource([queue, used](int32_t n) {
    if (queue->empty()) return 0;
    int32_t value = queue->front();
    queue->pop_front();
    ++*used;
    return n > 0 ? std::clamp(value, 0, n - 1) : 0;
  });
}

ScriptedRandom::~ScriptedRandom() { SetRandomSource(nullptr); }

std::filesystem::path TestOutputFolder() {
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "kestrelle-test-pictures";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  return folder;
}

::testing::AssertionResult PixelsMatch(const ISurface& surface, const std::string& name,
                                       const std::function<uint32_t(int32_t x, int32_t y)>& expected) {
  int mismatches = 0;
  std::string report;
  for (int32_t y = 0; y < surface.GetHeight(); ++y) {
    for (int32_t x = 0; x < surface.GetWidth(); ++x) {
      const uint32_t actual = surface.GetPixel(x, y);
      const uint32_t wanted = expected(x, y);
      if (actual == wanted) continue;
      if (++mismatches <= 5) {
        char line[96];
        std::snprintf(line, sizeof line, "\n  (%d, %d): 0x%08X, expected 0x%08X", x, y, actual, wanted);
        report += line;
      }
    }
  }
  if (mismatches == 0) return ::testing::AssertionSuccess();
  const std::filesystem::path file = TestOutputFolder() / (name + ".png");
  WriteSurfacePng(surface, file);
  return ::testing::AssertionFailure() << mismatches << " pixels differ; picture written to " << file.string()
                                       << report;
}

}  // namespace kestrelle::testing
