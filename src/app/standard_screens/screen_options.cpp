#include "app/standard_screens/screen_options.h"

#include "app/standard_screens/screen_helpers.h"
#include "data/numbers.h"

namespace kestrelle {

namespace {

bool IsYes(const Variant& value) {
  try {
    return value.ToString() == "yes";
  } catch (...) {
    return false;
  }
}

// A track bar filled from a volume: hidden when the value is Null; text that is not a decimal
// integer shows 0.
void FillTrackBar(const WidgetRef& trackBar, const Variant& value) {
  if (!trackBar) return;
  if (value.IsNull()) {
    trackBar->SetVisible(false);
    return;
  }
  int64_t position = 0;
  try {
    if (value.IsInteger())
      position = value.ToInt(0);
    else if (!ParseInt(value.ToString(), position))
      position = 0;
  } catch (...) {
    position = 0;
  }
  trackBar->SetProperty("position", Variant(position));
}

std::string PositionText(const WidgetRef& trackBar) {
  try {
    return std::to_string(trackBar->GetProperty("position").ToInt(0));
  } catch (...) {
    return "0";
  }
}

Variant EngineValue(const EngineRef& engine, const char* name) {
  return engine ? engine->GetConfigValue(name) : Variant(Null{});
}

}  // namespace

void TGameScreenOptions::FillCheckBox(const WidgetRef& checkBox, const Variant& value) {
  if (!checkBox) return;
  if (value.IsNull()) {
    checkBox->SetVisible(false);
    return;
  }
  checkBox->SetProperty("CheckBoxState", Variant(IsYes(value)));
}

void TGameScreenOptions::OnShowing(const ParamsRef& params) {
  TGameScreen::OnShowing(params);
  EngineRef engine = GetEngine();
  GameScreenOwnerRef owner = GetOwner();
  FillCheckBox(screenMode_, EngineValue(engine, "FullScreenMode"));
  FillCheckBox(showHints_, owner ? owner->GetSetting("ShowHints") : Variant(Null{}));
  FillTrackBar(soundVolume_, EngineValue(engine, "SoundVolume"));
  FillTrackBar(musicVolume_, EngineValue(engine, "MusicVolume"));
}

void TGameScreenOptions::SetOwner(const GameScreenOwnerRef& owner) {
  TGameScreen::SetOwner(owner);
  showHints_ = FindWidget("checkbox_showhints");
  screenMode_ = FindWidget("checkbox_screenmode");
  soundVolume_ = FindWidget("trackbar_soundvolume");
  musicVolume_ = FindWidget("trackbar_musicvolume");
}

void TGameScreenOptions::Finalize() {
  showHints_.reset();
  screenMode_.reset();
  soundVolume_.reset();
  musicVolume_.reset();
  TGameScreen::Finalize();
}

bool TGameScreenOptions::KeyEvent(uint32_t message, uintptr_t wParam, intptr_t lParam) {
  if (TGameScreen::KeyEvent(message, wParam, lParam)) return true;
  if (message != screens::kMessageKeyDown || wParam != screens::kKeyEscape) return false;
  if (GameScreenOwnerRef owner = GetOwner()) owner->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
  return true;
}

void TGameScreenOptions::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreen::OnEvent(sender, code, params);
  GameScreenOwnerRef owner = GetOwner();
  if (!owner || !sender) return;
  std::string name = sender->GetName();
  switch (code) {
    case screens::kEventClicked:
      if (name == "button_close")
        owner->CloseScreen(SelfAs<IGameScreenSlave>(), nullptr);
      else if (name == "button_highscores")
        owner->ShowScreen("GS_HighScores", nullptr);
      break;
    case screens::kEventCheckBoxToggled:
      if (name == "checkbox_screenmode")
        owner->SetOption("FullScreenMode", screens::CheckBoxText(sender));
      else if (name == "checkbox_showhints")
        owner->SetOption("ShowHints", screens::CheckBoxText(sender));
      break;
    case screens::kEventTrackBarMoved:
      if (name == "trackbar_soundvolume") {
        owner->SetOption("SoundVolume", PositionText(sender));
        sender->PlaySound("sound_checksoundvolume", false, 0, 0);
      } else if (name == "trackbar_musicvolume") {
        owner->SetOption("MusicVolume", PositionText(sender));
      }
      break;
    default:
      break;
  }
}

void TGameScreenOptionsWideScreen::OnShowing(const ParamsRef& params) {
  TGameScreenOptions::OnShowing(params);
  EngineRef engine = GetEngine();
  FillCheckBox(wideScreen_, engine ? engine->GetConfigValue("WideScreenMode") : Variant(Null{}));
}

void TGameScreenOptionsWideScreen::SetOwner(const GameScreenOwnerRef& owner) {
  TGameScreenOptions::SetOwner(owner);
  wideScreen_ = FindWidget("checkbox_widescreen");
}

void TGameScreenOptionsWideScreen::Finalize() {
  wideScreen_.reset();
  TGameScreenOptions::Finalize();
}

void TGameScreenOptionsWideScreen::OnEvent(const WidgetRef& sender, int32_t code, const ParamsRef& params) {
  TGameScreenOptions::OnEvent(sender, code, params);
  if (code != screens::kEventCheckBoxToggled || screens::WidgetName(sender) != "checkbox_widescreen") return;
  if (GameScreenOwnerRef owner = GetOwner()) owner->SetOption("WideScreenMode", screens::CheckBoxText(sender));
}

}  // namespace kestrelle
