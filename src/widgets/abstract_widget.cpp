#include "widgets/abstract_widget.h"

#include <algorithm>
#include <string_view>

#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"
#include "data/text_lists.h"
#include "data/variant_values.h"
#include "widgets/widget_sounds.h"

namespace kestrelle {

namespace {

bool Is(const std::string& name, const char* word) { return EqualsIgnoreAsciiCase(name, word); }

// Depth of alias resolution in progress (one thread: the main loop's).
int aliasDepth = 0;

struct AliasStep {
  AliasStep() { ++aliasDepth; }
  ~AliasStep() { --aliasDepth; }
  AliasStep(const AliasStep&) = delete;
  AliasStep& operator=(const AliasStep&) = delete;
};

}  // namespace

void SplitWidgetPath(const std::string& path, std::string& head, std::string& rest) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    head = path;
    rest.clear();
  } else {
    head = path.substr(0, slash);
    rest = path.substr(slash + 1);
  }
}

const TPropertyTable& TAbstractWidget::GetPropertyTable() const {
  static const TPropertyTable table(
      TPropertyObject::GetPropertyTable(),
      {
          Property("paused", &TAbstractWidget::paused_).SavedIfNotDefault().SetWith(&TAbstractWidget::SetPaused),
          // Storage keeps the start time; the running widget answers and takes its current time.
          Property("currenttime", &TAbstractWidget::initialTime_)
              .SavedIfNotDefault()
              .GetWith(&TAbstractWidget::GetCurrentTime)
              .SetWith(&TAbstractWidget::SetCurrentTime),
          Property("timetolive", &TAbstractWidget::timeToLive_).SavedIfNotDefault().Quiet(),
          Property("time_rate", &TAbstractWidget::timeRate_, 1.0).SavedIfNotDefault().Quiet(),
          Property("transparentlevel", &TAbstractWidget::transparentLevel_, 255)
              .Range(0, 255)
              .SavedIfNotDefault()
              .SetWith(&TAbstractWidget::SetTransparentLevel),
          Property("aliases", &TAbstractWidget::aliases_).SavedIfNotDefault().Quiet(),
          Property("redefinedparams", &TAbstractWidget::redefinedParams_).SavedIfNotDefault().Quiet(),
      });
  return table;
}

void TAbstractWidget::Initialize() {
  TPropertyObject::Initialize();
  storageName_ = "widget";
  changed_ = false;
  owner_.reset();
  dead_ = false;
  updated_ = false;
  currentTime_ = 0;
  sounds_ = nullptr;
  function_ = nullptr;
  extraParams_ = nullptr;
  firstPass_ = true;
  reported_ = false;
}

void TAbstractWidget::SetCurrentTime(int32_t time) {
  if (time == currentTime_) return;
  SetChanged(true);
  currentTime_ = time;
}

void TAbstractWidget::LoadProperties(const StorageRef& storage) {
  TPropertyObject::LoadProperties(storage);
  currentTime_ = initialTime_;
  std::string extra = ReadString(storage, "extraparams", "");
  if (!extra.empty()) {
    extraParams_ = CreateParams();
    for (const auto& [key, value] : SplitKeyValues(extra, '\\', '=')) extraParams_->SetValue(key, value);
  }
  if (SoundCollectionRef sounds = LoadWidgetSounds(storage)) sounds_ = sounds;
  if (storage && storage->GetChildCount("function_widget") > 0) {
    if (auto function = std::dynamic_pointer_cast<IFunction>(CreateChildObject(storage, "function_widget", 0)))
      function_ = function;
  }
}

void TAbstractWidget::SaveProperties(const StorageRef& storage) {
  TPropertyObject::SaveProperties(storage);
  if (extraParams_ && extraParams_->GetCount() > 0) {
    std::string text;
    for (int i = 0; i < extraParams_->GetCount(); ++i) {
      ParamRef param = extraParams_->GetParam(Variant(i));
      if (param) text += "\\" + param->GetName() + "=" + param->GetValue().ToString();
    }
    WriteString(storage, "extraparams", text);
  }
  SaveWidgetSounds(sounds_, storage);
  if (function_) SaveChildObject(function_, storage, "function_widget");
}

void TAbstractWidget::Reset() {
  TPropertyObject::Reset();
  extraParams_ = nullptr;
  sounds_ = nullptr;
  if (function_) function_->Unlink();
  function_ = nullptr;
}

bool TAbstractWidget::AliasTarget(const std::string& name, std::string& target) const {
  if (aliases_.empty()) return false;
  bool found = false;
  target = FindPairValue(aliases_, name, found);
  return found && target != name;
}

