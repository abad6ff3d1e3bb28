#pragma once
#include <string>

#include "data/object.h"

namespace kestrelle {

// What the start-up code drives the engine through.
class IEngineControl : public virtual IInterface {
public:
  // Everything up to and including loading the game definition; on failure it has already
  // called Shutdown itself.
  virtual bool Start(const std::string& gameFileName) = 0;
  // The main loop; returns when the window is gone.
  virtual void Run() = 0;
  // Releases everything; every step is guarded, so a second call does no harm.
  virtual void Shutdown() = 0;
};

// The registered name the start-up code creates the engine by.
inline constexpr const char* kEngineClassName = "Engine";

}  // namespace kestrelle
