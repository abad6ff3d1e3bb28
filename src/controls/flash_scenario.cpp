#include "controls/flash_scenario.h"

#include <cmath>
#include <cstdlib>

#include "app/game_screen_interface.h"
#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/random.h"
#include "data/text_encoding.h"
#include "data/text_lists.h"
#include "data/variant_values.h"
#include "platform/messages.h"

namespace kestrelle {

namespace {

// Scenarios that end at once and start each other ("next" of zero-length runs in a ring) would
// recurse without end; a chain this deep is cut with a log line.
constexpr int kMaxChainDepth = 32;
int chainDepth = 0;

struct ChainStep {
  ChainStep() { ++chainDepth; }
  ~ChainStep() { --chainDepth; }
  ChainStep(const ChainStep&) = delete;
  ChainStep& operator=(const ChainStep&) = delete;
};

// Angles, zooms and anchors move by fractions; every other property by whole steps.
bool MovesInWholeSteps(const std::string& name) {
  for (const char* real : {"angle", "zoom", "anchor_left", "anchor_top", "zoomx", "zoomy"})
    if (EqualsIgnoreAsciiCase(name, real)) return false;
  return true;
}

bool StartsWithRnd(const std::string& text) { return text.compare(0, 3, "rnd") == 0; }

// A value as a real: numbers as they are, text with "." as the separator, anything else 0.
double ToReal(const Variant& value) {
  double real = 0;
  return VariantToReal(value, real) ? real : 0.0;
}

// "rnd:a,b,c" gives one of a, b, c at random; any other item is itself.
std::string ResolvePath(const std::string& item) {
  if (!StartsWithRnd(item)) return item;
  const size_t colon = item.find(':');
  if (colon == std::string::npos) return {};
  const std::vector<std::string> choices = SplitTopLevel(item.substr(colon + 1), ',');
  if (choices.empty()) return {};
  return choices[static_cast<size_t>(Random(static_cast<int32_t>(choices.size())))];
}

bool IsButtonDown(uint32_t message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

bool IsButtonUp(uint32_t message) {
  return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

}  // namespace

const TPropertyTable& TFlashScenario::GetPropertyTable() const {
  static const TPropertyTable table(
      TAbstractWidget::GetPropertyTable(),
      {
          // "duration" may carry a random part ("rnd:500:1000"): loading and saving are by hand.
          Property("duration", &TFlashScenario::durationBase_, int32_t{-1}).NotStored().Quiet(),
          Property("maxincrementaldurationtime", &TFlashScenario::maxIncrementalDuration_).NotStored().Quiet(),
          Property("linked_widget_name", &TFlashScenario::linkedWidgetName_).SavedIfNotDefault().Quiet(),
          Property("actiontype", &TFlashScenario::actionType_, int32_t{kLinear})
              .AsEnum(kActionWords)
              .SavedIfNotDefault()
              .Quiet(),
          // The first entry's name and target; the data's lists are read by hand.
          Property("properties", &TFlashScenario::GetFirstName, &TFlashScenario::SetFirstName).NotStored(),
          Property("value", &TFlashScenario::GetFirstTarget, &TFlashScenario::SetFirstTarget).NotStored(),
          Property("show_on_start", &TFlashScenario::showOnStart_).SavedIfNotDefault().Quiet(),
          Property("hide_on_end", &TFlashScenario::hideOnEnd_).SavedIfNotDefault().Quiet(),
          Property("previos", &TFlashScenario::previous_).SavedIfNotDefault().Quiet(),
          Property("next", &TFlashScenario::next_).SavedIfNotDefault().Quiet(),
          Property("z", &TFlashScenario::z_).SavedIfNotDefault().Quiet(),
      });
  return table;
}

void TFlashScenario::Initialize() {
  TAbstractWidget::Initialize();
  linkedWidget_ = nullptr;
  entries_ = {};
  entryCount_ = 0;
  duration_ = -1;
  hasDuration_ = false;
  mouseStop_ = false;
  started_ = false;
  pressed_ = false;
}

void TFlashScenario::LoadProperties(const StorageRef& storage) {
  TAbstractWidget::LoadProperties(storage);
  maxIncrementalDuration_ = 0;
  durationBase_ = -1;
  ParseDuration(ReadString(storage, "duration", ""));
  entryCount_ = 0;
  if (actionType_ == kLinear) ParseEntries(ReadString(storage, "properties", ""), ReadString(storage, "value", ""));
  SetMouseStop(ReadBool(storage, "mousestop", false));
}

void TFlashScenario::ParseDuration(const std::string& text) {
  if (text.empty()) return;
  int64_t number = 0;
  if (!StartsWithRnd(text)) {
    if (ParseInt(text, number)) durationBase_ = static_cast<int32_t>(number);
    return;
  }
  const size_t colon = text.find(':');
  const std::string random = colon == std::string::npos ? std::string() : text.substr(colon + 1);
  const size_t second = random.find(':');
  if (second == std::string::npos) {
    if (ParseInt(random, number)) maxIncrementalDuration_ = static_cast<int32_t>(number);
    return;
  }
  // Each part is taken as far as it converts.
  if (!ParseInt(random.substr(0, second), number)) return;
  durationBase_ = static_cast<int32_t>(number);
  if (ParseInt(random.substr(second + 1), number)) maxIncrementalDuration_ = static_cast<int32_t>(number);
}

void TFlashScenario::ParseEntries(const std::string& names, const std::string& values) {
  const std::vector<std::string> nameList = SplitSemicolonList(names);
  const std::vector<std::string> valueList = SplitSemicolonList(values);
  if (nameList.empty() || nameList.size() > kMaxEntries || nameList.size() != valueList.size()) {
    // A scenario that only waits and chains lists nothing; one that lists badly is told.
    if (!nameList.empty() || !valueList.empty())
      LogLine("Flash scenario \"" + GetName() + "\": " + std::to_string(nameList.size()) + " properties and " +
              std::to_string(valueList.size()) +
              " values (1 to 5 of each, as many values as properties); it runs idle");
    actionType_ = kIdle;
    return;
  }
  for (size_t i = 0; i < nameList.size(); ++i) {
    Entry& entry = entries_[i];
    entry = Entry{};
    entry.name = nameList[i];
    entry.wholeSteps = MovesInWholeSteps(entry.name);
    const std::string& text = valueList[i];
    const size_t colon = text.find(':');
    if (colon == std::string::npos) {
      entry.value = text;
      continue;
    }
    entry.value = text.substr(colon + 1);
    // Option words act in order; "float" asks for whole steps and "int" for reals, as the data
    // written so far expects.
    for (const std::string& word : SplitTopLevel(text.substr(0, colon), '_')) {
      if (word == "rnd")
        entry.randomTarget = true;
      else if (word == "inc")
        entry.incremental = true;
      else if (word == "float")
        entry.wholeSteps = true;
      else if (word == "int")
        entry.wholeSteps = false;
    }
  }
  entryCount_ = static_cast<int>(nameList.size());
}

void TFlashScenario::SaveProperties(const StorageRef& storage) {
  TAbstractWidget::SaveProperties(storage);
  if (maxIncrementalDuration_ > 0) {
    const std::string base = durationBase_ == -1 ? std::string() : std::to_string(durationBase_) + ":";
    WriteString(storage, "duration", "rnd:" + base + std::to_string(maxIncrementalDuration_));
  } else if (durationBase_ != -1) {
    WriteInt(storage, "duration", durationBase_);
  }
  if (entryCount_ > 0) {
    std::vector<std::string> names, values;
    for (int i = 0; i < entryCount_; ++i) {
      const Entry& entry = entries_[static_cast<size_t>(i)];
      std::string words;
      if (entry.randomTarget) words += "rnd_";
      if (entry.incremental) words += "inc_";
      if (entry.wholeSteps != MovesInWholeSteps(entry.name)) words += entry.wholeSteps ? "float_" : "int_";
      if (!words.empty()) words.back() = ':';
      names.push_back(entry.name);
      values.push_back(words + entry.value);
    }
    WriteString(storage, "properties", JoinSemicolonList(names));
    WriteString(storage, "value", JoinSemicolonList(values));
  }
  WriteBool(storage, "mousestop", mouseStop_, mouseStop_);
}

std::string TFlashScenario::GetFirstName() const { return entryCount_ > 0 ? entries_[0].name : std::string(); }

void TFlashScenario::SetFirstName(const std::string& name) {
  if (entryCount_ == 0) entryCount_ = 1;
  entries_[0].name = name;
  entries_[0].wholeSteps = MovesInWholeSteps(name);
}

double TFlashScenario::GetFirstTarget() const { return entryCount_ > 0 ? entries_[0].target : 0.0; }

void TFlashScenario::SetFirstTarget(double target) {
  if (entryCount_ == 0) entryCount_ = 1;
  entries_[0].target = target;
  entries_[0].value = FormatReal(target);
}

// ---------------------------------------------------------------------------------------------
// The run

void TFlashScenario::SetOwner(const WidgetOwnerRef& owner) {
  TAbstractWidget::SetOwner(owner);
  linkedWidget_ = nullptr;
  started_ = false;
}

void TFlashScenario::ClearOwner() {
  TAbstractWidget::ClearOwner();
  linkedWidget_ = nullptr;
}

bool TFlashScenario::PrepareEntry(Entry& entry) {
  entry.startValue = ToReal(linkedWidget_->GetProperty(entry.name));
  if (actionType_ != kLinear) return true;
  double target = 0;
  if (!ParseRealDot(entry.value, target)) target = 0;
  if (entry.randomTarget) {
    const int64_t bound = RealToInt(target);
    const auto limit = static_cast<int32_t>(std::clamp<int64_t>(std::llabs(bound), 0, INT32_MAX));
    target = bound > 0 ? Random(limit) : bound < 0 ? -Random(limit) : 0;
  }
  entry.target = target;
  entry.delta = target;
  if (entry.incremental)
    entry.target = entry.startValue + entry.delta;
  else
    entry.delta = entry.target - entry.startValue;
  return std::isfinite(entry.target) && std::isfinite(entry.delta);
}

void TFlashScenario::StartRun() {
  duration_ = maxIncrementalDuration_ >= 1 ? durationBase_ + Random(maxIncrementalDuration_) : durationBase_;
  hasDuration_ = duration_ >= 0;
  if (!linkedWidgetName_.empty()) {
    WidgetOwnerRef owner = GetOwner();
    linkedWidget_ = owner ? owner->FindWidget(linkedWidgetName_) : nullptr;
    if (!linkedWidget_) {
      LogLine("Flash scenario \"" + GetName() + "\": no widget \"" + linkedWidgetName_ + "\"; it runs idle");
      actionType_ = kIdle;
    } else {
      try {
        for (int i = 0; i < entryCount_; ++i)
          if (!PrepareEntry(entries_[static_cast<size_t>(i)])) actionType_ = kIdle;
      } catch (const std::exception& e) {
        LogLine("Flash scenario \"" + GetName() + "\": " + e.what() + "; it runs idle");
        actionType_ = kIdle;
      }
      if (showOnStart_) linkedWidget_->SetVisible(true);
    }
  }
  currentTime_ = 0;
  if (!previous_.empty()) RunScenarios(previous_, false);
  pressed_ = false;
  started_ = true;
}

void TFlashScenario::ApplyEntriesAt(double fraction) {
  WidgetRef widget = linkedWidget_;
  for (int i = 0; i < entryCount_; ++i) {
    const Entry& entry = entries_[static_cast<size_t>(i)];
    try {
      if (entry.wholeSteps)
        widget->SetProperty(entry.name, Variant(RoundHalfEven(entry.startValue) + RealToInt(entry.delta * fraction)));
      else
        widget->SetProperty(entry.name, Variant(entry.startValue + entry.delta * fraction));
    } catch (const std::exception&) {
      // One property that cannot be set does not stop the others.
    }
  }
}

void TFlashScenario::DoUpdate(int32_t elapsedMs) {
  TAbstractWidget::DoUpdate(elapsedMs);
  if (!started_) {
    StartRun();
    if (duration_ == 1) return;
  }
  if (hasDuration_ && currentTime_ >= duration_) {
    Pause();
    return;
  }
  // A run without a duration holds the start values until it is stopped or clicked.
  if (actionType_ == kLinear && linkedWidget_ && hasDuration_)
    ApplyEntriesAt(static_cast<double>(currentTime_) / static_cast<double>(duration_));
}

void TFlashScenario::Pause() {
  TAbstractWidget::Pause();
  EndRun();
}

void TFlashScenario::Restart() {
  StartRun();
  TAbstractWidget::Restart();
}

void TFlashScenario::EndRun() {
  if (WidgetRef widget = linkedWidget_) {
    // The targets exactly, whatever the frame timing; an idle run computed none.
    if (actionType_ == kLinear) {
      for (int i = 0; i < entryCount_; ++i) {
        const Entry& entry = entries_[static_cast<size_t>(i)];
        try {
          widget->SetProperty(entry.name, Variant(entry.target));
        } catch (const std::exception&) {
        }
      }
    }
    if (hideOnEnd_) widget->SetVisible(false);
  }
  linkedWidget_ = nullptr;
  started_ = false;
  if (!next_.empty()) ActOnNext();
}

void TFlashScenario::ActOnNext() {
  if (chainDepth >= kMaxChainDepth) {
    LogLine("Flash scenario \"" + GetName() + "\": scenarios end and start each other at once more than " +
            std::to_string(kMaxChainDepth) + " times; \"" + next_ + "\" is not started");
    return;
  }
  ChainStep step;
  WidgetOwnerRef owner = GetOwner();
  const bool close = next_ == "closegamescreen";
  if (close || next_.compare(0, 14, "showgamescreen") == 0) {
    EventHandlerRef handler = owner ? owner->GetEventHandler() : nullptr;
    GameScreenOwnerRef game = handler ? handler->GetGameOwner() : nullptr;
    if (!game) return;
    if (close) {
      game->CloseScreen(std::dynamic_pointer_cast<IGameScreenSlave>(handler), nullptr);
    } else {
      const size_t colon = next_.find(':');
      game->ShowScreen(colon == std::string::npos ? std::string() : next_.substr(colon + 1), nullptr);
    }
    return;
  }
  if (ActOnOwnNext(next_)) return;
  RunScenarios(next_, true);
}

void TFlashScenario::RunScenarios(const std::string& list, bool start) {
  WidgetOwnerRef owner = GetOwner();
  if (!owner) return;
  for (const std::string& item : SplitSemicolonList(list)) {
    const std::string path = ResolvePath(item);
    WidgetRef scenario = path.empty() ? nullptr : owner->FindWidget(path);
    if (!scenario) continue;
    scenario->SetPaused(!start);
    if (start) scenario->Restart();
    scenario->SetVisible(start);
  }
}

// ---------------------------------------------------------------------------------------------
// Mouse: a running scenario with "mousestop" takes every click and skips to its end.

WidgetRef TFlashScenario::WidgetAtPoint(const TPoint& point) { return GetMouseStop() ? Self() : nullptr; }

bool TFlashScenario::MouseEvent(uint32_t message, const TPoint& point, uint32_t keys) {
  const bool answer = TAbstractWidget::MouseEvent(message, point, keys);
  if (!mouseStop_) return answer;
  if (IsButtonDown(message)) {
    pressed_ = true;
  } else if (IsButtonUp(message) && pressed_) {
    pressed_ = false;
    Pause();
  }
  return answer;
}

}  // namespace kestrelle
