#include "game/minigames/patch_control.h"

#include <optional>

#include "game/minigames/diffs/diff_rules.h"
#include "game/minigames/minigame_codes.h"

namespace kestrelle {

void TKestrellePatchMinigameControl::Initialize() {
  TKestrelleMinigameControl::Initialize();
  found_ = 0;
  total_ = 0;
}

void TKestrellePatchMinigameControl::OtherCommand(int32_t code, const ParamsRef&) {
  if (code == minigame_codes::kHint) Hint();
}

void TKestrellePatchMinigameControl::CreatePatches(const std::function<WidgetRef(TMinigameDefDiff&)>& groupOf) {
  auto diffs = definition_ ? definition_->GetDiffs() : nullptr;
  for (int i = 0; diffs && i < diffs->GetCount(); ++i) {
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
    CreateChildWidget(groupOf(*diff), "diff_image", params);
  }
}

void TKestrellePatchMinigameControl::ResetCount() {
  found_ = 0;
  total_ = static_cast<int32_t>(DefinitionInt("diffs_cnt"));
}

void TKestrellePatchMinigameControl::PatchFound() {
  ++found_;
  if (WidgetRef counter = FrameWidget("panel/counter"))
    counter->SetProperty("text", Variant(std::to_string(total_ - found_)));
  if (found_ == total_) Finish();
}

void TKestrellePatchMinigameControl::Hint() {
  if (state_ != kStatePlaying) return;
  std::vector<WidgetRef> patches = Patches();
  std::erase_if(patches, [](const WidgetRef& patch) { return patch->GetDead(); });
  if (const std::optional<int32_t> k = HintPatch(total_, found_, static_cast<int32_t>(patches.size())))
    patches[static_cast<size_t>(*k)]->Restart();
  if (WidgetRef hint = FrameWidget("button_hint")) {
    hint->Restart();
    hint->SetEnabled(false);
  }
}

void TKestrellePatchMinigameControl::EndPlay() {
  if (WidgetRef hint = FrameWidget("button_hint")) hint->SetEnabled(true);
  if (!StartScenario("scenario_end_level")) ReportFinished();
}

}  // namespace kestrelle
