#pragma once
// Parameters: named variant values kept as the text the file says. Collections of them carry
// open-ended values of definitions, the engine's configuration, and every command between
// screens and controls.

#include <memory>
#include <string>

#include "data/object.h"

namespace kestrelle {

class IParam : public virtual INamedObject {
public:
  virtual Variant GetValue() const = 0;
  virtual void SetValue(const Variant& value) = 0;
};
using ParamRef = std::shared_ptr<IParam>;

class IParamCollection : public virtual ICollection {
public:
  // `key` holds an index or a name.
  virtual ParamRef GetParam(const Variant& key) const = 0;
  // A name already present adds nothing.
  virtual void AddParam(const ParamRef& param) = 0;
  // Sets the value, adding a parameter of that name when there is none.
  virtual void SetValue(const std::string& name, const Variant& value) = 0;
  virtual Variant GetValue(const std::string& name, const Variant& fallback) const = 0;
};
using ParamsRef = std::shared_ptr<IParamCollection>;

class IParamsPropertyObject : public virtual IPropertyObject {
public:
  virtual ParamsRef GetParams() = 0;
};

class TParam : public TPersistObject, public virtual IParam {
public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  Variant GetValue() const override { return value_; }
  void SetValue(const Variant& value) override { value_ = value; }

private:
  Variant value_;
};

class TParamCollection : public TPersistCollection, public virtual IParamCollection {
public:
  void Initialize() override;
  void SetParam(const std::string& name, const std::string& value) override { SetValue(name, value); }
  void LoadItem(const StorageRef& storage) override;
  bool SaveItem(const InterfaceRef& item, const StorageRef& storage) override;

  ParamRef GetParam(const Variant& key) const override;
  void AddParam(const ParamRef& param) override;
  void SetValue(const std::string& name, const Variant& value) override;
  Variant GetValue(const std::string& name, const Variant& fallback) const override;
};

class TParamsPropertyObject : public TPropertyObject, public virtual IParamsPropertyObject {
public:
  void Initialize() override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  ParamsRef GetParams() override { return params_; }

protected:
  ParamsRef params_;
};

// A new collection with the source's values, in order.
ParamsRef CopyParams(const ParamsRef& source);
ParamsRef CreateParams(std::string_view creationParams = {});

}  // namespace kestrelle
