#include "game/minigames/find_pairs/find_pairs_scenarios.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "data/numbers.h"
#include "game/minigames/variant_numbers.h"

namespace kestrelle {

namespace {

// The value rounded the way the data rounds (halves to even).
double Rounded(double value) { return static_cast<double>(RoundHalfEven(value)); }

WidgetRef RotateOf(const std::weak_ptr<IWidget>& element) {
  WidgetRef widget = element.lock();
  return widget ? widget->FindWidget("rotate") : nullptr;
}

}  // namespace

void TFindPairsScenario::Initialize() {
  TControlStateScenario::Initialize();
  wait_ = 0;
}

const TPropertyTable& TFindPairsScenario::GetPropertyTable() const {
  using T = TFindPairsScenario;
  static const TPropertyTable table(TControlStateScenario::GetPropertyTable(), {
                                                                                   Property("duration", &T::duration_),
                                                                                   Property("name1", &T::name1_),
                                                                                   Property("name2", &T::name2_),
                                                                               });
  return table;
}

double TFindPairsScenario::Progress() const {
  if (wait_ <= 0) return 1;
  return std::min(static_cast<double>(GetStateTime()) / wait_, 1.0);
}

double TFindPairsScenario::Eased() const { return std::sin(Progress() * std::numbers::pi / 2); }

void TFindPairsScenario::FindPair() {
  WidgetRef control = GetControlGame();
  if (!control) return;
  for (auto [name, slot] : {std::pair{&name1_, &first_}, std::pair{&name2_, &second_}}) {
    WidgetRef element = name->empty() ? nullptr : control->FindWidget("elements/" + *name);
    if (element) element->SetPaused(true);
    *slot = element;
  }
}

void TFindPairsScenario::FindFrame() {
  WidgetRef control = GetControlGame();
  frame_ = control ? control->FindWidget("../frame_black") : nullptr;
}

void TFindPairsScenario::BeginMove() {
  SetWait(duration_);
  auto start = [](const std::weak_ptr<IWidget>& element) {
    Glide glide;
    if (WidgetRef widget = element.lock()) {
      glide.x = Rounded(widget->GetAnchorLeft());
      glide.y = Rounded(widget->GetAnchorTop());
      glide.angle = Rounded(RealOf(widget->GetProperty("angle")));
    }
    return glide;
  };
  from1_ = start(first_);
  from2_ = start(second_);
  toAngle_ = Rounded((from1_.angle + from2_.angle) / 2);
  WidgetRef rotate = RotateOf(first_);
  toX_ = Rounded(512 - (rotate ? RealOf(rotate->GetProperty("centerx")) : 0));
  toY_ = 200;
}

void TFindPairsScenario::MoveStep(double eased) {
  for (auto [element, from] : {std::pair{&first_, &from1_}, std::pair{&second_, &from2_}}) {
    WidgetRef widget = element->lock();
    if (!widget) continue;
    widget->SetAnchorLeft(from->x + eased * (toX_ - from->x));
    widget->SetAnchorTop(from->y + eased * (toY_ - from->y));
    widget->SetProperty("angle", Variant(from->angle + eased * (toAngle_ - from->angle)));
  }
}

void TFindPairsScenario::BeginText(const std::string& levelName) {
  SetWait(duration_);
  ParamsRef params = CreateParams();
  params->SetValue("LevelName", Variant(levelName));
  WidgetRef text = CreateChildWidget(Self(), "text_visualization", params, false);
  if (!text) return;
  text->SetProperty("InitVizualization", Variant(std::string("yes")));
  SetWait(Round32(RealOf(text->GetProperty("visualization_time")) * 1.1));
  text_ = text->FindWidget("text");
}

void TFindPairsScenario::SetPairLevel(int32_t level) {
  for (const std::weak_ptr<IWidget>* element : {&first_, &second_})
    if (WidgetRef rotate = RotateOf(*element)) rotate->SetTransparentLevel(level);
}

void TFindPairsScenario::SetLevel(const std::weak_ptr<IWidget>& widget, double level) {
  if (WidgetRef target = widget.lock()) target->SetTransparentLevel(Round32(level));
}

// ---------------------------------------------------------------------------------------------

void TScenarioFindPairsEndRound::Initialize() {
  TFindPairsScenario::Initialize();
  AddState("enter", "move", {}, {}, {}, [this](TState&) {
    FindPair();
    FindFrame();
  });
  AddState(
      "move", "fade_in", [this](TState&, int32_t) { MoveStep(Eased()); }, {}, WaitPassed(),
      [this](TState&) { BeginMove(); });
  AddState(
      "fade_in", "fade_out",
      [this](TState&, int32_t) {
        SetPairLevel(Round32(255 - 255 * Progress()));
        SetLevel(frame_, 90 * Progress());
      },
      {}, WaitPassed(), [this](TState&) { BeginText("%next_round%"); });
  AddState(
      "fade_out", "exit",
      [this](TState&, int32_t) {
        SetLevel(text_, 255 - 255 * Progress());
        SetLevel(frame_, 90 - 90 * Progress());
      },
      {}, WaitPassed(), [this](TState&) { SetWait(duration_); });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Finalize(); });
}

