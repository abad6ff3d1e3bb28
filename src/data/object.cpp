#include "data/object.h"

#include "data/class_registry.h"
#include "data/hier_storage.h"
#include "data/load_nesting.h"
#include "data/text_lists.h"

namespace kestrelle {

void TAbstractObject::ApplyParams(std::string_view params) {
  for (const auto& [key, value] : SplitKeyValues(params, '\\', '=')) SetParam(key, value);
}

std::shared_ptr<INamedObject> TNamedObject::Clone() {
  std::string registered = GetRegisteredName(*this);
  if (registered.empty()) return nullptr;
  auto copy = std::dynamic_pointer_cast<TNamedObject>(CreateObjectFromString(registered));
  if (!copy) return nullptr;
  AssignTo(copy);
  return copy;
}

void TNamedObject::AssignTo(const std::shared_ptr<TNamedObject>& dest) const {
  if (dest) dest->name_ = name_;
}

void TPersistObject::Initialize() {
  TNamedObject::Initialize();
  stored_ = true;
  typeName_ = GetRegisteredName(*this);
}

void TPersistObject::AssignTo(const std::shared_ptr<TNamedObject>& dest) const {
  TNamedObject::AssignTo(dest);
  if (auto persist = std::dynamic_pointer_cast<TPersistObject>(dest)) {
    persist->outStorage_ = outStorage_;
    persist->isTemplate_ = isTemplate_;
    persist->stored_ = stored_;
    persist->storageName_ = storageName_;
    persist->typeName_ = typeName_;
  }
}

bool TPersistObject::SaveContent(const StorageRef& storage) {
  SaveProperties(storage);
  return true;
}

void TPersistObject::LoadProperties(const StorageRef& storage) { name_ = ReadString(storage, "name", ""); }

void TPersistObject::SaveProperties(const StorageRef& storage) {
  if (!name_.empty()) WriteString(storage, "name", name_);
  if (!typeName_.empty()) WriteString(storage, "type", typeName_);
}

namespace {

// The shared load/save algorithm of persistent objects and collections: the target is the
// storage itself, or a document of its own when the object keeps its data in an outer file.
// Every nested load passes here, so this is where the nesting is bounded.
template <class LoadBody>
void LoadPersistent(const StorageRef& storage, std::string& outStorage, bool& isTemplate, LoadBody body) {
  if (!storage || !LoadNestingAllows(storage)) return;
  TLoadNestingLevel level;
  outStorage = ReadString(storage, "_outstorage", "");
  isTemplate = ReadBool(storage, "template", false);
  body(storage);
}

template <class SaveBody>
void SavePersistent(const StorageRef& storage, const std::string& outStorage, bool isTemplate, SaveBody body) {
  if (!storage) return;
  if (outStorage.empty()) {
    body(storage);
  } else {
    StorageRootRef root = CreateStorage(storage->GetNodeName());
    StorageRef target = root ? root->GetRoot() : nullptr;
    if (target) {
      body(target);
      if (isTemplate) {
        StorageRef outer = OpenStorage(outStorage);
        for (int i = 0; i < target->GetValueCount(); ++i) {
          std::string name = target->GetValueName(i);
          std::string mine = target->ReadValueByIndex(i, std::string()).ToString();
          std::string theirs = outer ? outer->ReadValue(name, std::string()).ToString() : std::string();
          if (mine != theirs) storage->WriteValue(name, mine);
        }
      } else {
        SaveStorage(target, outStorage);
      }
    }
  }
  if (isTemplate) WriteString(storage, "template", "yes");
  if (!outStorage.empty()) WriteString(storage, "_outstorage", outStorage);
}

}  // namespace

void TPropertyObject::Initialize() {
  TPersistObject::Initialize();
  GetPropertyTable().ApplyDefaults(*this);
}

void TPropertyObject::LoadProperties(const StorageRef& storage) {
  TPersistObject::LoadProperties(storage);
  GetPropertyTable().Load(*this, storage);
}

void TPropertyObject::SaveProperties(const StorageRef& storage) {
  TPersistObject::SaveProperties(storage);
  GetPropertyTable().Save(*this, storage);
}

Variant TPropertyObject::GetProperty(const std::string& name) {
  Variant value;
  return GetTableProperty(name, value) ? value : Variant(Null{});
}

const TPropertyTable& TPropertyObject::GetPropertyTable() const {
  static const TPropertyTable empty;
  return empty;
}

bool TPropertyObject::SetTableProperty(const std::string& name, const Variant& value) {
  const TPropertyDef* def = GetPropertyTable().Find(name);
  if (!def) return false;
  def->Set(*this, value);
  return true;
}

bool TPropertyObject::GetTableProperty(const std::string& name, Variant& value) {
  const TPropertyDef* def = GetPropertyTable().Find(name);
  if (!def) return false;
  value = def->Get(*this);
  return true;
}

void TPersistObject::LoadFromStorage(const StorageRef& storage) {
  LoadPersistent(storage, outStorage_, isTemplate_, [this](const StorageRef& s) { LoadProperties(s); });
}

void TPersistObject::SaveToStorage(const StorageRef& storage) {
  SavePersistent(storage, outStorage_, isTemplate_, [this](const StorageRef& s) { SaveProperties(s); });
}

void TCollection::Initialize() {
  TAbstractObject::Initialize();
  items_.Clear();
}

void TCollection::Delete(const Variant& key) {
  if (key.IsString())
    items_.Delete(key.ToString());
  else
    items_.DeleteAt(static_cast<int>(key.ToInt(-1)));
}

void TPersistCollection::Initialize() {
  TCollection::Initialize();
  stored_ = true;
}

void TPersistCollection::LoadFromStorage(const StorageRef& storage) {
  LoadPersistent(storage, outStorage_, isTemplate_, [this](const StorageRef& s) { LoadItems(s); });
}

void TPersistCollection::SaveToStorage(const StorageRef& storage) {
  SavePersistent(storage, outStorage_, isTemplate_, [this](const StorageRef& s) { SaveItems(s); });
}

bool TPersistCollection::SaveContent(const StorageRef& storage) {
  SaveItems(storage);
  return true;
}

void TPersistCollection::LoadItems(const StorageRef& storage) {
  int count = storage->GetChildCount(itemElementName_);
  for (int i = 0; i < count; ++i)
    if (StorageRef child = storage->GetChild(itemElementName_, i)) LoadItem(child);
}

void TPersistCollection::SaveItems(const StorageRef& storage) {
  // Copy the references first: SaveItem may call back into the collection.
  std::vector<InterfaceRef> items;
  for (const auto& entry : items_) items.push_back(entry.item);
  for (const auto& item : items) {
    StorageRef child = storage->AddChild(itemElementName_);
    if (child && !SaveItem(item, child)) storage->RemoveChild(child);
  }
}

void TPersistItemCollection::LoadItem(const StorageRef& storage) {
  // Too deep: no item at all rather than one that stays at its defaults.
  if (!LoadNestingAllows(storage)) return;
  InterfaceRef item = CreateItem(storage);
  if (!item) return;
  if (auto persistent = std::dynamic_pointer_cast<IPersistent>(item)) persistent->LoadFromStorage(storage);
  AddItem(item);
}

bool TPersistItemCollection::SaveItem(const InterfaceRef& item, const StorageRef& storage) {
  if (auto persistObject = std::dynamic_pointer_cast<IPersistObject>(item)) {
    if (!persistObject->IsStored()) return false;
    persistObject->SaveToStorage(storage);
    return true;
  }
  if (auto persistent = std::dynamic_pointer_cast<IPersistent>(item)) {
    persistent->SaveToStorage(storage);
    return true;
  }
  return false;
}

InterfaceRef TStaticCreationPersistItemCollection::CreateItem(const StorageRef& storage) {
  return itemClass_ ? InterfaceRef(itemClass_()) : nullptr;
}

InterfaceRef TTypedCreationPersistItemCollection::CreateItem(const StorageRef& storage) {
  std::string name = ReadString(storage, "name", "");
  std::string type = ReadString(storage, "type", "");
  auto object = CreateObjectFromString(type);
  if (!object) return nullptr;
  if (auto named = std::dynamic_pointer_cast<INamedObject>(object); named && !name.empty()) named->SetName(name);
  return object;
}

}  // namespace kestrelle
