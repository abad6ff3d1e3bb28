#include "game/tutorial/tutorial_data_check.h"

#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "app/game.h"
#include "data/hier_storage.h"
#include "data/process_settings.h"
#include "data/text_encoding.h"
#include "data/text_lists.h"
#include "game/content/level_def_refs.h"
#include "game/data_checks.h"
#include "game/map/main_menu_screen.h"

namespace kestrelle {

namespace {

constexpr std::string_view kGuidedScreenClass = "KestrelleGameScreenGameTutorial";
constexpr std::string_view kGuidedControlClass = "KestrelleControlGameTutorial";
constexpr std::string_view kHelpScreenClass = "KestrelleGameScreenMapTutorial";
constexpr std::string_view kStatesClass = "states_widget";

// What the guided level looks up on its screen: the level screen's widgets, the level control's
// (its own children among them), the skip button and the states widget of the step pages.
constexpr const char* kGuidedLevelWidgets[] = {"control_game_main",
                                               "control_game_main/shop_stations",
                                               "control_game_main/shop_items",
                                               "control_game_main/money_counter",
                                               "control_game_main/client_counter",
                                               "control_game_main/scenario_group",
                                               "control_tools",
                                               "timer_control",
                                               "bg_group",
                                               "tools_mat",
                                               "frame_black",
                                               "fade_in",
                                               "fade_out",
                                               "button_menu",
                                               "button_skip",
                                               "states"};

// What a press does to each step page. Pages 0, 1, 4, 5, 6 and 12 wait for the player to act on the
// floor, and a game event then shows the next page: a press only hides them ("show_next_state" =
// "no"). Pages 2, 3 and 7 .. 11 are left by the press itself (2 by calling the client waiting at
// station_3). Page 13 belongs to the in-level challenge, which no press moves on.
enum class Press { kHides, kShowsNext, kAny };
constexpr Press kStepPages[] = {Press::kHides,     Press::kHides,     Press::kShowsNext, Press::kShowsNext,
                                Press::kHides,     Press::kHides,     Press::kHides,     Press::kShowsNext,
                                Press::kShowsNext, Press::kShowsNext, Press::kShowsNext, Press::kShowsNext,
                                Press::kHides,     Press::kAny};
constexpr int kHelpPages = 2;

// The screens the guided level opens besides the level's own.
constexpr const char* kGuidedLevelScreens[] = {"GS_SkipTutorial", "GS_StatTutorial"};
// The levels it is played on (the first, from the town map; 99, the rules of the pause menu) and
// the clients its script brings: the last of them orders one of the level's "minigames".
constexpr int64_t kGuidedLevels[] = {1, 99};
constexpr int64_t kScriptedClients = 5;

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string QuotedList(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + Quoted(name);
  return text;
}

// The "widget" elements of an element's "widgets", in document order.
std::vector<StorageRef> ChildWidgets(const StorageRef& element) {
  std::vector<StorageRef> children;
  StorageRef list = element ? element->GetChild("widgets", 0) : nullptr;
  const int count = list ? list->GetChildCount("widget") : 0;
  for (int i = 0; i < count; ++i)
    if (StorageRef child = list->GetChild("widget", i)) children.push_back(child);
  return children;
}

// The widget a path of names leads to, as the loaded tree finds it: a name is compared ignoring
// letter case, and of two widgets of one name only the first is loaded.
StorageRef FindWidgetElement(StorageRef element, std::string_view path) {
  while (element && !path.empty()) {
    const size_t slash = path.find('/');
    const std::string_view name = path.substr(0, slash);
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    StorageRef found;
    for (const StorageRef& child : ChildWidgets(element)) {
      if (EqualsIgnoreAsciiCase(ReadString(child, "name"), name)) {
        found = child;
        break;
      }
    }
    element = found;
  }
  return element;
}

std::string ExtraParam(const StorageRef& element, std::string_view key) {
  std::string value;
  FindKeyValue(ReadString(element, "extraparams"), key, value);
  return value;
}

struct ScreenChecker {
  const DataCheckContext& context;
  std::string file;
  std::string path;  // the screen's element

  void Report(const std::string& where, const std::string& message) const {
    context.report({file, path + where, message});
  }

  // The widgets the screen must have, and the class of its level control.
  void CheckWidgets(const StorageRef& window) const {
    for (const char* name : kGuidedLevelWidgets)
      if (!FindWidgetElement(window, name)) Report("", "the guided level's screen lacks the widget " + Quoted(name));
    if (StorageRef control = FindWidgetElement(window, "control_game_main")) {
      const std::string type = ReadString(control, "type");
      if (type != kGuidedControlClass)
        Report("/window/widgets/widget[control_game_main]",
               "the level control is a " + Quoted(type) + ", not the guided level's " + Quoted(kGuidedControlClass));
    }
  }

