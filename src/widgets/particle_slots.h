#pragma once
// What the function-driven particle systems share: a particle is a private slot matrix of the
// system's (or type's) parameter space. Vector 1 is its state (slot 0: age in ms), vector 0 what
// the "Update" function computes for drawing: 0 dead when above 0, 1 and 2 the picture's centre,
// 3 the picture number, 4..6 red, green, blue, 7 alpha.

#include <cstdint>
#include <string>

#include "data/function_base.h"
#include "data/params.h"
#include "media/surface.h"

namespace kestrelle {

enum ParticleDrawMode : int32_t { kParticleCopyRect = 0, kParticleFillColor = 1 };
inline constexpr const char* kParticleDrawModeWords = "copyrect/fillcolor";

int SlotCount(const SlotMatrix& matrix, int vector);
float SlotValue(const SlotMatrix& matrix, int vector, int slot);
void SetSlotValue(SlotMatrix& matrix, int vector, int slot, float value);

// Calculates the "Create" function and copies its outputs into vector 1.
void FillFromCreateFunction(const FunctionRef& create, SlotMatrix& matrix);
// Ages the particle by `elapsedMs` and, with an "Update" function, feeds it vector 1 and copies
// its outputs into vector 0.
void RunUpdateFunction(const FunctionRef& update, SlotMatrix& matrix, int32_t elapsedMs);
// Vector 0 has a dead slot and it is above 0.
bool SlotsSayDead(const SlotMatrix& matrix);
// Round(vector 0 slot 3), or -1 when vector 0 is shorter.
int32_t PictureIndex(const SlotMatrix& matrix);
// The rectangle of a w x h picture centred on the particle (relative to the system's anchor).
TRect ParticlePictureRect(const SlotMatrix& matrix, int32_t width, int32_t height);
// Paints the particle's picture centred on (x + slot 1, y + slot 2).
void DrawSlotParticle(ISurface& surface, int32_t x, int32_t y, const SlotMatrix& matrix, const ISurface& picture,
                      int32_t drawMode, int32_t blendingMode, int32_t transparentLevel);

// Each parameter whose name is a slot definition of `space` sets that slot of the particle.
void ApplyParamsToSlots(const ParamSpaceRef& space, const ParamsRef& params, SlotMatrix& matrix);

// The surface a function reads through its value "surface": the function holds a handle, this
// object the reference, released when replaced or dropped (the value then goes back to 0).
class TFunctionSurfaceValue {
 public:
  ~TFunctionSurfaceValue();
  void Set(const FunctionRef& function, const SurfaceRef& surface);
  void Release(const FunctionRef& function);

 private:
  SurfaceRef surface_;
  float handle_ = 0;
};

// Names the particle functions read from the widget: a value that is a number (not empty,
// null, an error or an interface) is stored as the function's value of that name.
void ForwardValueToFunction(const FunctionRef& function, const std::string& name, const Variant& value);

}  // namespace kestrelle
