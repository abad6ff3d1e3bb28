#include "game/content/action_defs.h"

namespace kestrelle {

const TPropertyTable& TActionDef::GetPropertyTable() const {
  static const TPropertyTable table(TDefinitionWithoutDefaults::GetPropertyTable(),
                                    {
                                        Property("action_id", &TActionDef::actionId_),
                                        Property("requirements", &TActionDef::requirements_),
                                        Property("type", &TActionDef::type_),
                                        Property("priority", &TActionDef::priority_, int64_t{100}),
                                    });
  return table;
}

const TPropertyTable& TActionItemDef::GetPropertyTable() const {
  static const TPropertyTable table(TDefinitionWithoutDefaults::GetPropertyTable(),
                                    {
                                        Property("item_id", &TActionItemDef::itemId_),
                                    });
  return table;
}

}  // namespace kestrelle
