#pragma once
// The root classes every data object descends from, and their interfaces.
// Objects are held through std::shared_ptr; "supports an interface" is a dynamic_pointer_cast.
// Objects are made only by factories: construct, Initialize, SetParam per pair, LoadFromStorage.

#include <memory>
#include <string>
#include <string_view>

#include "data/keyed_list.h"
#include "data/property_table.h"
#include "data/variant.h"

namespace kestrelle {

// Root of every interface, so that any object can travel in a Variant and be queried.
class IInterface {
 public:
  virtual ~IInterface() = default;
};

class IHierStorage;
using StorageRef = std::shared_ptr<IHierStorage>;

class INamedObject : public virtual IInterface {
 public:
  virtual std::string GetName() const = 0;
  virtual void SetName(const std::string& name) = 0;
  // A new object of the same registered class with this one's state copied (AssignTo).
  virtual std::shared_ptr<INamedObject> Clone() = 0;
};

class IPropertyObject : public virtual INamedObject {
 public:
  virtual void SetProperty(const std::string& name, const Variant& value) = 0;
  virtual Variant GetProperty(const std::string& name) = 0;
  Variant GetPropertyDef(const std::string& name, const Variant& fallback) {
    Variant v = GetProperty(name);
    return v.IsEmptyOrNull() ? fallback : v;
  }
};

class ICollection : public virtual IInterface {
 public:
  virtual int GetCount() const = 0;
  // `key` holds an index (integer) or a name (string).
  virtual void Delete(const Variant& key) = 0;
  virtual int IndexOf(const std::string& name) const = 0;
  virtual bool Exists(const std::string& name) const = 0;
  virtual void Clear() = 0;
};

class IPersistent : public virtual IInterface {
 public:
  virtual void LoadFromStorage(const StorageRef& storage) = 0;
  virtual void SaveToStorage(const StorageRef& storage) = 0;
  virtual std::string GetStorageName() const = 0;
};

class IPersistObject : public virtual IPersistent {
 public:
  virtual bool SaveContent(const StorageRef& storage) = 0;
  virtual bool IsStored() const = 0;
  virtual void SetStored(bool stored) = 0;
  virtual void Reset() = 0;
};

class TAbstractObject : public virtual IInterface, public std::enable_shared_from_this<TAbstractObject> {
 public:
  TAbstractObject() = default;
  TAbstractObject(const TAbstractObject&) = delete;
  TAbstractObject& operator=(const TAbstractObject&) = delete;

  // Defaults of every field; overrides call the inherited one first.
  virtual void Initialize() {}
  // One key/value pair of the creation string; the base ignores it.
  virtual void SetParam(const std::string& name, const std::string& value) {}

  // SetParam once per pair of a "key=value\key=value" parameter text, in order.
  void ApplyParams(std::string_view params);

  // shared_ptr to this object as `T` (null when it is not one).
  template <class T>
  std::shared_ptr<T> SelfAs() {
    return std::dynamic_pointer_cast<T>(shared_from_this());
  }
  template <class T>
  std::shared_ptr<const T> SelfAs() const {
    return std::dynamic_pointer_cast<const T>(shared_from_this());
  }
};

// The factory every object comes from: construct, Initialize, SetParam per pair.
template <class T>
std::shared_ptr<T> Create(std::string_view params = {}) {
  auto object = std::make_shared<T>();
  object->Initialize();
  if (!params.empty()) object->ApplyParams(params);
  return object;
}

class TNamedObject : public TAbstractObject, public virtual INamedObject {
 public:
  std::string GetName() const override { return name_; }
  void SetName(const std::string& name) override { name_ = name; }
  std::shared_ptr<INamedObject> Clone() override;
  virtual void AssignTo(const std::shared_ptr<TNamedObject>& dest) const;

 protected:
  std::string name_;
};

class TPersistObject : public TNamedObject, public virtual IPersistObject {
 public:
  void Initialize() override;
  void AssignTo(const std::shared_ptr<TNamedObject>& dest) const override;

  void LoadFromStorage(const StorageRef& storage) override;
  void SaveToStorage(const StorageRef& storage) override;
  std::string GetStorageName() const override { return storageName_; }
  bool SaveContent(const StorageRef& storage) override;
  bool IsStored() const override { return stored_; }
  void SetStored(bool stored) override { stored_ = stored; }
  void Reset() override {}

  virtual void LoadProperties(const StorageRef& storage);
  virtual void SaveProperties(const StorageRef& storage);

