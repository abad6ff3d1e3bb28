#include "app/game.h"

#include "app/cursors.h"
#include "app/custom_settings.h"
#include "app/game_screen_interface.h"
#include "data/file_system.h"
#include "data/global_options.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/process_settings.h"
#include "data/text_encoding.h"
#include "data/text_lists.h"
#include "platform/messages.h"
#include "records/high_scores.h"
#include "records/level_records.h"
#include "records/records_settings.h"
#include "records/user_profiles.h"

namespace kestrelle {

namespace {

// Runs one step of start-up or shutdown; a failing step is logged and the next one follows.
template <class Step>
void Guarded(const char* what, Step step) {
  try {
    step();
  } catch (const std::exception& e) {
    LogLine(std::string("Game: ") + what + " failed: " + e.what());
  } catch (...) {
    LogLine(std::string("Game: ") + what + " failed");
  }
}

bool IsYesValue(const Variant& value) {
  if (value.IsBool()) return value.ToBool();
  return EqualsIgnoreAsciiCase(value.ToString(), "yes");
}

// Screens as they are now, bottom first (callers iterate over this copy: a call may change the
// stack).
std::vector<GameScreenRef> StackSnapshot(const TGSCollection& stack) {
  std::vector<GameScreenRef> screens;
  for (int i = 0; i < stack.GetCount(); ++i)
    if (GameScreenRef screen = const_cast<TGSCollection&>(stack).Get(Variant(i))) screens.push_back(screen);
  return screens;
}

bool Covers(const TRect& outer, const TRect& inner) {
  return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
         outer.bottom >= inner.bottom;
}

}  // namespace

void TGame::Initialize() {
  TPersistObject::Initialize();
  storageName_ = "game";
  logosScreen_.clear();
  splashScreen_.clear();
  closeQueryScreen_.clear();
  mainScreen_.clear();
  customSettings_ = Create<TCustomSettingsCollection>();
  auto cursors = Create<TCursorCollection>();
  cursors_ = cursors;
  cursorAccess_ = MakeGameCursorAccess(cursors);
  resourceFiles_ = Create<TResourceFileCollection>();
  settings_ = CreateParams();
  screens_ = Create<TGSCollection>();
  stack_ = Create<TGSCollection>();
  highScores_ = CreateHighScores();
  profiles_ = Create<TUserProfileCollection>();
  levelRecords_ = Create<TLevelRecords>(RecordSettings().LevelRecordTables);
  engine_ = nullptr;
  loading_ = true;
  firstUpdatePending_ = true;
  logosShown_ = false;
  loadCompletePending_ = false;
  splashCloseRequested_ = false;
  closingResults_.clear();
}

void TGame::LoadProperties(const StorageRef& storage) {
  TPersistObject::LoadProperties(storage);
  logosScreen_ = ReadString(storage, "splashlogosgs", "");
  splashScreen_ = ReadString(storage, "splashgs", "");
  closeQueryScreen_ = ReadString(storage, "closequerygs", "");
  mainScreen_ = ReadString(storage, "maings", "");
  // Children in order: custom settings, cursors, resource files, settings, screens.
  LoadChildObject(customSettings_, storage, "custom_settings", 0);
  LoadChildObject(cursors_, storage, "cursors", 0);
  LoadChildObject(resourceFiles_, storage, "resourcefiles", 0);
  LoadChildObject(settings_, storage, "params", 0);
  LoadChildObject(screens_, storage, "gamescreens", 0);
}

void TGame::SaveProperties(const StorageRef& storage) {
  TPersistObject::SaveProperties(storage);
  WriteString(storage, "splashlogosgs", logosScreen_, !logosScreen_.empty());
  WriteString(storage, "splashgs", splashScreen_, !splashScreen_.empty());
  WriteString(storage, "closequerygs", closeQueryScreen_, !closeQueryScreen_.empty());
  WriteString(storage, "maings", mainScreen_, !mainScreen_.empty());
  if (customSettings_ && customSettings_->GetCount() > 0) SaveChildObject(customSettings_, storage, "custom_settings");
  SaveChildObject(cursors_, storage, "cursors");
  SaveChildObject(resourceFiles_, storage, "resourcefiles");
  SaveChildObject(settings_, storage, "params");
  SaveChildObject(screens_, storage, "gamescreens");
}

// ---------------------------------------------------------------------------------------------
// Settings and options

bool TGame::PushToEngine(const std::string& name, const Variant& value) {
  EngineRef engine = engine_;
  if (!settings_ || !engine) return false;
  try {
    Variant current = engine->GetConfigValue(name);
    if (current.IsNull()) return false;
    if (current == value || current.ToString() == value.ToString()) return false;
    engine->SetConfigValue(name, value);
    return true;
  } catch (...) {
    return false;
  }
}

void TGame::SetOption(const std::string& name, const std::string& value) {
  EngineRef engine = engine_;
  if (!settings_ || !engine) return;
  settings_->SetValue(name, value);
  if (Settings().GlobalOptionNames.find(";" + name + ";") != std::string::npos)
    SetGlobalOption(name, GetSetting(name).ToString());
  if (PushToEngine(name, value)) engine->ApplySettings();
}

void TGame::SetSetting(const std::string& name, const Variant& value) {
  if (!settings_) return;
  settings_->SetValue(name, value);
  PushToEngine(name, value);
}

Variant TGame::GetSetting(const std::string& name) {
  if (!settings_) return Null{};
  return settings_->GetValue(name, Null{});
}

// ---------------------------------------------------------------------------------------------
// Start and end

void TGame::StartGame(const EngineRef& engine) {
  engine_ = engine;
  Guarded("reading the high scores", [&] { highScores_->LoadFromFile(false); });
  Guarded("reading the level records", [&] { levelRecords_->LoadFromFile(); });
  Guarded("reading the profiles", [&] { profiles_->LoadFromFile(); });

  Guarded("preparing the cursors", [&] {
    if (cursorAccess_) {
      cursorAccess_->AttachWidgets(SelfAs<IWidgetOwner>());
      cursorAccess_->MakeDefaultCurrent();
    }
    if (engine_) engine_->HideSystemCursor();
  });

  Guarded("reading the options", [&] {
    for (int i = 0; i < settings_->GetCount(); ++i) {
      ParamRef setting = settings_->GetParam(Variant(i));
      if (!setting) continue;
      const std::string name = setting->GetName();
      if (Settings().GlobalOptionNames.find(";" + name + ";") == std::string::npos) continue;
      std::string text;
      if (GetGlobalOption(name, text) && !text.empty())
        setting->SetValue(text);
      else
        SetGlobalOption(name, setting->GetValue().ToString());
    }
  });

  Guarded("passing the settings to the engine", [&] {
    for (int i = 0; i < settings_->GetCount(); ++i)
      if (ParamRef setting = settings_->GetParam(Variant(i))) PushToEngine(setting->GetName(), setting->GetValue());
  });

  Guarded("loading the resource files", [&] {
    for (int i = 0; i < resourceFiles_->GetCount(); ++i) {
      auto file = resourceFiles_->GetResourceFile(i);
      if (file && file->GetLoadMode() == IResourceFile::kSynch && engine_)
        engine_->LoadResourceFile(file->GetFileName(), file->GetName(), false);
    }
  });

  Guarded("giving the screens their owner", [&] {
    GameScreenOwnerRef self = SelfAs<IGameScreenOwner>();
    for (int i = 0; i < screens_->GetCount(); ++i)
      if (GameScreenRef screen = screens_->Get(Variant(i))) screen->SetOwner(self);
  });

  logosShown_ = false;
  Guarded("showing the logos", [&] { logosShown_ = ShowScreen(logosScreen_, nullptr); });
  Guarded("applying the custom settings", [&] { ApplyCustomSettings(); });
}

void TGame::ApplyCustomSettings() {
  if (customSettings_) customSettings_->ApplyAll(engine_, SelfAs<IGameScreenOwner>());
}

void TGame::EndGame() {
  closingResults_.clear();
  customSettings_ = nullptr;
  levelRecords_ = nullptr;
  highScores_ = nullptr;
  settings_ = nullptr;
  Guarded("detaching the cursors", [&] {
    if (cursorAccess_) cursorAccess_->DetachWidgets();
  });
  Guarded("emptying the stack", [&] {
    while (stack_->GetCount() > 0) stack_->Delete(Variant(stack_->GetCount() - 1));
  });
  Guarded("finalising the screens", [&] {
    for (int i = 0; i < screens_->GetCount(); ++i)
      if (GameScreenRef screen = screens_->Get(Variant(i))) screen->Finalize();
  });
  Guarded("saving the profiles", [&] {
    if (profiles_) profiles_->SaveToFile();
  });
  profiles_ = nullptr;
  Guarded("unloading the resource files", [&] {
    for (int i = 0; i < resourceFiles_->GetCount(); ++i)
      if (auto file = resourceFiles_->GetResourceFile(i); file && engine_) engine_->UnloadResources(file->GetName());
  });
  engine_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// The screen stack

namespace {

GameScreenShownTap& ScreenShownTap() {
  static GameScreenShownTap tap;
  return tap;
}

}  // namespace

void SetGameScreenShownTap(GameScreenShownTap tap) { ScreenShownTap() = std::move(tap); }

bool TGame::IsOnStack(const std::string& name) const { return !name.empty() && stack_->Exists(name); }

GameScreenRef TGame::Top() const {
  const int count = stack_->GetCount();
  return count > 0 ? stack_->Get(Variant(count - 1)) : nullptr;
}

bool TGame::ShowScreen(const std::string& name, const ParamsRef& params) {
  if (name.empty() || IsOnStack(name)) return false;
  GameScreenRef screen = screens_->Get(Variant(name));
  if (!screen) return false;
  if (GameScreenRef top = Top()) top->Deactivate();
  stack_->Add(screen);
  if (ScreenShownTap()) ScreenShownTap()(screen->GetName());
  screen->Show(params ? params : CreateParams());
  if (EngineRef engine = engine_) engine->InvalidateRect(screen->GetWindowRect());
  return true;
}

bool TGame::CloseScreen(const GameScreenRef& screen, const ParamsRef& result) {
  GameScreenRef top = Top();
  if (!top || !screen || top->GetName() != screen->GetName()) return false;
  top->Hide();
  closingResults_[top->GetName()] = result;
  ProcessClosedScreens();
  return true;
}

void TGame::ProcessClosedScreens() {
  for (int i = stack_->GetCount() - 1; i >= 0; --i) {
    if (i >= stack_->GetCount()) continue;
    GameScreenRef screen = stack_->Get(Variant(i));
    if (!screen || screen->IsShown()) continue;
    screen->FlushChanges();
    stack_->Delete(Variant(i));
    // The answer belongs to the one closing it was given with: a screen that hides itself
    // without CloseScreen answers nothing (not even while a closed screen below it is still
    // disappearing), and the answer of a bottom screen goes nowhere. Taken before SlaveClosed,
    // which may close the next screen with an answer of its own.
    ParamsRef result;
    if (auto answer = closingResults_.find(screen->GetName()); answer != closingResults_.end()) {
      result = std::move(answer->second);
      closingResults_.erase(answer);
    }
    lastAnswers_[screen->GetName()] = result;
    if (i > 0 && i - 1 < stack_->GetCount()) {
      if (GameScreenRef below = stack_->Get(Variant(i - 1))) {
        below->Activate();
        below->SlaveClosed(screen->GetName(), result);
      }
    }
  }
  if (loadCompletePending_ && !IsOnStack(splashScreen_)) ShowLoadComplete();
}

void TGame::ShowLoadComplete() {
  ParamsRef params = CreateParams();
  params->SetValue("LoadComplete", Variant(true));
  loadCompletePending_ = false;
  if (ShowScreen(splashScreen_, params)) {
    splashCloseRequested_ = false;
  } else {
    // The loading screen is still on the stack (its disappearing has not ended, or a screen
    // above it keeps it there): show the finished state once it has gone.
    loadCompletePending_ = true;
  }
}

void TGame::ShowMainScreen() {
  if (GameScreenRef top = Top(); top && !splashScreen_.empty() && top->GetName() == splashScreen_)
    CloseScreen(top, nullptr);
  ShowScreen(mainScreen_, nullptr);
}

void TGame::LoadAsync() {
  if (!splashScreen_.empty()) ShowScreen(splashScreen_, nullptr);
  Guarded("loading the resource files", [&] {
    for (int i = 0; i < resourceFiles_->GetCount(); ++i) {
      auto file = resourceFiles_->GetResourceFile(i);
      if (file && file->GetLoadMode() == IResourceFile::kAsynch && engine_)
        engine_->LoadResourceFile(file->GetFileName(), file->GetName(), true);
    }
  });
  if (IsOnStack(splashScreen_)) {
    if (GameScreenRef top = Top(); top && top->GetName() == splashScreen_)
      splashCloseRequested_ = CloseScreen(top, nullptr);
    ShowLoadComplete();
  } else {
    ShowMainScreen();
  }
  loading_ = false;
}

// ---------------------------------------------------------------------------------------------
// Frames and input

void TGame::Update(uint32_t elapsedMs) {
  if (GameScreenRef top = Top()) top->Update(static_cast<int32_t>(elapsedMs));
  // Screens below the top stand still, except one closed just before another was shown: it is
  // still disappearing, and its effect plays on until it leaves the stack.
  for (int i = stack_->GetCount() - 2; i >= 0; --i) {
    if (i >= stack_->GetCount()) continue;
    GameScreenRef screen = stack_->Get(Variant(i));
    if (screen && closingResults_.count(screen->GetName())) screen->Update(static_cast<int32_t>(elapsedMs));
  }
  ProcessClosedScreens();
  if (logosShown_) {
    logosShown_ = IsOnStack(logosScreen_);
    return;
  }
  if (firstUpdatePending_) {
    firstUpdatePending_ = false;
    LoadAsync();
  }
  if (loadCompletePending_) {
    // The loading screen waits below another screen: close it once it is on top.
    if (GameScreenRef top = Top(); top && !splashCloseRequested_ && top->GetName() == splashScreen_)
      splashCloseRequested_ = CloseScreen(top, nullptr);
  }
  if (!cursorAccess_ || !engine_) return;
  if (WidgetRef widget = cursorAccess_->CurrentWidget()) {
    const TPoint pointer = engine_->GetCursorPos();
    const TPoint hotspot = cursorAccess_->CurrentHotspot();
    widget->SetAnchorLeft(pointer.x - hotspot.x);
    widget->SetAnchorTop(pointer.y - hotspot.y);
    widget->Update(static_cast<int32_t>(elapsedMs));
  }
}

void TGame::Draw(const SurfaceRef& surface) {
  std::vector<GameScreenRef> screens = StackSnapshot(*stack_);
  std::vector<TRect> rects;
  rects.reserve(screens.size());
  for (const GameScreenRef& screen : screens) rects.push_back(screen->GetWindowRect());
  for (size_t i = 0; i < screens.size(); ++i) {
    bool covered = false;
    for (size_t j = i + 1; j < screens.size() && !covered; ++j) covered = Covers(rects[j], rects[i]);
    if (!covered) screens[i]->Draw(surface);
  }
  if (cursorAccess_) {
    if (WidgetRef widget = cursorAccess_->CurrentWidget())
      widget->Draw(surface, Round32(widget->GetAnchorLeft()), Round32(widget->GetAnchorTop()));
  }
}

void TGame::AfterUpdate() {
  for (const GameScreenRef& screen : StackSnapshot(*stack_)) screen->FlushChanges();
  if (cursorAccess_)
    if (WidgetRef widget = cursorAccess_->CurrentWidget()) widget->UpdateDirtyRects(false, false);
}

bool TGame::MouseEvent(uint32_t message, const TPoint& point, uint32_t keyFlags) {
  GameScreenRef top = Top();
  if (!top) return false;
  bool handled = top->MouseEvent(message, point, keyFlags);
  if (handled && (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN) &&
      cursorAccess_) {
    if (WidgetRef widget = cursorAccess_->CurrentWidget()) widget->Restart();
  }
  return handled;
}

bool TGame::KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  bool result = false;
  if (GameScreenRef top = Top()) result = top->KeyEvent(message, wParam, lParam);
  if (message != WM_CHAR || (lParam & kAltContextBit) == 0) return result;
  const char* setting = nullptr;
  if (wParam == '\r')
    setting = "FullScreenMode";
  else if (wParam == 'F' || wParam == 'f')
    setting = "ShowFPS";
  else if (wParam == 'R' || wParam == 'r')
    setting = "ShowRects";
  if (!setting) return result;
  EngineRef engine = engine_;
  const bool on = engine && IsYesValue(engine->GetConfigValue(setting));
  SetOption(setting, on ? "no" : "yes");
  return true;
}

void TGame::FocusChanged(bool focused) {
  for (const GameScreenRef& screen : StackSnapshot(*stack_)) screen->FocusChanged(focused);
}

bool TGame::CanClose() {
  if (loading_) return false;
  if (!closeQueryScreen_.empty() && !IsOnStack(closeQueryScreen_) && screens_->Exists(closeQueryScreen_)) {
    ShowScreen(closeQueryScreen_, nullptr);
    return false;
  }
  return true;
}

void TGame::InvalidateRect(const TRect& rect) {
  if (EngineRef engine = engine_) engine->InvalidateRect(rect);
}

std::shared_ptr<IHighScores> TGame::GetHighScores() { return highScores_; }
std::shared_ptr<IUserProfileCollection> TGame::GetProfiles() { return profiles_; }
std::shared_ptr<ILevelRecords> TGame::GetLevelRecords() { return levelRecords_; }

}  // namespace kestrelle
