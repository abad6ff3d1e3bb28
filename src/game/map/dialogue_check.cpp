#include "game/map/dialogue_check.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/game.h"
#include "data/hier_storage.h"
#include "data/process_settings.h"
#include "game/content/dialog_defs.h"
#include "game/data_checks.h"
#include "game/map/dialogue_screen.h"
#include "game/map/main_menu_screen.h"

namespace kestrelle {

namespace {

std::string Text(TPropertyObject& object, const std::string& key) {
  const Variant value = object.GetProperty(key);
  return value.IsEmptyOrNull() ? std::string() : value.ToString();
}

// The faults of one dialogue; `hasBubble` says whether every dialogue screen has a widget of that name.
std::vector<std::string> DialogueFaults(TDialogDef& dialogue,
                                        const std::function<bool(const std::string&)>& hasBubble) {
  std::vector<std::string> faults;
  const Variant count = Variant(Text(dialogue, "pers_count"));
  const int64_t persons = count.ToInt(-1);
  if (persons < 0 || std::to_string(persons) != Text(dialogue, "pers_count")) {
    faults.push_back("\"pers_count\" is no number");
    return faults;
  }
  std::set<std::string> names;
  std::map<std::string, std::string> bubbleOwner;
  for (int64_t k = 1; k <= persons; ++k) {
    const std::string number = std::to_string(k);
    const std::string name = Text(dialogue, "pers" + number);
    const std::string bubble = Text(dialogue, "persline" + number);
    names.insert(name);
    if (bubble != "line_left" && bubble != "line_right")
      faults.push_back("person " + number + " (\"" + name + "\") speaks through \"" + bubble +
                       "\", which is neither \"line_left\" nor \"line_right\"");
    else if (!hasBubble(bubble))
      faults.push_back("a dialogue screen has no bubble \"" + bubble + "\"");
    else if (auto [at, added] = bubbleOwner.emplace(bubble, name); !added)
      faults.push_back("persons \"" + at->second + "\" and \"" + name + "\" share the bubble \"" + bubble + "\"");
  }
  auto lines = dialogue.GetLines();
  if (!lines || lines->GetCount() == 0) faults.push_back("the dialogue has no line");
  for (int i = 0; lines && i < lines->GetCount(); ++i) {
    auto line = lines->GetItem(i);
    if (!line) continue;
    const std::string where = "line \"" + line->GetName() + "\": ";
    if (!names.count(Text(*line, "pers")))
      faults.push_back(where + "\"" + Text(*line, "pers") + "\" is no person of the dialogue");
    const std::string type = Text(*line, "type");
    std::vector<std::string> keys;
    if (type == "single")
      keys = {"next_line"};
    else if (type == "dual")
      keys = {"next_line_yes", "next_line_no"};
    else
      faults.push_back(where + "the type \"" + type + "\" is neither \"single\" nor \"dual\"");
    for (const std::string& key : keys) {
      const std::string next = Text(*line, key);
      if (next.empty() && key == "next_line") continue;  // the conversation ends here
      if (!dialogue.GetLineByName(next)) faults.push_back(where + "\"" + key + "\" names no line (\"" + next + "\")");
    }
  }
  return faults;
}

void CheckDialogues(const DataCheckContext& context) {
  if (!context.game) return;
  GameScreenCollectionRef screens = context.game->GetScreens();
  std::vector<WindowRef> dialogueWindows;
  for (int i = 0; screens && i < screens->GetCount(); ++i)
    if (auto screen = std::dynamic_pointer_cast<TKestrelleGameScreenDialogue>(screens->Get(Variant(i))))
      dialogueWindows.push_back(screen->GetWindowInterface());
  const auto hasBubble = [&](const std::string& name) {
    for (const WindowRef& window : dialogueWindows)
      if (!window || !window->FindWidget(name)) return false;
    return true;
  };
  for (int i = 0; screens && i < screens->GetCount(); ++i) {
    auto menu = std::dynamic_pointer_cast<TKestrelleGameScreenMain>(screens->Get(Variant(i)));
    if (!menu) continue;
    auto dialogues = std::dynamic_pointer_cast<TDialogDefCollection>(menu->Content().Get("dialog_defs"));
    if (!dialogues) continue;
    std::string file = OuterStorageFile(dialogues->GetOutStorage());
    std::string path = dialogues->GetStorageName();
    if (file.empty()) {
      file = Settings().GameFileName;
      path = "game[" + context.game->GetName() + "]/gamescreens/gamescreen[" + menu->GetName() + "]/" + path;
    }
    for (int j = 0; j < dialogues->GetCount(); ++j) {
      auto dialogue = dialogues->GetItem(j);
      if (!dialogue) continue;
      for (const std::string& fault : DialogueFaults(*dialogue, hasBubble))
        context.report({file, path + "/dialogue[" + dialogue->GetName() + "]", fault});
    }
  }
}

}  // namespace

void AddDialogueCheck() { AddDataCheck("dialogues", CheckDialogues); }

}  // namespace kestrelle
