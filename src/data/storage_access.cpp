// The typed readers and writers over any IHierStorage, and the object routines.
#include <atomic>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "data/class_registry.h"
#include "data/file_system.h"
#include "data/hier_storage.h"
#include "data/load_nesting.h"
#include "data/numbers.h"

namespace kestrelle {

namespace {
std::atomic<TextTranslator> g_translator{nullptr};

// The attribute's text, or nothing when it is absent here and in the outer storages.
std::optional<std::string> AttributeText(const StorageRef& storage, const std::string& name) {
  if (!storage) return std::nullopt;
  Variant value = storage->ReadValue(name, Variant());
  if (value.IsEmpty()) return std::nullopt;
  return value.ToString();
}

std::vector<std::string_view> SplitWords(std::string_view words) {
  std::vector<std::string_view> list;
  while (true) {
    size_t slash = words.find('/');
    list.push_back(words.substr(0, slash));
    if (slash == std::string_view::npos) break;
    words.remove_prefix(slash + 1);
  }
  return list;
}
}  // namespace

void SetStorageTranslator(TextTranslator translator) { g_translator.store(translator); }

std::string ReadString(const StorageRef& storage, const std::string& name, const std::string& fallback) {
  std::optional<std::string> text = AttributeText(storage, name);
  return text ? *text : fallback;
}

bool ReadBool(const StorageRef& storage, const std::string& name, bool fallback) {
  std::optional<std::string> text = AttributeText(storage, name);
  if (!text) return fallback;
  if (*text == "yes") return true;
  if (*text == "no") return false;
  return fallback;
}

int64_t ReadInt(const StorageRef& storage, const std::string& name, int64_t fallback) {
  std::optional<std::string> text = AttributeText(storage, name);
  int64_t value = 0;
  return text && ParseIntOrHex(*text, value) ? value : fallback;
}

double ReadFloat(const StorageRef& storage, const std::string& name, double fallback) {
  std::optional<std::string> text = AttributeText(storage, name);
  double value = 0;
  // "inf" and "nan" are not numbers of the data files.
  return text && ParseRealDot(*text, value) && std::isfinite(value) ? value : fallback;
}

uint32_t ReadHex(const StorageRef& storage, const std::string& name, uint32_t fallback) {
  std::optional<std::string> text = AttributeText(storage, name);
  int64_t value = 0;
  if (!text || !ParseIntOrHex(*text, value)) return fallback;
  // Colours are 32-bit patterns: "-1" is white-opaque $FFFFFFFF; wider values are not colours.
  if (value < INT32_MIN || value > static_cast<int64_t>(UINT32_MAX)) return fallback;
  return static_cast<uint32_t>(value);
}

int ReadEnum(const StorageRef& storage, const std::string& name, const std::string& words, int fallback) {
  std::optional<std::string> text = AttributeText(storage, name);
  if (!text || text->empty()) return fallback;
  std::vector<std::string_view> list = SplitWords(words);
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == *text) return static_cast<int>(i);
  return fallback;
}

std::string ReadLocalizedText(const StorageRef& storage, const std::string& name, const std::string& fallback) {
  std::string text = ReadString(storage, name, fallback);
  TextTranslator translator = g_translator.load();
  return translator ? translator(text) : text;
}

void WriteString(const StorageRef& storage, const std::string& name, const std::string& value, bool write) {
  if (storage && write) storage->WriteValue(name, value);
}

void WriteBool(const StorageRef& storage, const std::string& name, bool value, bool write) {
  WriteString(storage, name, value ? "yes" : "no", write);
}

void WriteInt(const StorageRef& storage, const std::string& name, int64_t value, bool write) {
  WriteString(storage, name, std::to_string(value), write);
}

void WriteFloat(const StorageRef& storage, const std::string& name, double value, bool write) {
  WriteString(storage, name, FormatReal(value), write);
}

void WriteHex(const StorageRef& storage, const std::string& name, uint32_t value, bool write) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "$%08X", value);
  WriteString(storage, name, buffer, write);
}

void WriteEnum(const StorageRef& storage, const std::string& name, int index, const std::string& words, bool write) {
  std::vector<std::string_view> list = SplitWords(words);
  if (index < 0 || static_cast<size_t>(index) >= list.size()) return;
  WriteString(storage, name, std::string(list[static_cast<size_t>(index)]), write);
}

bool LoadChildObject(const InterfaceRef& object, const StorageRef& storage, const std::string& name, int index) {
  auto persistent = std::dynamic_pointer_cast<IPersistent>(object);
  if (!persistent || !storage) return false;
  std::string childName = name.empty() ? persistent->GetStorageName() : name;
  if (childName.empty() || index < 0 || index >= storage->GetChildCount(childName)) return false;
  StorageRef child = storage->GetChild(childName, index);
  if (!child || !LoadNestingAllows(child)) return false;
  persistent->LoadFromStorage(child);
  return true;
}

bool SaveChildObject(const InterfaceRef& object, const StorageRef& storage, const std::string& name) {
  auto persistent = std::dynamic_pointer_cast<IPersistent>(object);
  if (!persistent || !storage) return false;
  std::string childName = name.empty() ? persistent->GetStorageName() : name;
  if (childName.empty()) return false;
  if (auto persistObject = std::dynamic_pointer_cast<IPersistObject>(object);
      persistObject && !persistObject->IsStored())
    return true;
  StorageRef child = storage->AddChild(childName);
  if (!child) return false;
  persistent->SaveToStorage(child);
  return true;
}

InterfaceRef CreateAndLoadChild(ObjectFactory factory, const StorageRef& storage, const std::string& name, int index) {
  if (!factory || !storage || name.empty() || index < 0 || index >= storage->GetChildCount(name)) return nullptr;
  InterfaceRef object = factory();
  return LoadChildObject(object, storage, name, index) ? object : nullptr;
}

InterfaceRef CreateObjectFromStorage(const StorageRef& storage) {
  if (!storage || !LoadNestingAllows(storage)) return nullptr;
  std::string name = ReadString(storage, "name", "");
  std::string type = ReadString(storage, "type", "");
  auto object = CreateObjectFromString(type);
  auto persistent = std::dynamic_pointer_cast<IPersistent>(object);
  if (!persistent) {
    // The element is skipped; a type nobody registered is a data (or registration) error.
    if (!type.empty())
      LogLine("<" + storage->GetNodeName() + " name=\"" + name + "\" type=\"" + type +
              "\">: " + (object ? "the class cannot be loaded from data" : "no class is registered under this type") +
              "; the element is skipped");
    return nullptr;
  }
  if (auto named = std::dynamic_pointer_cast<INamedObject>(object); named && !name.empty()) named->SetName(name);
  persistent->LoadFromStorage(storage);
  return object;
}

InterfaceRef CreateChildObject(const StorageRef& storage, const std::string& name, int index) {
  if (!storage || index < 0 || index >= storage->GetChildCount(name)) return nullptr;
  return CreateObjectFromStorage(storage->GetChild(name, index));
}

void SaveObject(const InterfaceRef& object, const StorageRef& storage) {
  if (auto persistent = std::dynamic_pointer_cast<IPersistent>(object); persistent && storage)
    persistent->SaveToStorage(storage);
}

}  // namespace kestrelle
