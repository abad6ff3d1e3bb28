#include "app/game_screen.h"

#include "app/cursors.h"
#include "app/sounds.h"
#include "data/class_registry.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "platform/messages.h"

namespace kestrelle {
namespace {

constexpr uintptr_t kTabKey = 9;

// An integer attribute; an unreadable value leaves `value` as it was.
void ReadIntIfValid(const StorageRef& storage, const std::string& name, int32_t& value) {
  const Variant raw = storage->ReadValue(name, Variant());
  if (raw.IsEmptyOrNull()) return;
  int64_t parsed = 0;
  if (ParseIntOrHex(raw.ToString(), parsed) && parsed >= INT32_MIN && parsed <= INT32_MAX)
    value = static_cast<int32_t>(parsed);
}

}  // namespace

const TPropertyTable& TGameScreen::GetPropertyTable() const {
  static const TPropertyTable table(
      TPropertyObject::GetPropertyTable(),
      {
          Property("cursor_name", &TGameScreen::cursorName_).KeepWhenMissing().SavedIfNotDefault(),
      });
  return table;
}

void TGameScreen::Initialize() {
  TPropertyObject::Initialize();
  storageName_ = "gamescreen";
  left_ = top_ = 0;
  window_ = std::dynamic_pointer_cast<IWidget>(CreateObjectFromString(kScreenWindowClassName));
}

void TGameScreen::LoadProperties(const StorageRef& storage) {
  TPropertyObject::LoadProperties(storage);
  StorageRef window = storage->GetChild("window", 0);
  if (!window) {
    // A screen without a window draws nothing and takes no input.
    window_.reset();
    return;
  }
  ReadIntIfValid(window, "left", left_);
  ReadIntIfValid(window, "top", top_);
  if (window_) {
    if (auto persistent = std::dynamic_pointer_cast<IPersistent>(window_)) persistent->LoadFromStorage(window);
    window_->SetAnchorLeft(left_);
    window_->SetAnchorTop(top_);
    // The mouse reaches the children only through a root that takes it.
    window_->SetMouseStop(true);
  }
  musics_ = std::dynamic_pointer_cast<IMusicCollection>(
      CreateAndLoadChild(&MakeObject<TMusicCollection>, window, "musics", 0));
  sounds_ = std::dynamic_pointer_cast<ISoundCollection>(
      CreateAndLoadChild(&MakeObject<TSoundCollection>, window, "sounds", 0));
}

void TGameScreen::SaveProperties(const StorageRef& storage) {
  TPropertyObject::SaveProperties(storage);
  if (!window_) return;
  StorageRef window = storage->AddChild("window");
  if (!window) return;
  if (auto persistent = std::dynamic_pointer_cast<IPersistent>(window_)) persistent->SaveToStorage(window);
  WriteInt(window, "left", left_);
  WriteInt(window, "top", top_);
  if (musics_) SaveChildObject(musics_, window, "musics");
  // The window widget keeps its own copy of the sounds of this element and has written them.
  if (sounds_ && window->GetChildCount("sounds") == 0) SaveChildObject(sounds_, window, "sounds");
}

void TGameScreen::Reset() {
  TPropertyObject::Reset();
  if (auto persist = std::dynamic_pointer_cast<IPersistObject>(window_)) persist->Reset();
  sounds_.reset();
  musics_.reset();
}

void TGameScreen::OnShow() {
  PlaySound("sound_show_window");
  PlayMusic("music_background");
}

void TGameScreen::OnHide() {
  PlaySound("sound_hide_window");
  StopMusic("music_background");
}

void TGameScreen::SetOwner(const GameScreenOwnerRef& owner) {
  owner_ = owner;
  if (window_) window_->SetOwner(SelfAs<IWidgetOwner>());
}

void TGameScreen::Finalize() {
  params_.reset();
  captured_.reset();
  focused_.reset();
  if (window_) window_->ClearOwner();
  owner_.reset();
}

void TGameScreen::Show(const ParamsRef& params) {
  hidden_ = false;
  showing_ = true;
  OnShowing(params);
  active_ = true;
  OnShow();
  ResetInput();
  if (WidgetRef first = NextTabStop(-1)) {
    focused_ = first;
    first->FocusGained();
  }
  // The cursor: the previous one is remembered so that Hide can bring it back; an unknown name
  // leaves the current cursor as it is.
  previousCursor_.clear();
  if (CursorCollectionRef cursors = GameCursors()) {
    if (CursorRef current = cursors->GetCurrent()) previousCursor_ = current->GetName();
    cursors->SetCurrent(cursorName_.empty() ? cursors->GetDefaultName() : cursorName_);
  }
  if (window_) window_->SetVisible(true);
  params_ = params;
  CheckShown();
}

void TGameScreen::Hide() {
  hidden_ = true;
  params_.reset();
  OnHide();
  if (WidgetRef focused = std::move(focused_)) {
    focused_.reset();
    focused->FocusLost();
  }
  // A press held while the screen goes ends here, not at the next showing.
  ReleaseCapture();
  if (window_) window_->SetVisible(false);
  if (!previousCursor_.empty()) {
    if (CursorCollectionRef cursors = GameCursors()) cursors->SetCurrent(previousCursor_);
  }
}

std::shared_ptr<ICursorCollection> TGameScreen::GameCursors() {
  GameScreenOwnerRef owner = owner_.lock();
  return owner ? owner->GetCursors() : nullptr;
}

void TGameScreen::CheckShown() {
  if (!showing_) return;
  bool applying = false;
  if (window_) {
    try {
      applying = window_->GetProperty("applyingeffect").ToBool(false);
    } catch (...) {
      applying = false;
    }
  }
  if (applying) return;
  // OnShown may close or show screens; the flag is cleared first so that it runs once.
  showing_ = false;
  OnShown(params_);
}

void TGameScreen::Update(int32_t elapsedMs) {
  // A hidden screen still on the stack is playing its disappearing effect, even below another.
  if (!active_ && !hidden_) return;
  if (window_) window_->Update(elapsedMs);
  CheckShown();
}

void TGameScreen::Draw(const SurfaceRef& surface) {
  if (!window_ || !surface) return;
  window_->Draw(surface, Round32(window_->GetAnchorLeft()), Round32(window_->GetAnchorTop()));
}

TRect TGameScreen::GetWindowRect() { return window_ ? window_->GetRect() : TRect{}; }

bool TGameScreen::MouseEvent(uint32_t message, const TPoint& point, uint32_t keyFlags) {
  if (WidgetRef captured = captured_) return captured->MouseEvent(message, point, keyFlags);
  if (!window_) return false;
  WidgetRef target = window_->WidgetAtPoint(point);
  if (!target || !target->GetMouseStop()) return false;
  return target->MouseEvent(message, point, keyFlags);
}

bool TGameScreen::KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (!focused_) SetFocus(NextTabStop(-1));
  WidgetRef focused = focused_;
  if (!focused) return false;
  if (focused->KeyEvent(message, wParam, lParam)) return true;
  if (wParam != kTabKey || message != WM_KEYUP) return false;
  WidgetCollectionRef widgets = GetWidgets();
  const int position = widgets ? widgets->IndexOf(focused->GetName()) : -1;
  SetFocus(NextTabStop(position));
  return focused_ != nullptr;
}