  // The pages: children named "0" .. count - 1, each once and in that order (the states widget
  // shows a page by its place, the guided level names it by its number).
  void CheckPages(const StorageRef& states, int count) const {
    const std::string where = "/window/widgets/widget[states]";
    if (const std::string type = ReadString(states, "type"); type != kStatesClass) {
      Report(where, "\"states\" is a " + Quoted(type) + ", not a " + Quoted(kStatesClass));
      return;
    }
    std::vector<std::string> names;
    for (const StorageRef& page : ChildWidgets(states)) names.push_back(ReadString(page, "name"));
    std::vector<std::string> missing;
    std::vector<std::string> twice;
    std::vector<std::string> strays;
    for (int n = 0; n < count; ++n) {
      const std::string number = std::to_string(n);
      int seen = 0;
      for (const std::string& name : names) seen += name == number ? 1 : 0;
      if (seen == 0) missing.push_back(number);
      if (seen > 1) twice.push_back(number);
    }
    for (const std::string& name : names) {
      bool step = false;
      for (int n = 0; n < count && !step; ++n) step = name == std::to_string(n);
      if (!step) strays.push_back(name);
    }
    const std::string last = std::to_string(count - 1);
    if (!missing.empty())
      Report(where, "\"states\" lacks the page" + std::string(missing.size() > 1 ? "s " : " ") + QuotedList(missing));
    if (!twice.empty())
      Report(where,
             "\"states\" has more than one page " + QuotedList(twice) + " (a second widget of a name does not load)");
    if (!strays.empty())
      Report(where, "\"states\" has " + QuotedList(strays) + ", which " + (strays.size() > 1 ? "are" : "is") +
                        " not the number of a page (\"0\" .. " + Quoted(last) + ", in decimal)");
    if (!missing.empty() || !twice.empty() || !strays.empty()) return;
    for (int n = 0; n < count; ++n) {
      if (names[n] != std::to_string(n)) {
        Report(where, "the pages of \"states\" are out of order (" + QuotedList(names) +
                          "): it shows page n as its child n, so they must come as \"0\" .. " + Quoted(last));
        return;
      }
    }
  }

  // Each page hides or shows the next one at a press as the step flow needs.
  void CheckPresses(const StorageRef& states) const {
    for (int n = 0; n < static_cast<int>(std::size(kStepPages)); ++n) {
      const std::string number = std::to_string(n);
      StorageRef page = FindWidgetElement(states, number);
      if (!page || kStepPages[n] == Press::kAny) continue;
      const bool hides = ExtraParam(page, "show_next_state") == "no";
      const std::string where = "/window/widgets/widget[states]/widgets/widget[" + number + "]";
      if (kStepPages[n] == Press::kHides && !hides)
        Report(where, "page " + Quoted(number) +
                          " lacks \"show_next_state=no\" in its extraparams: a press on it would show the next page "
                          "before the lesson brings it");
      if (kStepPages[n] == Press::kShowsNext && hides)
        Report(where, "page " + Quoted(number) +
                          " says \"show_next_state=no\": the press that should show the next page would only hide "
                          "it, and the lesson would stop there");
    }
  }

