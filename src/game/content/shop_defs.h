#pragma once
// Shops ("shop_defs"), in play order. A shop's extraparams carry its range of global level
// numbers, "first_level" and "last_level", both inclusive.

#include <cstdint>
#include <optional>
#include <string>

#include "game/content/definition.h"
#include "game/content/definition_list.h"
#include "game/content/definition_with_list.h"

namespace kestrelle {

// One object of a shop's picture, built from the widget factory "factory_name".
class TShopDefObject : public TDefinition {
 public:
  const TPropertyTable& GetPropertyTable() const override;

 private:
  std::string factoryName_;
  std::string itemType_;
};

class TShopDefObjectCollection : public TDefinitionList<TShopDefObject, "shop_objects", "shop_object"> {};
using IShopDefObjectCollection = IDefinitionList<TShopDefObject>;

class TShopDef : public TDefinitionWithList<TShopDefObjectCollection> {
 public:
  const TPropertyTable& GetPropertyTable() const override;

  const std::string& GetShopName() const { return shopName_; }
  std::shared_ptr<TShopDefObjectCollection> GetObjects() const { return list_; }
  // The range from the extraparams; nullopt when the key is missing or not a number.
  std::optional<int64_t> GetFirstLevel();
  std::optional<int64_t> GetLastLevel();

 private:
  std::string shopName_;
};

class IShopDefCollection : public virtual IDefinitionList<TShopDef> {
 public:
  virtual std::shared_ptr<TShopDef> FindByName(const std::string& name) const = 0;
  // The first shop whose range holds the level; none when no range does.
  virtual std::shared_ptr<TShopDef> FindShopByLevel(int64_t level) const = 0;
  // The shop's local level number made global: plus the "last_level" of the shop before it
  // (0 for the first shop, and for a shop before it without a range); 0 for an unknown shop.
  virtual int64_t GetGlobalLevel(int64_t localLevel, const std::string& shopName) const = 0;
};

class TShopDefCollection : public TDefinitionList<TShopDef, "shop_defs", "shop_def">,
                           public virtual IShopDefCollection {
 public:
  std::shared_ptr<TShopDef> FindByName(const std::string& name) const override { return GetItemByName(name); }
  std::shared_ptr<TShopDef> FindShopByLevel(int64_t level) const override;
  int64_t GetGlobalLevel(int64_t localLevel, const std::string& shopName) const override;
};

}  // namespace kestrelle