Variant TAbstractWidget::GetProperty(const std::string& name) {
  if (name.find('/') != std::string::npos) {
    std::string head, rest;
    SplitWidgetPath(name, head, rest);
    if (!rest.empty()) {
      WidgetRef widget = FindWidget(head);
      if (!widget) return Null{};
      return widget->GetProperty(rest);
    }
  }
  Variant value;
  if (GetTableProperty(name, value)) return value;
  if (Is(name, "name")) return Variant(GetName());
  if (Is(name, "dead")) return Variant(GetDead());
  if (Is(name, "visible")) return Variant(GetVisible());
  if (Is(name, "z")) return Variant(GetZ());
  if (Is(name, "anchor_left")) return Variant(GetAnchorLeft());
  if (Is(name, "anchor_top")) return Variant(GetAnchorTop());
  if (Is(name, "left")) return Variant(GetLeft());
  if (Is(name, "top")) return Variant(GetTop());
  if (Is(name, "width")) return Variant(GetWidth());
  if (Is(name, "height")) return Variant(GetHeight());
  if (Is(name, "enabled")) return Variant(GetEnabled());
  if (Is(name, "tabstop")) return Variant(GetTabStop());
  if (Is(name, "mousestop")) return Variant(GetMouseStop());
  if (Is(name, "owner")) return Variant(InterfaceRef(GetOwner()));
  if (Is(name, "image")) return Variant(InterfaceRef(CreateImage()));
  if (extraParams_ && extraParams_->GetParam(Variant(name))) return extraParams_->GetValue(name, Null{});
  std::string target;
  if (AliasTarget(name, target)) {
    if (aliasDepth >= kMaxAliasDepth) return Null{};
    AliasStep step;
    return GetProperty(target);
  }
  return Null{};
}

void TAbstractWidget::SetProperty(const std::string& name, const Variant& value) {
  if (name.find('/') != std::string::npos) {
    std::string head, rest;
    SplitWidgetPath(name, head, rest);
    if (!rest.empty()) {
      if (WidgetRef widget = FindWidget(head)) widget->SetProperty(rest, value);
      return;
    }
  }
  int64_t i = 0;
  double d = 0;
  bool b = false;
  if (SetTableProperty(name, value)) return;
  if (Is(name, "name")) {
    SetName(value.ToString());
  } else if (Is(name, "dead")) {
    if (VariantToBool(value, b)) SetDead(b);
  } else if (Is(name, "visible")) {
    if (VariantToBool(value, b)) SetVisible(b);
  } else if (Is(name, "z")) {
    if (VariantToInt(value, i)) SetZ(static_cast<int32_t>(i));
  } else if (Is(name, "anchor_left")) {
    if (VariantToReal(value, d)) SetAnchorLeft(d);
  } else if (Is(name, "anchor_top")) {
    if (VariantToReal(value, d)) SetAnchorTop(d);
  } else if (Is(name, "enabled")) {
    if (VariantToBool(value, b)) SetEnabled(b);
  } else if (Is(name, "tabstop")) {
    if (VariantToBool(value, b)) SetTabStop(b);
  } else if (Is(name, "mousestop")) {
    if (VariantToBool(value, b)) SetMouseStop(b);
  } else if (extraParams_ && extraParams_->GetParam(Variant(name))) {
    extraParams_->SetValue(name, value);
  } else {
    std::string target;
    if (AliasTarget(name, target) && aliasDepth < kMaxAliasDepth) {
      AliasStep step;
      SetProperty(target, value);
    }
  }
}

void TAbstractWidget::SetOwner(const WidgetOwnerRef& owner) {
  owner_ = owner;
  if (!redefinedParams_.empty()) {
    for (const auto& [target, source] : SplitKeyValues(redefinedParams_, '\\', '=')) {
      try {
        SetProperty(target, GetProperty(source));
      } catch (const std::exception& e) {
        LogLine("Widget \"" + GetName() + "\": redefined parameter \"" + target + "\" failed: " + e.what());
      }
    }
  }
  if (function_) {
    try {
      function_->SetOwner(nullptr);
    } catch (const std::exception& e) {
      LogLine("Widget \"" + GetName() + "\": its function could not be prepared: " + e.what());
    }
    RunFunction(FunctionRun::kReset);
    RunFunction(FunctionRun::kEvaluate);
  }
}

void TAbstractWidget::ClearOwner() {
  if (function_) function_->Unlink();
  owner_.reset();
}

void TAbstractWidget::Update(int32_t elapsedMs) {
  if (timeRate_ != 1.0) elapsedMs = Round32(timeRate_ * elapsedMs);
  DoUpdate(elapsedMs);
}

void TAbstractWidget::DoUpdate(int32_t elapsedMs) {
  updated_ = true;
  currentTime_ += elapsedMs;
  if (timeToLive_ > 0 && currentTime_ >= timeToLive_) SetDead(true);
  if (function_) RunFunction(FunctionRun::kEvaluate);
}

void TAbstractWidget::Restart() {
  currentTime_ = 0;
  paused_ = false;
  if (function_) RunFunction(FunctionRun::kReset);
  DoUpdate(0);
}