WidgetRef TGameScreen::NextTabStop(int position) {
  WidgetCollectionRef widgets = GetWidgets();
  if (!widgets) return nullptr;
  const int count = widgets->GetCount();
  const auto candidate = [&](int i) -> WidgetRef {
    WidgetRef widget = widgets->GetByIndex(i);
    return widget && widget->GetTabStop() && widget->GetVisible() ? widget : nullptr;
  };
  for (int i = position + 1; i < count; ++i)
    if (WidgetRef widget = candidate(i)) return widget;
  for (int i = 0; i <= position && i < count; ++i)
    if (WidgetRef widget = candidate(i)) return widget;
  return nullptr;
}

bool TGameScreen::FlushChanges() {
  // A hidden screen still on the stack is disappearing: its effect reports what it changes.
  if ((active_ || wasActive_ || hidden_) && window_) window_->UpdateDirtyRects(false, false);
  wasActive_ = active_;
  return active_;
}

// A screen without a window counts as shown until it is hidden.
bool TGameScreen::IsShown() { return window_ ? window_->GetVisible() : !hidden_; }

WindowRef TGameScreen::GetWindowInterface() { return SelfAs<IWindow>(); }

void TGameScreen::Deactivate() {
  active_ = false;
  // Input goes to the screen on top now: a drag begun here must not wait for it to close.
  ReleaseCapture();
}

