#include "game/minigames/diffs/diffs_control.h"

#include <vector>

#include "app/cursors.h"
#include "app/standard_screens/screen_helpers.h"
#include "game/minigames/diffs/diff_rules.h"
#include "game/minigames/minigame_codes.h"
#include "game/minigames/widget_children.h"

namespace kestrelle {

void TKestrelleControlGameDiffs::Initialize() {
  TKestrelleMinigameControl::Initialize();
  found_ = 0;
  total_ = 0;
  cursorOffset_ = {0, 0};
}

void TKestrelleControlGameDiffs::SetOwner(const WidgetOwnerRef& owner) {
  TKestrelleMinigameControl::SetOwner(owner);
  picture1_ = FindWidget("group1");
  picture2_ = FindWidget("group2");
  secondCursor_ = FindWidget("second_cursor");
}

void TKestrelleControlGameDiffs::ClearOwner() {
  picture1_.reset();
  picture2_.reset();
  secondCursor_.reset();
  TKestrelleMinigameControl::ClearOwner();
}

void TKestrelleControlGameDiffs::OtherCommand(int32_t code, const ParamsRef&) {
  if (code == minigame_codes::kHint) Hint();
}

void TKestrelleControlGameDiffs::ScenarioFinalized(const std::string& name, const ParamsRef& params) {
  // The end scenario starts only once the play is over: its report is the report to the screen.
  if (name == "scenario_end_level")
    ReportFinished();
  else
    TKestrelleMinigameControl::ScenarioFinalized(name, params);
}

void TKestrelleControlGameDiffs::PlayBegins() { SetTimerPaused(false); }

void TKestrelleControlGameDiffs::OtherScenarioFinished(const std::string& name, const ParamsRef&) {
  if (name != "scenario_find_diff") return;
  ++found_;
  if (WidgetRef counter = FrameWidget("panel/counter"))
    counter->SetProperty("text", Variant(std::to_string(total_ - found_)));
  if (found_ == total_) Finish();
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
  if (auto diffs = definition_ ? definition_->GetDiffs() : nullptr) {
    for (int i = 0; i < diffs->GetCount(); ++i) {
      auto diff = diffs->GetItem(i);
      if (!diff) continue;
      ParamsRef params = CreateParams();
      params->SetValue("name", Variant(diff->GetName()));
      params->SetValue("anchor_left", diff->GetProperty("x"));
      params->SetValue("anchor_top", diff->GetProperty("y"));
      for (const char* name : {"transparentlevel", "zoom", "angle", "width", "height", "resourcename"})
        params->SetValue(name, diff->GetProperty(name));
      params->SetValue("centerx", Variant(0));
      params->SetValue("centery", Variant(0));
      const bool first = diff->GetProperty("groupname").ToString() == "group1";
      CreateChildWidget(Diffs(first ? picture1_ : picture2_), "diff_image", params);
    }
  }

  if (WidgetRef timer = FindWidget("timer")) {
    timer->SetProperty("currenttime", Variant(0));
    timer->SetPaused(true);
  }
  if (WidgetRef counter = FrameWidget("panel/counter")) {
    found_ = 0;
    total_ = static_cast<int32_t>(DefinitionInt("diffs_cnt"));
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
  TKestrelleMinigameControl::DoUpdate(elapsedMs);
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
  const bool handled = TKestrelleMinigameControl::MouseDown(point, keys, button);
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

void TKestrelleControlGameDiffs::Hint() {
  if (state_ != kStatePlaying) return;
  std::vector<WidgetRef> patches = ChildrenOf(Diffs(picture1_));
  for (const WidgetRef& patch : ChildrenOf(Diffs(picture2_))) patches.push_back(patch);
  std::erase_if(patches, [](const WidgetRef& patch) { return patch->GetDead(); });
  if (const std::optional<int32_t> k = HintPatch(total_, found_, static_cast<int32_t>(patches.size())))
    patches[static_cast<size_t>(*k)]->Restart();
  if (WidgetRef hint = FrameWidget("button_hint")) {
    hint->Restart();
    hint->SetEnabled(false);
  }
}

void TKestrelleControlGameDiffs::EndPlay() {
  SetTimerPaused(true);
  if (WidgetRef hint = FrameWidget("button_hint")) hint->SetEnabled(true);
  if (!StartScenario("scenario_end_level")) ReportFinished();
}

}  // namespace kestrelle
