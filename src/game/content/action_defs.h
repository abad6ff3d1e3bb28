#pragma once
// The shop's actions ("action_defs"), the items they are bought with ("action_item_defs") and the
// room's items ("room_item_defs"). (The state machine widget has action definitions of its own;
// these are unrelated.)

#include <cstdint>
#include <memory>
#include <string>

#include "game/content/definition.h"
#include "game/content/definition_list.h"

namespace kestrelle {

class TActionDef : public TDefinitionWithoutDefaults {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  const std::string& GetActionId() const { return actionId_; }
  const std::string& GetRequirements() const { return requirements_; }
  const std::string& GetType() const { return type_; }
  int64_t GetPriority() const { return priority_; }

 private:
  std::string actionId_;
  std::string requirements_;
  std::string type_;
  int64_t priority_ = 100;
};

class IActionDefCollection : public virtual IDefinitionList<TActionDef> {
 public:
  // The first action with that "action_id"; none when no action has it.
  virtual std::shared_ptr<TActionDef> FindByActionId(const std::string& actionId) const = 0;
};

class TActionDefCollection : public TDefinitionList<TActionDef, "actions", "action">,
                             public virtual IActionDefCollection {
 public:
  std::shared_ptr<TActionDef> FindByActionId(const std::string& actionId) const override {
    return FindByProperty("action_id", actionId);
  }
};

class TActionItemDef : public TDefinitionWithoutDefaults {
 public:
  const TPropertyTable& GetPropertyTable() const override;
  const std::string& GetItemId() const { return itemId_; }

 private:
  std::string itemId_;
};

class IActionItemDefCollection : public virtual IDefinitionList<TActionItemDef> {
 public:
  // The first item with that "item_id"; none when no item has it.
  virtual std::shared_ptr<TActionItemDef> FindByItemId(const std::string& itemId) const = 0;
};

class TActionItemDefCollection : public TDefinitionList<TActionItemDef, "action_items", "action_item">,
                                 public virtual IActionItemDefCollection {
 public:
  std::shared_ptr<TActionItemDef> FindByItemId(const std::string& itemId) const override {
    return FindByProperty("item_id", itemId);
  }
};

class TRoomItemDef : public TDefinition {};

class TRoomItemDefCollection : public TDefinitionList<TRoomItemDef, "room_items", "room_item"> {};
using IRoomItemDefCollection = IDefinitionList<TRoomItemDef>;

}  // namespace kestrelle
