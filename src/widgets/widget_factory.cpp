#include "widgets/widget_factory.h"

#include "data/class_registry.h"
#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/text_lists.h"
#include "data/xml_escape.h"

namespace kestrelle {

const TPropertyTable& TWidgetFactory::GetPropertyTable() const {
  static const TPropertyTable table(
      TPropertyObject::GetPropertyTable(),
      {
          Property("widgetstring", &TWidgetFactory::widgetString_).SetWith(&TWidgetFactory::SetWidgetString),
          Property("usemacros", &TWidgetFactory::useMacros_, true).SetWith(&TWidgetFactory::SetUseMacros),
          Property("redefinedparams", &TWidgetFactory::redefinedParams_).SavedIfNotDefault(),
      });
  return table;
}

void TWidgetFactory::Initialize() {
  TPropertyObject::Initialize();
  storageName_ = "widgetfactory";
  parsed_ = nullptr;
}

void TWidgetFactory::LoadProperties(const StorageRef& storage) {
  TPropertyObject::LoadProperties(storage);
  parsed_ = nullptr;
}

void TWidgetFactory::SetWidgetString(const std::string& text) {
  widgetString_ = text;
  parsed_ = nullptr;
}

void TWidgetFactory::SetUseMacros(bool useMacros) {
  useMacros_ = useMacros;
  parsed_ = nullptr;
}

std::string TWidgetFactory::ExpandMacros(const ParamsRef& params) {
  std::string text = widgetString_;
  if (!params) return text;
  for (int i = 0; i < params->GetCount(); ++i) {
    ParamRef param = params->GetParam(Variant(i));
    if (!param) continue;
    const std::string macro = "%" + param->GetName() + "%";
    if (macro.size() == 2) continue;
    const std::string value = EscapeXmlAttribute(param->GetValue().ToString());
    // Built anew per parameter: the inserted values are not searched again for the same macro.
    std::string expanded;
    size_t from = 0;
    for (size_t at = text.find(macro); at != std::string::npos; at = text.find(macro, from)) {
      expanded.append(text, from, at - from).append(value);
      from = at + macro.size();
      if (expanded.size() + (text.size() - from) > kMaxExpandedText) {
        LogLine("Widget factory \"" + GetName() + "\": its expanded widget string grows past " +
                std::to_string(kMaxExpandedText) + " bytes; no widget");
        return {};
      }
    }
    if (from == 0) continue;
    text = std::move(expanded.append(text, from));
  }
  return text;
}

WidgetRef TWidgetFactory::CreateWidget(const ParamsRef& params) {
  WidgetRef result;
  try {
    StorageRef storage;
    if (useMacros_) {
      storage = LoadStorageFromString(ExpandMacros(params), SourceName());
    } else {
      if (!parsed_) parsed_ = LoadStorageFromString(widgetString_, SourceName());
      storage = parsed_;
    }
    if (!storage) {
      LogLine("Widget factory \"" + GetName() + "\": its widget string is not a readable element");
      return nullptr;
    }
    const std::string name = ReadString(storage, "name", "");
    const std::string type = ReadString(storage, "type", "");
    auto object = CreateObjectFromString(type);
    if (!object) {
      LogLine("Widget factory \"" + GetName() + "\": unknown widget type \"" + type + "\"");
      return nullptr;
    }
    if (auto named = std::dynamic_pointer_cast<INamedObject>(object)) named->SetName(name);
    result = std::dynamic_pointer_cast<IWidget>(object);
    if (auto persistent = std::dynamic_pointer_cast<IPersistent>(object)) persistent->LoadFromStorage(storage);
  } catch (const std::exception& e) {
    LogLine("Widget factory \"" + GetName() + "\": " + e.what());
    return nullptr;
  }
  if (!result) return nullptr;
  if (!useMacros_ && !redefinedParams_.empty()) {
    for (const auto& [key, source] : SplitKeyValues(redefinedParams_, '\\', '=')) {
      try {
        Variant value = params ? params->GetValue(source, Null{}) : Variant(Null{});
        result->SetProperty(source, value);
      } catch (const std::exception&) {
      }
    }
  }
  if (auto persist = std::dynamic_pointer_cast<IPersistObject>(result)) persist->SetStored(false);
  return result;
}

void TWidgetFactoryCollection::Initialize() {
  TTypedCreationPersistItemCollection::Initialize();
  storageName_ = "widgetfactories";
  itemElementName_ = "widgetfactory";
}

InterfaceRef TWidgetFactoryCollection::CreateItem(const StorageRef& storage) {
  if (ReadString(storage, "type", "").empty()) {
    auto factory = Create<TWidgetFactory>();
    factory->SetName(ReadString(storage, "name", ""));
    return factory;
  }
  return TTypedCreationPersistItemCollection::CreateItem(storage);
}

void TWidgetFactoryCollection::AddItem(const InterfaceRef& item) {
  if (auto factory = std::dynamic_pointer_cast<IWidgetFactory>(item)) Add(factory);
}

void TWidgetFactoryCollection::Add(const WidgetFactoryRef& factory) {
  if (factory) items_.Add(factory, factory->GetName());
}

}  // namespace kestrelle
