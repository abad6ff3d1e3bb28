#include "app/top_screen_probe.h"

#include <string_view>

#include "app/game.h"
#include "app/game_screen_interface.h"
#include "app/widget_interfaces.h"
#include "data/object.h"
#include "data/params.h"

namespace kestrelle {

namespace {

// The screen on top of the game's stack; none before the game has shown one.
GameScreenRef TopScreen(const std::weak_ptr<IEngine>& weakEngine) {
  EngineRef engine = weakEngine.lock();
  auto game = engine ? std::dynamic_pointer_cast<TGame>(engine->GetGame()) : nullptr;
  const std::shared_ptr<TGSCollection>& stack = game ? game->GetStack() : nullptr;
  const int count = stack ? stack->GetCount() : 0;
  return count > 0 ? stack->Get(Variant(count - 1)) : nullptr;
}

// The widget at `path` of the top screen; with `shown`, also whether the screen's window and
// every widget passed on the way are visible.
WidgetRef Resolve(const std::weak_ptr<IEngine>& engine, const std::string& path, bool* shown) {
  GameScreenRef screen = TopScreen(engine);
  WidgetRef widget = screen ? screen->GetWindowWidget() : nullptr;
  if (shown) *shown = widget && widget->GetVisible();
  size_t start = 0;
  while (widget && start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    if (slash > start) {
      widget = widget->FindWidget(path.substr(start, slash - start));
      if (shown && widget && !widget->GetVisible()) *shown = false;
    }
    start = slash + 1;
  }
  return widget;
}

constexpr std::string_view kSettingHead = "setting:";

// A "setting:NAME" path names the game setting NAME instead of a widget.
bool IsSettingPath(const std::string& path) { return path.starts_with(kSettingHead); }

// The game setting of a "setting:NAME" path; Null when there is no game or no such setting.
Variant Setting(const std::weak_ptr<IEngine>& weakEngine, const std::string& path) {
  EngineRef engine = weakEngine.lock();
  auto game = engine ? std::dynamic_pointer_cast<TGame>(engine->GetGame()) : nullptr;
  return game ? game->GetSetting(path.substr(kSettingHead.size())) : Variant();
}

// A setting's property: "count" is the number of items of a collection, "value" the setting as
// text (a collection reads "collection").
bool SettingProperty(const Variant& setting, const std::string& name, std::string& value, std::string& error) {
  auto collection = setting.IsInterface() ? std::dynamic_pointer_cast<ICollection>(setting.ToInterface()) : nullptr;
  if (name == "count" && collection) {
    value = std::to_string(collection->GetCount());
    return true;
  }
  if (name == "value") {
    value = collection ? "collection" : setting.IsBool() ? (setting.ToBool() ? "yes" : "no") : setting.ToString();
    return true;
  }
  error = collection ? "a collection setting has the properties \"count\" and \"value\""
                     : "a setting has the property \"value\"";
  return false;
}

constexpr std::string_view kAnswerHead = "answer:";

// An "answer:SCREEN" path names the answer the screen SCREEN gave when it last closed; its
// properties are the answer's parameters.
bool IsAnswerPath(const std::string& path) { return path.starts_with(kAnswerHead); }

bool AnswerProperty(const std::weak_ptr<IEngine>& weakEngine, const std::string& path, const std::string& name,
                    std::string& value, std::string& error) {
  EngineRef engine = weakEngine.lock();
  auto game = engine ? std::dynamic_pointer_cast<TGame>(engine->GetGame()) : nullptr;
  ParamsRef answer = game ? game->GetLastAnswer(path.substr(kAnswerHead.size())) : nullptr;
  if (!answer) {
    error = "the screen has not closed with an answer";
    return false;
  }
  if (!answer->GetParam(Variant(name))) {
    error = "the answer has no such parameter";
    return false;
  }
  value = answer->GetValue(name, Variant()).ToString();
  return true;
}

}  // namespace

std::string TopScreenProbe::TopScreenName() const {
  GameScreenRef screen = TopScreen(engine_);
  return screen ? screen->GetName() : std::string();
}

bool TopScreenProbe::Exists(const std::string& path) {
  if (IsSettingPath(path)) return !Setting(engine_, path).IsNull();
  if (IsAnswerPath(path)) {
    EngineRef engine = engine_.lock();
    auto game = engine ? std::dynamic_pointer_cast<TGame>(engine->GetGame()) : nullptr;
    return game && game->GetLastAnswer(path.substr(kAnswerHead.size())) != nullptr;
  }
  return Resolve(engine_, path, nullptr) != nullptr;
}

bool TopScreenProbe::IsShown(const std::string& path) {
  if (IsSettingPath(path) || IsAnswerPath(path)) return Exists(path);
  bool shown = false;
  return Resolve(engine_, path, &shown) && shown;
}

bool TopScreenProbe::Centre(const std::string& path, int& x, int& y) {
  if (IsSettingPath(path) || IsAnswerPath(path)) return false;
  WidgetRef widget = Resolve(engine_, path, nullptr);
  if (!widget) return false;
  // The rectangle is in the owner's space; the owner's screen origin is the negated
  // screen-to-owner conversion of (0, 0).
  const TRect rect = widget->GetRect();
  const TPoint origin = widget->ScreenToOwner(TPoint{0, 0});
  x = (rect.left + rect.right) / 2 - origin.x;
  y = (rect.top + rect.bottom) / 2 - origin.y;
  return true;
}

bool TopScreenProbe::Property(const std::string& path, const std::string& name, std::string& value,
                              std::string& error) {
  if (IsSettingPath(path)) return SettingProperty(Setting(engine_, path), name, value, error);
  if (IsAnswerPath(path)) return AnswerProperty(engine_, path, name, value, error);
  WidgetRef widget = Resolve(engine_, path, nullptr);
  if (!widget) {
    error = "no such widget on the top screen";
    return false;
  }
  Variant read;
  try {
    read = widget->GetProperty(name);
  } catch (const std::exception& e) {
    error = std::string("the property cannot be read: ") + e.what();
    return false;
  }
  if (read.IsNull()) {
    error = "the widget has no such property";
    return false;
  }
  value = read.IsBool() ? (read.ToBool() ? "yes" : "no") : read.ToString();
  return true;
}

bool TopScreenProbe::ShowScreen(const std::string& name, const std::vector<std::pair<std::string, std::string>>& params,
                                std::string& error) {
  EngineRef engine = engine_.lock();
  auto game = engine ? std::dynamic_pointer_cast<TGame>(engine->GetGame()) : nullptr;
  if (!game) {
    error = "no game is running";
    return false;
  }
  ParamsRef values = CreateParams();
  for (const auto& [key, value] : params) values->SetValue(key, value);
  if (!game->ShowScreen(name, values)) {
    const std::shared_ptr<TGSCollection>& stack = game->GetStack();
    error = stack && stack->Exists(name) ? "the screen is already open" : "the game has no screen of that name";
    return false;
  }
  return true;
}

}  // namespace kestrelle
