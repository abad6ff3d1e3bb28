#include "game/minigames/diffs/diffs_control.h"

#include <vector>

#include "app/cursors.h"
#include "app/standard_screens/screen_helpers.h"
#include "game/minigames/diffs/diff_rules.h"
#include "game/minigames/widget_children.h"

namespace kestrelle {

void TKestrelleControlGameDiffs::Initialize() {
  TKestrellePatchMinigameControl::Initialize();
  cursorOffset_ = {0, 0};
}

void TKestrelleControlGameDiffs::SetOwner(const WidgetOwnerRef& owner) {
  TKestrellePatchMinigameControl::SetOwner(owner);
  picture1_ = FindWidget("group1");
  picture2_ = FindWidget("group2");
  secondCursor_ = FindWidget("second_cursor");
}

void TKestrelleControlGameDiffs::ClearOwner() {
  picture1_.reset();
  picture2_.reset();
  secondCursor_.reset();
  TKestrellePatchMinigameControl::ClearOwner();
}

void TKestrelleControlGameDiffs::ScenarioFinalized(const std::string& name, const ParamsRef& params) {
  // The end scenario starts only once the play is over: its report is the report to the screen.
  if (name == "scenario_end_level")
    ReportFinished();
  else
    TKestrellePatchMinigameControl::ScenarioFinalized(name, params);
}

void TKestrelleControlGameDiffs::PlayBegins() { SetTimerPaused(false); }

void TKestrelleControlGameDiffs::OtherScenarioFinished(const std::string& name, const ParamsRef&) {
  if (name == "scenario_find_diff") PatchFound();
}

std::vector<WidgetRef> TKestrelleControlGameDiffs::Patches() {
  std::vector<WidgetRef> patches = ChildrenOf(Diffs(picture1_));
  for (const WidgetRef& patch : ChildrenOf(Diffs(picture2_))) patches.push_back(patch);
  return patches;
}

WidgetRef TKestrelleControlGameDiffs::Diffs(const std::weak_ptr<IWidget>& picture) {
  WidgetRef group = picture.lock();
  return group ? group->FindWidget("diffs") : nullptr;
}

void TKestrelleControlGameDiffs::SetTimerPaused(bool paused) {
  if (WidgetRef timer = FindWidget("timer")) timer->SetPaused(paused);
}

void TKestrelleControlGameDiffs::SetUp() {
  cursorOffset_ = {0, 0};
  GameScreenOwnerRef game = GameOwner();
  CursorCollectionRef cursors = game ? game->GetCursors() : nullptr;
  if (CursorRef cursor = cursors ? cursors->GetCurrent() : nullptr) cursorOffset_ = cursor->GetHotspot();

  EmptyGroup(Diffs(picture1_));
  EmptyGroup(Diffs(picture2_));
  if (WidgetRef hint = FrameWidget("button_hint")) hint->SetEnabled(true);

  const Variant picture = DefinitionValue("resourcename");
  for (const std::weak_ptr<IWidget>* group : {&picture1_, &picture2_})
    if (WidgetRef original = group->lock() ? group->lock()->FindWidget("original_image") : nullptr)
      original->SetProperty("resourcename", picture);
  CreatePatches([this](TMinigameDefDiff& diff) {
    return Diffs(diff.GetProperty("groupname").ToString() == "group1" ? picture1_ : picture2_);
  });

  if (WidgetRef timer = FindWidget("timer")) {
    timer->SetProperty("currenttime", Variant(0));
    timer->SetPaused(true);
  }
  if (WidgetRef counter = FrameWidget("panel/counter")) {
    ResetCount();
    counter->SetProperty("text", Variant(std::to_string(total_)));
  }
  StartWithLevelName();
}

std::optional<TPoint> TKestrelleControlGameDiffs::MirroredPosition() {
  WidgetRef first = picture1_.lock();
  WidgetRef second = picture2_.lock();
  WidgetOwnerRef owner = GetOwner();
  EngineRef engine = owner ? owner->GetEngine() : nullptr;
  if (!first || !second || !engine) return std::nullopt;
  return MirroredPointer(first->ScreenToOwner(engine->GetCursorPos()), first->GetRect(), second->GetRect());
}

void TKestrelleControlGameDiffs::DoUpdate(int32_t elapsedMs) {
  TKestrellePatchMinigameControl::DoUpdate(elapsedMs);
  WidgetRef cursor = secondCursor_.lock();
  if (!cursor) return;
  // Only while the player plays.
  const std::optional<TPoint> mirrored = state_ == kStatePlaying ? MirroredPosition() : std::nullopt;
  if (mirrored) {
    cursor->SetAnchorLeft(mirrored->x - cursorOffset_.x);
    cursor->SetAnchorTop(mirrored->y - cursorOffset_.y);
  }
  cursor->SetVisible(mirrored.has_value());
}

WidgetRef TKestrelleControlGameDiffs::PatchAt(const TPoint& screenPoint) {
  for (const std::weak_ptr<IWidget>* picture : {&picture1_, &picture2_}) {
    WidgetRef diffs = Diffs(*picture);
    if (!diffs) continue;
    // The topmost patch that takes the mouse there.
    const std::vector<WidgetRef> patches = ChildrenOf(diffs);
    for (size_t i = patches.size(); i-- > 0;) {
      const WidgetRef& patch = patches[i];
      if (!patch->GetDead() && patch->WidgetAtPoint(patch->ScreenToOwner(screenPoint))) return patch;
    }
  }
  return nullptr;
}

bool TKestrelleControlGameDiffs::MouseDown(const TPoint& point, uint32_t keys, int32_t button) {
  const bool handled = TKestrellePatchMinigameControl::MouseDown(point, keys, button);
  if (state_ != kStatePlaying) return handled;
  WidgetRef patch = PatchAt(ScreenPoint());
  if (!patch) {
    WidgetRef first = picture1_.lock();
    if (const std::optional<TPoint> mirrored = first ? MirroredPosition() : std::nullopt) {
      // The mirrored point back in screen space: the same shift as in the pictures' space.
      const TPoint local = first->ScreenToOwner(ScreenPoint());
      patch = PatchAt({ScreenPoint().x + mirrored->x - local.x, ScreenPoint().y + mirrored->y - local.y});
    }
  }
  if (!patch) {
    PlayScreenSound("sound_minigame_click");
    return handled;
  }
  PlayScreenSound("sound_minigame_correct_click");
  WidgetOwnerRef diffs = patch->GetOwner();
  WidgetRef diffsGroup = diffs ? diffs->FindWidget("") : nullptr;
  WidgetRef picture = diffs ? diffs->FindWidget("..") : nullptr;
  ParamsRef params = CreateParams();
  params->SetValue("name", Variant(patch->GetName()));
  params->SetValue("diff_name", Variant(screens::WidgetName(picture) + "/" + screens::WidgetName(diffsGroup) + "/" +
                                        patch->GetName()));
  StartScenario("scenario_find_diff", params);
  return handled;
}

void TKestrelleControlGameDiffs::EndPlay() {
  SetTimerPaused(true);
  TKestrellePatchMinigameControl::EndPlay();
}

}  // namespace kestrelle