void TAbstractWidget::PushFunctionInputs() {
  FunctionRef function = function_;
  for (int row = 0; row <= 1; ++row) {
    int count = row == 0 ? function->GetOutputCount() : function->GetInputCount();
    for (int i = 0; i < count; ++i) {
      try {
        std::string name = function->GetSlotOutName(row, i);
        if (name.empty()) continue;
        Variant value = GetProperty(name);
        double real = 0;
        if (value.IsEmptyOrNull() || !VariantToReal(value, real)) continue;
        if (row == 0)
          function->SetOutput(i, static_cast<float>(real));
        else
          function->SetInput(i, static_cast<float>(real));
      } catch (const std::exception&) {
        // One parameter that cannot be fed does not stop the others.
      }
    }
  }
}

void TAbstractWidget::PullFunctionOutputs() {
  FunctionRef function = function_;
  int count = function->GetOutputCount();
  for (int i = 0; i < count; ++i) {
    try {
      std::string name = function->GetSlotOutName(0, i);
      if (!name.empty()) SetProperty(name, Variant(static_cast<double>(function->GetOutput(i))));
    } catch (const std::exception&) {
    }
  }
}

void TAbstractWidget::RunFunction(FunctionRun run) {
  FunctionRef function = function_;  // the binding may drop the widget's reference
  if (!function) return;
  PushFunctionInputs();
  try {
    if (run == FunctionRun::kEvaluate)
      function->Calculate();
    else
      function->Execute();
  } catch (const std::exception& e) {
    LogLine("Widget \"" + GetName() + "\": its function failed: " + e.what());
  }
  if (function_ == function) PullFunctionOutputs();
}

// Step by step rather than one call per step: a path from data may be any length ("./././...").
// The heads "..", "window:" move to the owner or the screen's root, whose FindWidget("") is the
// widget the rest of the path starts from.
WidgetRef TAbstractWidget::FindWidget(const std::string& path) {
  WidgetRef current = Self();
  std::string_view rest(path);
  while (current && !rest.empty()) {
    const size_t slash = rest.find('/');
    const std::string_view head = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (head == ".") continue;
    if (head == "..") {
      WidgetOwnerRef owner = current->GetOwner();
      current = owner ? owner->FindWidget("") : nullptr;
    } else if (head == "window:") {
      WidgetOwnerRef owner = current->GetOwner();
      WindowRef window = owner ? owner->GetWindow() : nullptr;
      current = window ? window->FindWidget("") : nullptr;
    } else {
      current = current->GetChild(Variant(std::string(head)));
    }
  }
  return current;
}

std::string TAbstractWidget::GetPath() {
  std::string own = GetName();
  WidgetOwnerRef owner = GetOwner();
  if (!owner) return "/" + own;
  std::string path = owner->GetPath();
  if (!own.empty()) path += "/" + own;
  return path;
}

TPoint TAbstractWidget::ScreenToOwner(const TPoint& point) {
  WidgetOwnerRef owner = GetOwner();
  return owner ? owner->ScreenToClient(point) : point;
}

TRect TAbstractWidget::GetRect() {
  const double left = GetLeft();
  const double top = GetTop();
  return TRect{Round32(left), Round32(top), Round32(left + GetWidth()), Round32(top + GetHeight())};
}

void TAbstractWidget::SetTransparentLevel(int32_t level) {
  if (level != transparentLevel_) SetChanged(true);
  transparentLevel_ = level;
}

WidgetRef TAbstractWidget::WidgetAtPoint(const TPoint& point) {
  if (GetVisible() && GetMouseStop() && ContainsPoint(point, false)) return Self();
  return nullptr;
}

bool TAbstractWidget::ContainsPoint(const TPoint& point, bool ignoreVisibility) {
  if (!ignoreVisibility && !GetVisible()) return false;
  const TRect r = GetRect();
  return point.x >= r.left && point.x <= r.right && point.y >= r.top && point.y <= r.bottom;
}

EngineRef TAbstractWidget::OwnerEngine() {
  WidgetOwnerRef owner = GetOwner();
  return owner ? owner->GetEngine() : nullptr;
}

AudioHandle TAbstractWidget::PlaySound(const std::string& name, bool useValues, int32_t pan, int32_t volume) {
  if (!sounds_) return 0;
  return PlayWidgetSound(OwnerEngine(), sounds_, name, useValues, pan, volume);
}

void TAbstractWidget::StopSound(const std::string& name) {
  if (sounds_) StopWidgetSound(OwnerEngine(), sounds_, name);
}

bool TAbstractWidget::UpdateDirtyRects(bool forceOld, bool forceNew) {
  updated_ = false;
  reported_ = false;
  return false;
}

void TAbstractWidget::Show(bool show) {
  SetVisible(show);
  SetPaused(!show);
}

void TAbstractWidget::SetExtraParam(const std::string& name, const Variant& value) {
  if (!extraParams_) extraParams_ = CreateParams();
  extraParams_->SetValue(name, value);
}

}  // namespace kestrelle
