// The element-by-element part of `kestrelle-data check`: class names, resource names, language
// keys and widget factories in one document.
#include <algorithm>
#include <pugixml.hpp>
#include <string_view>
#include <vector>

#include "app/game_interface.h"
#include "app/game_screen_interface.h"
#include "app/resources.h"
#include "app/widget_interfaces.h"
#include "data/class_registry.h"
#include "data/text_encoding.h"
#include "data_check.h"
#include "media/language.h"

namespace kestrelle::data_tool {

namespace {

// The kind of object an element of this name is loaded as; empty for elements of any kind.
std::string_view ExpectedKind(std::string_view elementName, const std::shared_ptr<TAbstractObject>& object) {
  if (EqualsIgnoreAsciiCase(elementName, "widget")) return std::dynamic_pointer_cast<IWidget>(object) ? "" : "widget";
  if (EqualsIgnoreAsciiCase(elementName, "resource"))
    return std::dynamic_pointer_cast<IResource>(object) ? "" : "resource";
  if (EqualsIgnoreAsciiCase(elementName, "gamescreen"))
    return std::dynamic_pointer_cast<IGameScreenSlave>(object) ? "" : "game screen";
  if (EqualsIgnoreAsciiCase(elementName, "game")) return std::dynamic_pointer_cast<IGame>(object) ? "" : "game";
  return "";
}

bool HasMacro(std::string_view text) { return text.find('%') != std::string_view::npos; }

bool IsKeyCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The "%key%" texts of a value ("%%" is a percent sign, a lone "%" stays as it is).
std::vector<std::string> LanguageKeys(std::string_view text) {
  std::vector<std::string> keys;
  size_t at = 0;
  while ((at = text.find('%', at)) != std::string_view::npos) {
    size_t end = at + 1;
    while (end < text.size() && IsKeyCharacter(text[end])) ++end;
    if (end < text.size() && text[end] == '%') {
      if (end > at + 1) keys.emplace_back(text.substr(at + 1, end - at - 1));
      at = end + 1;
    } else {
      at = end;
    }
  }
  return keys;
}

struct ElementChecker {
  const std::string& file;
  DataCheckRun& run;
  // Inside a widget factory's widget string "%name%" texts are macros, not language keys.
  bool macros = false;
  std::string prefix;  // the factory's own path, for elements of its widget string
  // In content files "type" is a class name only on the root and on widget and resource elements
  // (an action's "type" is its track).
  bool contentFile = false;

  bool TypeIsClass(const pugi::xml_node& element) const {
    if (!contentFile || element.parent().type() == pugi::node_document) return true;
    return !ExpectedKind(element.name(), nullptr).empty();
  }

  std::string PathOf(const pugi::xml_node& element) const {
    return prefix.empty() ? ElementPath(element) : prefix + " widgetstring: " + ElementPath(element);
  }

  void CheckClass(const pugi::xml_node& element, std::string_view type) {
    if (type.empty() || HasMacro(type)) return;
    std::string className;
    std::string params;
    SplitCreationString(type, className, params);
    if (!ClassRegistry::Instance().IsRegistered(className)) {
      run.Report(file, PathOf(element), "unknown class " + Quoted(className));
      return;
    }
    std::shared_ptr<TAbstractObject> object;
    try {
      object = CreateObjectFromString(className);
    } catch (const std::exception& e) {
      run.Report(file, PathOf(element), "class " + Quoted(className) + " cannot be made: " + e.what());
      return;
    }
    std::string_view kind = ExpectedKind(element.name(), object);
    if (!kind.empty())
      run.Report(file, PathOf(element), "class " + Quoted(className) + " is not a " + std::string(kind) + " class");
  }

  void CheckResourceName(const pugi::xml_node& element, std::string_view name) {
    if (name.empty() || HasMacro(name)) return;
    if (!run.resources.contains(AsciiUpper(name)))
      run.Report(file, PathOf(element), "resource " + Quoted(name) + " is not defined by any resource file");
  }

  // A minigame round's "resourcename" is a prefix (picture k is the prefix followed by k, for
  // k = 1 .. "places" - 1) unless "specific_resource" is "yes", when it lists the names with ",".
  void CheckRoundPictures(const pugi::xml_node& element, std::string_view names) {
    if (!EqualsIgnoreAsciiCase(element.attribute("specific_resource").value(), "yes")) {
      const int places = element.attribute("places").as_int();
      for (int k = 1; k < places; ++k) CheckResourceName(element, std::string(names) + std::to_string(k));
      return;
    }
    size_t start = 0;
    while (start <= names.size()) {
      const size_t comma = std::min(names.find(',', start), names.size());
      CheckResourceName(element, names.substr(start, comma - start));
      start = comma + 1;
    }
  }

  void CheckLanguageKeys(const pugi::xml_node& element, std::string_view text) {
    if (macros) return;
    const TMultiLanguages* language = LanguageTable();
    for (const std::string& key : LanguageKeys(text)) {
      if (!language || !language->FindString(key))
        run.Report(file, PathOf(element), "language key " + Quoted("%" + key + "%") + " is not in the language file");
    }
  }

  void CheckFactory(const pugi::xml_node& element, std::string_view widgetString) {
    pugi::xml_document document;
    if (!document.load_buffer(widgetString.data(), widgetString.size()) || !document.document_element()) {
      run.Report(file, PathOf(element), "the widget string is not a readable element");
      return;
    }
    ElementChecker inner{file, run, true, PathOf(element)};
    inner.Check(document.document_element());
  }

  void Check(const pugi::xml_node& element) {
    for (pugi::xml_attribute attribute : element.attributes()) {
      const std::string_view name = attribute.name();
      const std::string_view value = attribute.value();
      if (EqualsIgnoreAsciiCase(name, "type")) {
        if (TypeIsClass(element)) CheckClass(element, value);
      } else if (EqualsIgnoreAsciiCase(name, "resourcename")) {
        if (contentFile && EqualsIgnoreAsciiCase(element.name(), "round"))
          CheckRoundPictures(element, value);
        else
          CheckResourceName(element, value);
      } else if (EqualsIgnoreAsciiCase(name, "widgetstring") && EqualsIgnoreAsciiCase(element.name(), "widgetfactory"))
        CheckFactory(element, value);
      if (!EqualsIgnoreAsciiCase(name, "widgetstring")) CheckLanguageKeys(element, value);
    }
    for (pugi::xml_node child : element.children()) {
      if (child.type() == pugi::node_element)
        Check(child);
      else if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
        CheckLanguageKeys(element, child.value());
    }
  }
};

}  // namespace

pugi::xml_attribute FindAttribute(const pugi::xml_node& element, std::string_view name) {
  for (pugi::xml_attribute attribute : element.attributes())
    if (EqualsIgnoreAsciiCase(attribute.name(), name)) return attribute;
  return {};
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string ElementPath(const pugi::xml_node& element) {
  std::vector<pugi::xml_node> chain;
  for (pugi::xml_node node = element; node && node.type() == pugi::node_element; node = node.parent())
    chain.push_back(node);
  std::string path;
  for (auto node = chain.rbegin(); node != chain.rend(); ++node) {
    if (!path.empty()) path += '/';
    path += node->name();
    if (pugi::xml_attribute name = FindAttribute(*node, "name")) {
      path += '[';
      path += name.value();
      path += ']';
    }
  }
  return path;
}

void CheckDefinitionElements(const std::string& file, const pugi::xml_node& root, DataCheckRun& run, bool contentFile) {
  ElementChecker checker{file, run, false, "", contentFile};
  checker.Check(root);
}

}  // namespace kestrelle::data_tool
