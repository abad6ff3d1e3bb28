// check APP_DIR: loads the game definition of a program folder, every resource file it names and
// every screen through the real class registry, and lists what is wrong, one
// "FILE: ELEMENT PATH: MESSAGE" a line. Exit code 1 when anything is listed.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <pugixml.hpp>

#include "app/game.h"
#include "data/class_registry.h"
#include "data/data_files.h"
#include "data/hier_storage.h"
#include "data/os_files.h"
#include "data/process_settings.h"
#include "data/user_files.h"
#include "data_check.h"
#include "game/startup.h"
#include "media/language.h"
#include "subcommands.h"

namespace kestrelle::data_tool {

namespace {

// The game object as the engine makes it: by its registered "type", loaded from the root.
std::shared_ptr<TGame> LoadGame(const std::string& text) {
  StorageRef root = LoadStorageFromString(text);
  if (!root) return nullptr;
  auto game = std::dynamic_pointer_cast<TGame>(CreateObjectFromString(ReadString(root, "type", "")));
  if (!game) return nullptr;
  game->SetName(ReadString(root, "name", ""));
  game->LoadFromStorage(root);
  return game;
}

void CheckGameDefinition(DataCheckRun& run) {
  const std::string file = Settings().GameFileName;
  std::optional<std::string> text = ReadEncipheredDataFile(file);
  pugi::xml_document document;
  if (!text) {
    run.Report(file, "", "the game definition is missing");
    return;
  }
  if (!document.load_string(text->c_str()) || !document.document_element()) {
    run.Report(file, "", "not a readable XML document (enciphered with the data-file key?)");
    return;
  }
  const pugi::xml_node root = document.document_element();
  CheckResourceFiles(root, run);
  CheckDefinitionElements(file, root, run);
  CheckContentFiles(file, root, run);
  std::shared_ptr<TGame> game;
  try {
    game = LoadGame(*text);
  } catch (const std::exception& e) {
    run.Report(file, ElementPath(root), std::string("loading the game failed: ") + e.what());
    return;
  }
  if (!game) return;  // the class check has named the root's class
  CheckScreens(file, game, run);
  DataCheckContext context{game, [&run](DataFinding finding) { run.findings.push_back(std::move(finding)); },
                           LoadStorageFromString(*text, file)};
  for (const auto& [name, check] : DataChecks()) {
    try {
      check(context);
    } catch (const std::exception& e) {
      run.Report(file, "", "the check \"" + name + "\" failed: " + e.what());
    }
  }
}

}  // namespace

int RunCheck(const Args& args) {
  if (args.size() != 1) return Fail("check needs the program folder: check APP_DIR");
  std::error_code ec;
  const std::filesystem::path folder = std::filesystem::absolute(os::PathFromUtf8(args[0]), ec);
  if (ec || !std::filesystem::is_directory(folder)) return Fail("no folder \"" + args[0] + "\"");
  SetAppPath(os::Utf8FromPath(folder));
  InitializeKestrelle();

  DataCheckRun run;
  if (!LanguageTable() || LanguageTable()->StringCount() == 0)
    run.Report(Settings().LanguageFileName, "", "the language file is missing or holds no strings");
  CheckGameDefinition(run);

  for (const DataFinding& finding : run.findings) {
    std::string line = finding.file + ": ";
    if (!finding.path.empty()) line += finding.path + ": ";
    std::printf("%s%s\n", line.c_str(), finding.message.c_str());
  }
  if (run.findings.empty()) std::printf("%s: no faults found\n", args[0].c_str());
  return run.findings.empty() ? 0 : 1;
}

}  // namespace kestrelle::data_tool
