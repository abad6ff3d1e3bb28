// The resource files of `kestrelle-data check`: each one named by the game definition is read as
// the engine reads it; its resources' names are collected and their data files looked for.
#include <memory>
#include <pugixml.hpp>

#include "data/cipher.h"
#include "data/data_files.h"
#include "data/process_settings.h"
#include "data/text_encoding.h"
#include "data/text_lists.h"
#include "data_check.h"
#include "media/reader.h"

namespace kestrelle::data_tool {

namespace {

std::string AttributeValue(const pugi::xml_node& element, std::string_view name) {
  return FindAttribute(element, name).value();
}

struct FontList {
  std::string file;
  std::string path;
  std::string fonts;
};

// Every "resource" element of the document, with those of groups.
void CollectResources(const std::string& file, const pugi::xml_node& element, DataCheckRun& run,
                      std::vector<FontList>& fontLists) {
  for (pugi::xml_node child : element.children()) {
    if (child.type() != pugi::node_element) continue;
    if (EqualsIgnoreAsciiCase(child.name(), "resource")) {
      const std::string name = AttributeValue(child, "name");
      if (!name.empty()) run.resources.insert(AsciiUpper(name));
      const std::string data = AttributeValue(child, "file");
      if (!data.empty() && !OpenResourceStream(data, true))
        run.Report(file, ElementPath(child), "the file " + Quoted(data) + " is missing");
      const std::string fonts = AttributeValue(child, "fonts");
      if (!fonts.empty()) fontLists.push_back(FontList{file, ElementPath(child), fonts});
    }
    CollectResources(file, child, run, fontLists);
  }
}

}  // namespace

std::optional<std::string> ReadEncipheredDataFile(const std::string& file) {
  std::optional<std::string> data = ReadDataFile(file);
  if (!data) return std::nullopt;
  try {
    return DecipherFromHex(Settings().DataFileKey, *data);
  } catch (...) {
    return std::nullopt;
  }
}

void CheckResourceFiles(const pugi::xml_node& game, DataCheckRun& run) {
  std::vector<FontList> fontLists;
  std::vector<std::pair<std::string, std::unique_ptr<pugi::xml_document>>> documents;
  for (pugi::xml_node files : game.children()) {
    if (!EqualsIgnoreAsciiCase(files.name(), "resourcefiles")) continue;
    for (pugi::xml_node entry : files.children()) {
      if (entry.type() != pugi::node_element) continue;
      const std::string file = AttributeValue(entry, "filename");
      std::optional<std::string> text = ReadEncipheredDataFile(file);
      auto document = std::make_unique<pugi::xml_document>();
      if (!text) {
        run.Report(Settings().GameFileName, ElementPath(entry), "the resource file " + Quoted(file) + " is missing");
        continue;
      }
      if (!document->load_string(text->c_str()) || !document->document_element()) {
        run.Report(file, "", "not a readable XML document (enciphered with the data-file key?)");
        continue;
      }
      CollectResources(file, document->document_element(), run, fontLists);
      documents.emplace_back(file, std::move(document));
    }
  }
  // Class names once every resource is known.
  for (auto& [file, document] : documents) CheckDefinitionElements(file, document->document_element(), run);
  for (const FontList& list : fontLists) {
    for (const std::string& font : SplitTopLevel(list.fonts, ',')) {
      std::string name(TrimControl(font));
      if (!name.empty() && !run.resources.contains(AsciiUpper(name)))
        run.Report(list.file, list.path, "resource " + Quoted(name) + " is not defined by any resource file");
    }
  }
}

}  // namespace kestrelle::data_tool
