#pragma once
// "KestrelleLevelDef": the content of one shop level, read from the level's own file. The
// level's tuning values are parameters of its reference in the level list, copied over the file's
// own parameters when the file is loaded.

#include <memory>

#include "data/params.h"
#include "game/content/level_def_refs.h"
#include "game/content/level_items.h"

namespace kestrelle {

// The look of the level's clients (parameters; loaded with the level, not consulted in play).
class TKestrelleClientAppearance : public TParamsPropertyObject {};
// One integer parameter per client type: its name is the type, its value the type's weight.
class TKestrelleClientProbability : public TParamsPropertyObject {};

class IKestrelleLevelDef : public virtual ILevelDef {
 public:
  virtual std::shared_ptr<TCoinItemCollection> GetCoins() const = 0;
  virtual std::shared_ptr<TNewItemCollection> GetNewItems() const = 0;
  virtual std::shared_ptr<TLevelItemCollection> GetShopItems() const = 0;
  virtual std::shared_ptr<TKestrelleClientAppearance> GetClientAppearance() const = 0;
  virtual std::shared_ptr<TKestrelleClientProbability> GetClientProbability() const = 0;
};

class TKestrelleLevelDef : public TLevelDef, public virtual IKestrelleLevelDef {
 public:
  void Initialize() override;
  // The name and parameters, then the five children; a missing child stays empty. Saving keeps
  // to the name and parameters.
  void LoadProperties(const StorageRef& storage) override;

  std::shared_ptr<TCoinItemCollection> GetCoins() const override { return coins_; }
  std::shared_ptr<TNewItemCollection> GetNewItems() const override { return newItems_; }
  std::shared_ptr<TLevelItemCollection> GetShopItems() const override { return shopItems_; }
  std::shared_ptr<TKestrelleClientAppearance> GetClientAppearance() const override { return clientAppearance_; }
  std::shared_ptr<TKestrelleClientProbability> GetClientProbability() const override { return clientProbability_; }

 private:
  std::shared_ptr<TKestrelleClientAppearance> clientAppearance_;
  std::shared_ptr<TKestrelleClientProbability> clientProbability_;
  std::shared_ptr<TLevelItemCollection> shopItems_;
  std::shared_ptr<TNewItemCollection> newItems_;
  std::shared_ptr<TCoinItemCollection> coins_;
};

}  // namespace kestrelle
