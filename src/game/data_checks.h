#pragma once
// Checks of the game's data that need the game's own knowledge (the content code adds them, for
// instance that every level reference's file loads). `kestrelle-data check` runs every check
// added here after it has loaded the game definition, with the game object as the game loaded it.

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data/hier_storage.h"

namespace kestrelle {

class TGame;

// One fault: the file, the element path in it ("game/gamescreens/gamescreen[GS_Main]") and what
// is wrong.
struct DataFinding {
  std::string file;
  std::string path;
  std::string message;
};

struct DataCheckContext {
  std::shared_ptr<TGame> game;
  std::function<void(DataFinding)> report;
  // The game definition as written (its elements' "_outstorage" files read through), for what
  // loading does not keep: a widget named twice, for instance, loads once.
  StorageRef definition = nullptr;
};

using DataCheck = std::function<void(const DataCheckContext& context)>;

// Adds a check under a name; a second check under the same name replaces the first, so that
// registering the classes again does not run a check twice.
void AddDataCheck(const std::string& name, DataCheck check);
const std::vector<std::pair<std::string, DataCheck>>& DataChecks();

}  // namespace kestrelle
