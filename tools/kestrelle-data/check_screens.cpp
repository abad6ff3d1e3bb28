// The screens of `kestrelle-data check`: the loaded game's screens and their widgets have every
// child that their classes look up by name.
#include "app/game.h"
#include "app/game_screen_interface.h"
#include "app/widget_interfaces.h"
#include "data/class_registry.h"
#include "data_check.h"

namespace kestrelle::data_tool {

namespace {

// The names the object's class declares it looks up.
const std::vector<std::string>* RequiredChildren(const std::shared_ptr<IInterface>& object, std::string& className) {
  auto concrete = std::dynamic_pointer_cast<TAbstractObject>(object);
  if (!concrete) return nullptr;
  className = GetRegisteredName(*concrete);
  const ClassRecord* record = className.empty() ? nullptr : ClassRegistry::Instance().Find(className);
  return record && !record->requiredChildren.empty() ? &record->requiredChildren : nullptr;
}

struct ScreenChecker {
  const std::string& file;
  DataCheckRun& run;

  void Lacks(const std::string& path, const std::string& owner, const std::string& child,
             const std::string& className) {
    run.Report(file, path,
               owner + " lacks the widget \"" + child + "\" that its class " + className + " looks up by name");
  }

  void CheckWidget(const WidgetRef& widget, const std::string& path) {
    if (!widget) return;
    std::string className;
    if (const std::vector<std::string>* children = RequiredChildren(widget, className)) {
      for (const std::string& child : *children)
        if (!widget->FindWidget(child)) Lacks(path, "the widget", child, className);
    }
    WidgetCollectionRef widgets = widget->GetWidgets();
    const int count = widgets ? widgets->GetCount() : 0;
    for (int i = 0; i < count; ++i) {
      WidgetRef child = widgets->GetByIndex(i);
      if (child) CheckWidget(child, path + "/widgets/widget[" + child->GetName() + "]");
    }
  }
};

}  // namespace

void CheckScreens(const std::string& file, const std::shared_ptr<TGame>& game, DataCheckRun& run) {
  GameScreenCollectionRef screens = game ? game->GetScreens() : nullptr;
  const int count = screens ? screens->GetCount() : 0;
  // The root's path as the element walk writes it.
  const std::string gamePath = game->GetName().empty() ? "game" : "game[" + game->GetName() + "]";
  for (int i = 0; i < count; ++i) {
    GameScreenRef screen = screens->Get(Variant(i));
    if (!screen) continue;
    const std::string path = gamePath + "/gamescreens/gamescreen[" + screen->GetName() + "]";
    ScreenChecker checker{file, run};
    WindowRef window = screen->GetWindowInterface();
    std::string className;
    if (const std::vector<std::string>* children = RequiredChildren(screen, className)) {
      for (const std::string& child : *children)
        if (!window || !window->FindWidget(child)) checker.Lacks(path, "the screen", child, className);
    }
    checker.CheckWidget(screen->GetWindowWidget(), path + "/window");
  }
}

}  // namespace kestrelle::data_tool