  const std::string& GetOutStorage() const { return outStorage_; }
  void SetOutStorage(const std::string& storageSpec) { outStorage_ = storageSpec; }
  bool IsTemplate() const { return isTemplate_; }
  void SetTemplate(bool flag) { isTemplate_ = flag; }
  const std::string& GetTypeName() const { return typeName_; }

 protected:
  std::string outStorage_;
  bool isTemplate_ = false;
  bool stored_ = true;
  std::string storageName_;
  std::string typeName_;
};

// An object whose properties are declared once in a table (see data/property_table.h): the
// table gives the defaults, loading, saving, GetProperty and SetProperty.
class TPropertyObject : public TPersistObject, public virtual IPropertyObject {
 public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  void SetProperty(const std::string& name, const Variant& value) override { SetTableProperty(name, value); }
  Variant GetProperty(const std::string& name) override;

  // The table of the object's class; a class with properties returns its own static table,
  // built on its base class's table.
  virtual const TPropertyTable& GetPropertyTable() const;
  // What a change through SetProperty does when the declaration names nothing else.
  virtual void PropertyChanged() {}

 protected:
  // Whether the table declares the name (the value was set, or did not convert).
  bool SetTableProperty(const std::string& name, const Variant& value);
  bool GetTableProperty(const std::string& name, Variant& value);
};

using TInterfaceCollection = TKeyedList<InterfaceRef>;
using TStringCollection = TKeyedList<std::string>;

class TCollection : public TAbstractObject, public virtual ICollection {
 public:
  void Initialize() override;
  int GetCount() const override { return items_.Count(); }
  void Delete(const Variant& key) override;
  int IndexOf(const std::string& name) const override { return items_.IndexOf(name); }
  bool Exists(const std::string& name) const override { return items_.Exists(name); }
  void Clear() override { items_.Clear(); }

  TInterfaceCollection& Items() { return items_; }
  const TInterfaceCollection& Items() const { return items_; }
  // The item at an index or under a name, as `I`.
  template <class I>
  std::shared_ptr<I> ItemAs(const Variant& key) const {
    const InterfaceRef* ref = nullptr;
    if (key.IsString())
      ref = items_.Get(key.ToString());
    else if (key.IsNumber())
      ref = items_.GetAt(static_cast<int>(key.ToInt()));
    return ref ? std::dynamic_pointer_cast<I>(*ref) : nullptr;
  }

 protected:
  TInterfaceCollection items_;
};

class TPersistCollection : public TCollection, public virtual IPersistObject {
 public:
  void Initialize() override;
  void LoadFromStorage(const StorageRef& storage) override;
  void SaveToStorage(const StorageRef& storage) override;
  std::string GetStorageName() const override { return storageName_; }
  bool SaveContent(const StorageRef& storage) override;
  bool IsStored() const override { return stored_; }
  void SetStored(bool stored) override { stored_ = stored; }
  void Reset() override { Clear(); }

  virtual void LoadItem(const StorageRef& storage) {}
  virtual bool SaveItem(const InterfaceRef& item, const StorageRef& storage) { return false; }
  virtual void LoadItems(const StorageRef& storage);
  virtual void SaveItems(const StorageRef& storage);

  const std::string& GetItemElementName() const { return itemElementName_; }
  const std::string& GetOutStorage() const { return outStorage_; }
  void SetOutStorage(const std::string& storageSpec) { outStorage_ = storageSpec; }

 protected:
  std::string outStorage_;
  bool isTemplate_ = false;
  bool stored_ = true;
  std::string storageName_;
  std::string itemElementName_;
};

class TPersistItemCollection : public TPersistCollection {
 public:
  virtual InterfaceRef CreateItem(const StorageRef& storage) { return nullptr; }
  // Subclasses add the item to Items under its name.
  virtual void AddItem(const InterfaceRef& item) {}
  void LoadItem(const StorageRef& storage) override;
  bool SaveItem(const InterfaceRef& item, const StorageRef& storage) override;
};

class TStaticCreationPersistItemCollection : public TPersistItemCollection {
 public:
  using ItemFactory = std::shared_ptr<TAbstractObject> (*)();
  InterfaceRef CreateItem(const StorageRef& storage) override;

 protected:
  ItemFactory itemClass_ = nullptr;  // set by the subclass in Initialize
};

class TTypedCreationPersistItemCollection : public TPersistItemCollection {
 public:
  InterfaceRef CreateItem(const StorageRef& storage) override;
};

// Factory function usable as an ItemFactory.
template <class T>
std::shared_ptr<TAbstractObject> MakeObject() {
  return Create<T>();
}

}  // namespace kestrelle
