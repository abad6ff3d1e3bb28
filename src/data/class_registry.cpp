#include "data/class_registry.h"

namespace kestrelle {

ClassRegistry& ClassRegistry::Instance() {
  static ClassRegistry registry;
  return registry;
}

void ClassRegistry::Register(std::string_view name, ClassRecord record) { classes_.AddOrThrow(std::move(record), name); }

std::string ClassRegistry::NameOf(std::type_index type) const {
  for (const auto& entry : classes_)
    if (entry.item.type == type) return entry.keyText;
  return {};
}

std::string GetRegisteredName(const std::type_info& type) { return ClassRegistry::Instance().NameOf(std::type_index(type)); }

void SplitCreationString(std::string_view text, std::string& className, std::string& params) {
  size_t brace = text.find('{');
  if (brace == std::string_view::npos) {
    className = std::string(text);
    params.clear();
    return;
  }
  className = std::string(text.substr(0, brace));
  // Everything after "{" up to, not including, the last character (the closing "}").
  size_t last = text.size() - 1;
  params = last > brace ? std::string(text.substr(brace + 1, last - brace - 1)) : std::string();
}

std::shared_ptr<TAbstractObject> CreateObjectFromString(std::string_view text) {
  std::string className;
  std::string params;
  SplitCreationString(text, className, params);
  const ClassRecord* record = ClassRegistry::Instance().Find(className);
  if (!record) return nullptr;
  auto object = record->construct();
  object->Initialize();
  if (!params.empty()) object->ApplyParams(params);
  return object;
}

}  // namespace kestrelle
