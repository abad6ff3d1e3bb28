#pragma once
// TClientManagerTutorial: the guided level's clients come when its steps call them, not by time.
// A scripted client is made as any client (type by weight, order, hearts), with what its script
// fixes: three ordinary lines, or two and a minigame line; VIP or not.

#include <cstdint>

#include "game/level/client_manager.h"

namespace kestrelle {

class IClientManagerTutorial : public virtual IClientManager {
 public:
  // Up to `count` clients at the free stations, in station order; stations that are not free are
  // passed over, so fewer may come. There is no goal check.
  virtual void GenerateScriptedClients(int64_t count, int script) = 0;
};
using ClientManagerTutorialRef = std::shared_ptr<IClientManagerTutorial>;

class TClientManagerTutorial : public TClientManager, public virtual IClientManagerTutorial {
 public:
  void GenerateScriptedClients(int64_t count, int script) override;
  // Generates nothing: the steps call the clients.
  void Tick(int32_t /*elapsedMs*/) override {}
};

}  // namespace kestrelle
