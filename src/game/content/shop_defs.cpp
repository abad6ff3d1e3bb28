#include "game/content/shop_defs.h"

#include <cstdint>

#include "data/hier_storage.h"
#include "data/numbers.h"
#include "data/text_encoding.h"

namespace kestrelle {

const TPropertyTable& TShopDefObject::GetPropertyTable() const {
  static const TPropertyTable table(TDefinition::GetPropertyTable(),
                                    {
                                        Property("factory_name", &TShopDefObject::factoryName_),
                                        Property("item_type", &TShopDefObject::itemType_),
                                    });
  return table;
}

const TPropertyTable& TShopDef::GetPropertyTable() const {
  static const TPropertyTable table(TDefinitionWithList::GetPropertyTable(),
                                    {
                                        Property("shop_name", &TShopDef::shopName_),
                                    });
  return table;
}

namespace {

std::optional<int64_t> ExtraInteger(const ParamsRef& params, const std::string& key) {
  ParamRef param = params ? params->GetParam(key) : nullptr;
  if (!param) return std::nullopt;
  int64_t value = 0;
  if (!ParseInt(param->GetValue().ToString(), value)) return std::nullopt;
  return value;
}

// Level numbers come from data: a sum out of range saturates instead of overflowing.
int64_t AddLevels(int64_t a, int64_t b) {
  int64_t sum = 0;
  if (!__builtin_add_overflow(a, b, &sum)) return sum;
  return b > 0 ? INT64_MAX : INT64_MIN;
}

}  // namespace

std::optional<int64_t> TShopDef::GetFirstLevel() { return ExtraInteger(GetExtraParams(), "first_level"); }

std::optional<int64_t> TShopDef::GetLastLevel() { return ExtraInteger(GetExtraParams(), "last_level"); }

std::shared_ptr<TShopDef> TShopDefCollection::FindShopByLevel(int64_t level) const {
  for (int i = 0; i < GetCount(); ++i) {
    std::shared_ptr<TShopDef> shop = GetItem(i);
    if (!shop) continue;
    std::optional<int64_t> first = shop->GetFirstLevel();
    std::optional<int64_t> last = shop->GetLastLevel();
    if (first && last && *first <= level && level <= *last) return shop;
  }
  return nullptr;
}

int64_t TShopDefCollection::GetGlobalLevel(int64_t localLevel, const std::string& shopName) const {
  int64_t lastOfPrevious = 0;
  for (int i = 0; i < GetCount(); ++i) {
    std::shared_ptr<TShopDef> shop = GetItem(i);
    if (!shop) continue;
    if (EqualsIgnoreAsciiCase(shop->GetName(), shopName)) return AddLevels(localLevel, lastOfPrevious);
    lastOfPrevious = shop->GetLastLevel().value_or(0);
  }
  return 0;
}

}  // namespace kestrelle