void TGameScreen::SetCapture(const WidgetRef& widget) {
  if (WidgetRef previous = std::move(captured_)) previous->CaptureLost();
  captured_ = widget;
}

void TGameScreen::ReleaseCapture() {
  if (WidgetRef previous = std::move(captured_)) previous->CaptureLost();
  captured_.reset();
}

void TGameScreen::SetFocus(const WidgetRef& widget) {
  if (WidgetRef previous = std::move(focused_)) previous->FocusLost();
  focused_ = widget;
  if (widget) widget->FocusGained();
}

void TGameScreen::ClearFocus() {
  if (WidgetRef previous = std::move(focused_)) previous->FocusLost();
  focused_.reset();
}

WidgetCollectionRef TGameScreen::GetWidgets() { return window_ ? window_->GetWidgets() : nullptr; }

void TGameScreen::ResetInput() {
  // The captured control hears of it so that it stops being pressed; the focus is only forgotten.
  ReleaseCapture();
  focused_.reset();
  if (window_) window_->Invalidate();
}

WidgetRef TGameScreen::WidgetAtPoint(const TPoint& point) { return window_ ? window_->WidgetAtPoint(point) : nullptr; }

WidgetRef TGameScreen::FindWidget(const std::string& path) { return window_ ? window_->FindWidget(path) : nullptr; }

AudioHandle TGameScreen::PlaySound(const std::string& name) {
  std::shared_ptr<ISound> sound = sounds_ ? sounds_->Get(Variant(name)) : nullptr;
  EngineRef engine = sound ? GetEngine() : nullptr;
  return engine ? engine->PlaySound(sound) : 0;
}

void TGameScreen::StopSound(const std::string& name) {
  std::shared_ptr<ISound> sound = sounds_ ? sounds_->Get(Variant(name)) : nullptr;
  if (EngineRef engine = sound ? GetEngine() : nullptr) engine->StopSound(sound);
}

void TGameScreen::PlayMusic(const std::string& name) {
  std::shared_ptr<IMusic> music = musics_ ? musics_->Get(Variant(name)) : nullptr;
  if (EngineRef engine = music ? GetEngine() : nullptr) engine->PlayMusic(music);
}

void TGameScreen::StopMusic(const std::string& name) {
  std::shared_ptr<IMusic> music = musics_ ? musics_->Get(Variant(name)) : nullptr;
  if (EngineRef engine = music ? GetEngine() : nullptr) engine->StopMusic(music);
}

EngineRef TGameScreen::GetEngine() {
  GameScreenOwnerRef owner = owner_.lock();
  return owner ? owner->GetEngine() : nullptr;
}

WindowRef TGameScreen::GetWindow() { return SelfAs<IWindow>(); }

EventHandlerRef TGameScreen::GetEventHandler() { return SelfAs<IEventHandler>(); }

void TGameScreen::InvalidateRect(const TRect& rect) {
  if (EngineRef engine = GetEngine()) engine->InvalidateRect(rect);
}

void TGameScreen::HandleWidgetEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  OnEvent(sender, code, params);
}

GameScreenOwnerRef TGameScreen::GetGameOwner() {
  GameScreenOwnerRef owner = owner_.lock();
  return owner ? owner->GetGameOwner() : nullptr;
}

void RegisterScreenClasses() { RegisterObjectClass<TGameScreen>("GameScreen"); }

}  // namespace kestrelle