void TFindPairsScenario::AddDarkenStates(const std::string& levelName) {
  AddState("enter", "fade_in", {}, {}, {}, [this](TState&) { FindFrame(); });
  AddState(
      "fade_in", "fade_out", [this](TState&, int32_t) { SetLevel(frame_, 110 * Progress()); }, {}, WaitPassed(),
      [this, levelName](TState&) { BeginText(levelName); });
  AddState(
      "fade_out", "exit",
      [this](TState&, int32_t) {
        SetLevel(frame_, 110 - 110 * Progress());
        SetLevel(text_, 255 - 255 * Progress());
      },
      {}, WaitPassed(), [this](TState&) { SetWait(duration_); });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Finalize(); });
}

void TScenarioFindPairsFailedRound::Initialize() {
  TFindPairsScenario::Initialize();
  AddDarkenStates("%round_failed%");
}

void TScenarioFindPairsEndLevel::Initialize() {
  TFindPairsScenario::Initialize();
  AddState("enter", "move", {}, {}, {}, [this](TState&) {
    FindPair();
    WidgetRef control = GetControlGame();
    WidgetOwnerRef screen = control ? control->GetOwner() : nullptr;
    auto frameWidget = [&](const char* name) { return screen ? screen->FindWidget(name) : nullptr; };
    menu_ = frameWidget("button_menu");
    skip_ = frameWidget("button_skip");
    panel_ = frameWidget("panel");
    if (WidgetRef menu = menu_.lock()) {
      menuFrom_ = menu->GetAnchorLeft();
      menuTo_ = -menu->GetWidth();
    }
    if (WidgetRef skip = skip_.lock()) skipFrom_ = skip->GetAnchorLeft();
  });
  AddState(
      "move", "fade_in",
      [this](TState&, int32_t) {
        MoveStep(Eased());
        const double p = Progress();
        if (WidgetRef menu = menu_.lock()) menu->SetAnchorLeft(menuFrom_ + p * (menuTo_ - menuFrom_));
        if (WidgetRef skip = skip_.lock()) skip->SetAnchorLeft(skipFrom_ + p * (1024 - skipFrom_));
        if (WidgetRef panel = panel_.lock()) panel->SetAnchorTop(-panel->GetHeight() * p);
      },
      {}, WaitPassed(), [this](TState&) { BeginMove(); });
  AddState(
      "fade_in", "fade_out", [this](TState&, int32_t) { SetPairLevel(Round32(255 - 255 * Progress())); }, {},
      WaitPassed(), [this](TState&) { BeginText("%minigame_completed%"); });
  AddState(
      "fade_out", "exit", [this](TState&, int32_t) { SetLevel(text_, 255 - 255 * Progress()); }, {}, WaitPassed(),
      [this](TState&) { SetWait(duration_); });
  AddState("exit", "", {}, {}, {}, [this](TState&) { Finalize(); });
}

}  // namespace kestrelle
