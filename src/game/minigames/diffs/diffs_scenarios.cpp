#include "game/minigames/diffs/diffs_scenarios.h"

#include <algorithm>

#include "data/numbers.h"

namespace kestrelle {

namespace {

// The control's two pictures.
std::vector<WidgetRef> Pictures(const std::function<WidgetRef(const std::string&)>& find) {
  std::vector<WidgetRef> pictures;
  for (const char* path : {"../group1", "../group2"})
    if (WidgetRef picture = find(path)) pictures.push_back(picture);
  return pictures;
}

void StepAll(const std::vector<AnchorSlide>& slides, double p) {
  for (const auto& slide : slides) slide.Step(p);
}

}  // namespace

void TScenarioDiffsStartLevel::Initialize() {
  TMinigameScenario::Initialize();
  pictures_.clear();
  AddInstantState("enter", "start_level", [this](TState&) {
    SlideFrameIn();
    for (const WidgetRef& picture : Pictures([this](const std::string& path) { return FindFromOwner(path); }))
      pictures_.push_back({picture, false, picture->GetAnchorTop(), RealProperty(picture, "init_y")});
  });
  AddTimedState(
      "start_level", "show_level", [this] { return duration_; }, {},
      [this](double p) {
        StepSlides(p);
        StepAll(pictures_, ProgressOver(1.7));
      });
  AddInstantState("show_level", "exit");
  AddInstantState("exit", "", [this](TState&) { DieThenReport(); });
}

void TScenarioDiffsEndLevel::Initialize() {
  TMinigameScenario::Initialize();
  pictures_.clear();
  auto pictures = [this] { return Pictures([this](const std::string& path) { return FindFromOwner(path); }); };
  AddInstantState("enter", "end_level", [this, pictures](TState&) {
    SlideButtonsOut();
    for (const WidgetRef& picture : pictures())
      pictures_.push_back({picture, true, picture->GetAnchorLeft(), RealProperty(picture, "middle_x")});
  });
  AddTimedState(
      "end_level", "pause", [this] { return duration_; }, {},
      [this](double p) {
        StepSlides(p);
        if (WidgetRef panel = FindOnScreen("panel")) panel->SetAnchorTop(p * -panel->GetHeight());
        StepAll(pictures_, ProgressOver(1.3));
      });
  AddTimedState("pause", "final", [this] { return pauseDuration_; });
  AddTimedState(
      "final", "exit", [this] { return finalDuration_; },
      [this, pictures](TState&) {
        pictures_.clear();
        for (const WidgetRef& picture : pictures())
          pictures_.push_back({picture, false, picture->GetAnchorTop(), static_cast<double>(-picture->GetHeight())});
      },
      [this](double) { StepAll(pictures_, ProgressOver(1.3)); });
  AddInstantState("exit", "", [this](TState&) { Finalize(); });
}

const TPropertyTable& TScenarioDiffsFindDiff::GetPropertyTable() const {
  using T = TScenarioDiffsFindDiff;
  static const TPropertyTable table(TMinigameScenario::GetPropertyTable(), {
                                                                               Property("diff_name", &T::diffName_),
                                                                           });
  return table;
}

void TScenarioDiffsFindDiff::Initialize() {
  TMinigameScenario::Initialize();
  AddInstantState("enter", "hide_diff", [this](TState&) {
    patch_ = FindFromOwner("../" + diffName_);
    particles_ = FindWidget("ps_selecteddiff");
  });
  AddTimedState(
      "hide_diff", "exit", [this] { return duration_; },
      [this](TState&) {
        WidgetRef patch = patch_.lock();
        WidgetRef particles = particles_.lock();
        if (!patch || !particles) return;
        // The burst starts where the patch lies on its picture.
        WidgetOwnerRef diffs = patch->GetOwner();
        WidgetRef group = diffs ? diffs->FindWidget("..") : nullptr;
        const double groupLeft = group ? group->GetAnchorLeft() : 0;
        const double groupTop = group ? group->GetAnchorTop() : 0;
        particles->SetProperty("surface", Variant(InterfaceRef(patch->CreateImage())));
        particles->SetProperty("emission_x", Variant(groupLeft + patch->GetLeft()));
        particles->SetProperty("emission_y", Variant(groupTop + patch->GetTop()));
        particles->SetProperty("emission_count", Variant(30));
      },
      [this](double) {
        WidgetRef patch = patch_.lock();
        if (!patch || duration_ <= 0) return;
        const double time = std::min<double>(static_cast<double>(GetStateTime()), duration_);
        patch->SetTransparentLevel(Round32(255 - time * 255 / duration_));
      });
  AddInstantState("exit", "", [this](TState&) {
    if (WidgetRef patch = patch_.lock()) patch->SetDead(true);
    ParamsRef params = CreateParams();
    params->SetValue("scenario_to_finalize", Variant(std::string(ReportName())));
    params->SetValue("name", Variant(GetName()));
    ReportToControl(kCommandFinalize, params);
    SetDead(true);
  });
}

}  // namespace kestrelle