  // Presses must reach the shop floor under the pages: inside them only buttons take the mouse,
  // and a button takes it only when every group above it lets it through ("mousestop").
  void CheckMouse(const StorageRef& element, const std::string& at, bool reachable) const {
    for (const StorageRef& child : ChildWidgets(element)) {
      const std::string name = ReadString(child, "name");
      const std::string here = at.empty() ? name : at + "/" + name;
      const std::string type = ReadString(child, "type");
      const bool stops = ReadBool(child, "mousestop", false);
      const bool group = !ChildWidgets(child).empty();
      if (type == "ButtonControl") {
        if (!reachable || !stops)
          Report("/window/widgets/widget[states]", "the button " + Quoted("states/" + here) +
                                                       " takes no press: it and every group above it need "
                                                       "mousestop=\"yes\"");
        continue;
      }
      if (stops && (!group || ReadBool(child, "returnselfbypos", false)))
        Report("/window/widgets/widget[states]", Quoted("states/" + here) + " (a " + Quoted(type) +
                                                     " with mousestop=\"yes\") keeps presses from the shop floor "
                                                     "under the pages");
      CheckMouse(child, here, reachable && stops);
    }
  }
};

struct ScreenElement {
  std::string name;
  std::string type;
  StorageRef window;
  std::string file;
  std::string path;
};

// The game definition's screens as written, each with the file and element path a finding names.
std::vector<ScreenElement> ScreenElements(const StorageRef& definition) {
  std::vector<ScreenElement> screens;
  StorageRef list = definition ? definition->GetChild("gamescreens", 0) : nullptr;
  const int count = list ? list->GetChildCount("gamescreen") : 0;
  const std::string game = ReadString(definition, "name");
  for (int i = 0; i < count; ++i) {
    StorageRef element = list->GetChild("gamescreen", i);
    if (!element) continue;
    ScreenElement screen{ReadString(element, "name"), ReadString(element, "type"), element->GetChild("window", 0),
                         OuterStorageFile(ReadString(element, "_outstorage")), ""};
    screen.path = "gamescreen[" + screen.name + "]";
    if (screen.file.empty()) {
      screen.file = Settings().GameFileName;
      screen.path = (game.empty() ? "game" : "game[" + game + "]") + "/gamescreens/" + screen.path;
    }
    screens.push_back(std::move(screen));
  }
  return screens;
}

// The levels the guided level is played on: there, with a goal its scripted clients reach and
// an item for the challenge its last client asks for.
void CheckGuidedLevels(const DataCheckContext& context) {
  GameScreenCollectionRef screens = context.game ? context.game->GetScreens() : nullptr;
  for (int i = 0; screens && i < screens->GetCount(); ++i) {
    auto menu = std::dynamic_pointer_cast<TKestrelleGameScreenMain>(screens->Get(Variant(i)));
    auto refs =
        menu ? std::dynamic_pointer_cast<TLevelDefRefCollection>(menu->Content().Get("level_def_refs")) : nullptr;
    if (!refs) continue;
    std::string file = OuterStorageFile(refs->GetOutStorage());
    std::string path = refs->GetStorageName();
    if (file.empty()) {
      file = Settings().GameFileName;
      path = "game[" + context.game->GetName() + "]/gamescreens/gamescreen[" + menu->GetName() + "]/" + path;
    }
    for (int64_t level : kGuidedLevels) {
      const std::string number = std::to_string(level);
      std::shared_ptr<TLevelDefRef> ref = refs->FindByNumber(level);
      if (!ref) {
        context.report({file, path, "the guided level is played on level " + number + ", which the list lacks"});
        continue;
      }
      // The level's own file under the reference's values, as the level control reads them.
      LevelDefRef def = ref->LoadLevelDef();
      const auto param = [&](const std::string& name) {
        const Variant value = def ? def->GetProperty(name) : ref->GetProperty(name);
        return value.IsEmptyOrNull() ? std::string() : value.ToString();
      };
      const std::string where = path + "/level[" + number + "]";
      const std::string goal = param("client_goal");
      if (goal != std::to_string(kScriptedClients))
        context.report({file, where,
                        "the \"client_goal\" is " + Quoted(goal) +
                            ", but the guided level played on it "
                            "brings " +
                            std::to_string(kScriptedClients) + " clients"});
      if (SplitSemicolonList(param("minigames")).empty())
        context.report({file, where, "\"minigames\" is empty: the guided level's last client orders one of them"});
    }
  }
}

void CheckGuidedLevel(const DataCheckContext& context) {
  const std::vector<ScreenElement> screens = ScreenElements(context.definition);
  bool guided = false;
  for (const ScreenElement& screen : screens) {
    const ScreenChecker checker{context, screen.file, screen.path};
    if (screen.type == kGuidedScreenClass) {
      guided = true;
      checker.CheckWidgets(screen.window);
      if (StorageRef states = FindWidgetElement(screen.window, "states")) {
        checker.CheckPages(states, static_cast<int>(std::size(kStepPages)));
        checker.CheckPresses(states);
        checker.CheckMouse(states, "", ReadBool(states, "mousestop", false));
      }
    } else if (screen.type == kHelpScreenClass) {
      StorageRef states = FindWidgetElement(screen.window, "states");
      if (!states) checker.Report("", "the two-page help lacks the widget \"states\"");
      if (!FindWidgetElement(screen.window, "button_ok"))
        checker.Report("", "the two-page help lacks the widget \"button_ok\"");
      if (states) checker.CheckPages(states, kHelpPages);
    }
  }
  if (!guided) return;
  for (const char* name : kGuidedLevelScreens) {
    bool found = false;
    for (const ScreenElement& screen : screens) found = found || EqualsIgnoreAsciiCase(screen.name, name);
    if (!found) {
      const std::string game = ReadString(context.definition, "name");
      context.report({Settings().GameFileName, (game.empty() ? "game" : "game[" + game + "]") + "/gamescreens",
                      "the guided level opens the screen " + Quoted(name) + ", which is missing"});
    }
  }
  CheckGuidedLevels(context);
}

}  // namespace

void AddGuidedLevelCheck() { AddDataCheck("guided level", CheckGuidedLevel); }

}  // namespace kestrelle
