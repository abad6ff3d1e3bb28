// The shop content part of `kestrelle-data check`: the files that list elements name with
// "_outstorage", the level files their level references name, and the names inside "extraparams"
// pair lists (pictures, widget factories; language keys are checked with every attribute).
#include <optional>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <string_view>

#include "data/data_files.h"
#include "data/hier_storage.h"
#include "data/text_encoding.h"
#include "data_check.h"

namespace kestrelle::data_tool {

namespace {

// A content file is plain XML or enciphered with the data-file key.
bool LoadContentFile(const std::string& file, pugi::xml_document& document) {
  if (std::optional<std::string> text = ReadDataFile(file);
      text && document.load_string(text->c_str()) && document.document_element())
    return true;
  std::optional<std::string> text = ReadEncipheredDataFile(file);
  return text && document.load_string(text->c_str()) && document.document_element();
}

std::string Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

struct ContentChecker {
  DataCheckRun& run;
  std::set<std::string> factories;  // widget factory names of the game definition, upper case

  void CheckPair(const std::string& file, const pugi::xml_node& element, const std::string& key,
                 const std::string& value) {
    if (value.empty() || value.find('%') != std::string::npos) return;
    if (EqualsIgnoreAsciiCase(key, "res") || EqualsIgnoreAsciiCase(key, "resourcename") ||
        EqualsIgnoreAsciiCase(key, "result_image") || EqualsIgnoreAsciiCase(key, "background")) {
      if (!run.resources.contains(AsciiUpper(value)))
        run.Report(file, ElementPath(element),
                   "extraparams " + key + ": resource " + Quoted(value) + " is not defined by any resource file");
    } else if (EqualsIgnoreAsciiCase(key, "factory_name") || EqualsIgnoreAsciiCase(key, "result_icons") ||
               EqualsIgnoreAsciiCase(key, "icon")) {
      size_t start = 0;
      while (start <= value.size()) {
        const size_t end = value.find(',', start);
        const std::string name = Trim(std::string_view(value).substr(start, end - start));
        if (!name.empty() && !factories.contains(AsciiUpper(name)))
          run.Report(file, ElementPath(element), "extraparams " + key + ": no widget factory is named " + Quoted(name));
        if (end == std::string::npos) break;
        start = end + 1;
      }
    }
  }

  // "key=value\key=value"; a value in braces may hold "\".
  void CheckExtraParams(const std::string& file, const pugi::xml_node& element, std::string_view text) {
    size_t at = 0;
    while (at < text.size()) {
      const size_t equals = text.find('=', at);
      if (equals == std::string_view::npos) break;
      const std::string key = Trim(text.substr(at, equals - at));
      size_t end;
      std::string value;
      if (equals + 1 < text.size() && text[equals + 1] == '{') {
        const size_t close = text.find('}', equals + 2);
        value = std::string(text.substr(equals + 2, close == std::string_view::npos ? close : close - equals - 2));
        end = close == std::string_view::npos ? text.size() : text.find('\\', close);
      } else {
        end = text.find('\\', equals + 1);
        value = Trim(text.substr(equals + 1, end == std::string_view::npos ? end : end - equals - 1));
      }
      CheckPair(file, element, key, value);
      if (end == std::string_view::npos) break;
      at = end + 1;
    }
  }

  void CheckElements(const std::string& file, const pugi::xml_node& element) {
    if (pugi::xml_attribute extra = FindAttribute(element, "extraparams"))
      CheckExtraParams(file, element, extra.value());
    for (pugi::xml_node child : element.children())
      if (child.type() == pugi::node_element) CheckElements(file, child);
  }

  // A document of content: its classes, resources and keys, and its extraparams.
  void CheckDocument(const std::string& file, const pugi::xml_node& root) {
    CheckDefinitionElements(file, root, run, true);
    CheckElements(file, root);
  }

  void CheckLevelFiles(const std::string& file, const pugi::xml_node& list) {
    for (pugi::xml_node level : list.children()) {
      if (level.type() != pugi::node_element) continue;
      std::string filename;
      for (pugi::xml_node param : level.child("properties").children("param"))
        if (EqualsIgnoreAsciiCase(FindAttribute(param, "name").value(), "filename"))
          filename = FindAttribute(param, "value").value();
      if (filename.empty()) continue;  // the level-file check names references without a file
      pugi::xml_document document;
      if (!LoadContentFile(filename, document)) continue;  // reported by the level-file check
      CheckDocument(filename, document.document_element());
    }
  }

  void FollowOutStorage(const std::string& gameFile, const pugi::xml_node& element) {
    for (pugi::xml_node child : element.children()) {
      if (child.type() != pugi::node_element) continue;
      if (pugi::xml_attribute out = FindAttribute(child, "_outstorage")) {
        const std::string file = OuterStorageFile(out.value());
        pugi::xml_document document;
        if (file.empty()) {
          run.Report(gameFile, ElementPath(child), "\"_outstorage\" names no file");
        } else if (!LoadContentFile(file, document)) {
          run.Report(gameFile, ElementPath(child),
                     "the file " + Quoted(file) + " named by \"_outstorage\" does not load");
        } else {
          CheckDocument(file, document.document_element());
          if (EqualsIgnoreAsciiCase(child.name(), "levels")) CheckLevelFiles(file, document.document_element());
        }
      } else if (EqualsIgnoreAsciiCase(child.name(), "levels")) {
        CheckLevelFiles(gameFile, child);
      }
      FollowOutStorage(gameFile, child);
    }
  }

  // The factories of the game definition and of the files its elements name through
  // "_outstorage" (a screen in a file of its own keeps its factories there).
  void CollectFactories(const pugi::xml_node& element) {
    for (pugi::xml_node child : element.children()) {
      if (child.type() != pugi::node_element) continue;
      if (EqualsIgnoreAsciiCase(child.name(), "widgetfactory"))
        factories.insert(AsciiUpper(FindAttribute(child, "name").value()));
      if (pugi::xml_attribute out = FindAttribute(child, "_outstorage")) {
        pugi::xml_document document;
        const std::string file = OuterStorageFile(out.value());
        if (!file.empty() && LoadContentFile(file, document)) CollectFactories(document);
      }
      CollectFactories(child);
    }
  }
};

}  // namespace

void CheckContentFiles(const std::string& file, const pugi::xml_node& game, DataCheckRun& run) {
  ContentChecker checker{run, {}};
  checker.CollectFactories(game);
  checker.CheckElements(file, game);
  checker.FollowOutStorage(file, game);
}

}  // namespace kestrelle::data_tool
