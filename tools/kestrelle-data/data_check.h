#pragma once
// The parts of `kestrelle-data check`: each reads one kind of data and adds what is wrong with it
// to the findings, naming the file and the element path.

#include <memory>
#include <optional>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "game/data_checks.h"

namespace kestrelle {
class TGame;
}

namespace kestrelle::data_tool {

struct DataCheckRun {
  std::vector<DataFinding> findings;
  // Resource names defined by the resource files, ASCII upper case.
  std::set<std::string> resources;

  void Report(const std::string& file, const std::string& path, const std::string& message) {
    findings.push_back(DataFinding{file, path, message});
  }
};

// "game/gamescreens/gamescreen[GS_Main]": element names from the root, with their "name".
std::string ElementPath(const pugi::xml_node& element);
// The attribute of that name in any letter case, as the storage reads it.
pugi::xml_attribute FindAttribute(const pugi::xml_node& element, std::string_view name);
std::string Quoted(std::string_view text);

// A data file as the game reads it (enciphered with the data-file key); none when it cannot be
// read.
std::optional<std::string> ReadEncipheredDataFile(const std::string& file);

// check_resources.cpp: every resource file the game definition names: its classes, the names it
// defines (into `run.resources`) and whether each resource's data file can be read.
void CheckResourceFiles(const pugi::xml_node& game, DataCheckRun& run);

// check_definitions.cpp: every element of a document: "type" names a registered class of the
// kind its element holds; "resourcename" a defined resource; "%key%" texts a language string;
// widget factories' widget strings the same way.
// In a content file ("contentFile") only the root and widget and resource elements name classes.
void CheckDefinitionElements(const std::string& file, const pugi::xml_node& root, DataCheckRun& run,
                             bool contentFile = false);

// check_content.cpp: the files list elements name with "_outstorage" and the level files of the
// level list, element by element as above, and every "extraparams" pair list (in the game
// definition too): pictures ("res", "resourcename", "result_image", "background") are defined
// resources, widget factories ("factory_name", "icon", "result_icons") exist in the game definition
// or in a file one of its elements names with "_outstorage".
void CheckContentFiles(const std::string& file, const pugi::xml_node& game, DataCheckRun& run);

// check_screens.cpp: the screens of the loaded game lack no child their classes look up.
void CheckScreens(const std::string& file, const std::shared_ptr<TGame>& game, DataCheckRun& run);

}  // namespace kestrelle::data_tool
