#include "widgets/particle_slots.h"

#include <algorithm>

#include "data/function_surface_handles.h"
#include "data/numbers.h"
#include "data/variant_values.h"

namespace kestrelle {

int SlotCount(const SlotMatrix& matrix, int vector) {
  return vector >= 0 && vector < static_cast<int>(matrix.size()) ? static_cast<int>(matrix[vector].size()) : 0;
}

float SlotValue(const SlotMatrix& matrix, int vector, int slot) {
  if (slot < 0 || slot >= SlotCount(matrix, vector)) return 0;
  const FloatSlot& value = matrix[vector][slot];
  return value ? *value : 0;
}

void SetSlotValue(SlotMatrix& matrix, int vector, int slot, float value) {
  if (slot < 0 || slot >= SlotCount(matrix, vector)) return;
  if (const FloatSlot& target = matrix[vector][slot]) *target = value;
}

void FillFromCreateFunction(const FunctionRef& create, SlotMatrix& matrix) {
  if (!create) return;
  create->Calculate();
  const int count = std::min(create->GetOutputCount(), SlotCount(matrix, 1));
  for (int i = 0; i < count; ++i) SetSlotValue(matrix, 1, i, create->GetOutput(i));
}

void RunUpdateFunction(const FunctionRef& update, SlotMatrix& matrix, int32_t elapsedMs) {
  if (SlotCount(matrix, 1) > 0) SetSlotValue(matrix, 1, 0, SlotValue(matrix, 1, 0) + static_cast<float>(elapsedMs));
  if (!update) return;
  const int inputs = std::min(update->GetInputCount(), SlotCount(matrix, 1));
  for (int i = 0; i < inputs; ++i) update->SetInput(i, SlotValue(matrix, 1, i));
  update->Execute();
  update->Calculate();
  const int outputs = std::min(update->GetOutputCount(), SlotCount(matrix, 0));
  for (int i = 0; i < outputs; ++i) SetSlotValue(matrix, 0, i, update->GetOutput(i));
}

bool SlotsSayDead(const SlotMatrix& matrix) { return SlotCount(matrix, 0) >= 2 && SlotValue(matrix, 0, 0) > 0; }

int32_t PictureIndex(const SlotMatrix& matrix) {
  return SlotCount(matrix, 0) >= 4 ? Round32(SlotValue(matrix, 0, 3)) : -1;
}

TRect ParticlePictureRect(const SlotMatrix& matrix, int32_t width, int32_t height) {
  const int32_t left = Round32(SlotValue(matrix, 0, 1)) - width / 2;
  const int32_t top = Round32(SlotValue(matrix, 0, 2)) - height / 2;
  return TRect{left, top, left + width, top + height};
}

void DrawSlotParticle(ISurface& surface, int32_t x, int32_t y, const SlotMatrix& matrix, const ISurface& picture,
                      int32_t drawMode, int32_t blendingMode, int32_t transparentLevel) {
  auto byte = [&](int slot) { return static_cast<uint32_t>(std::clamp(Round32(SlotValue(matrix, 0, slot)), 0, 255)); };
  const uint32_t alpha = byte(7);
  const int32_t level = std::clamp(transparentLevel, 0, 255);
  const int32_t w = picture.GetWidth(), h = picture.GetHeight();
  TRect target = ParticlePictureRect(matrix, w, h);
  target = TRect{target.left + x, target.top + y, target.right + x, target.bottom + y};
  const auto mode = static_cast<uint8_t>(blendingMode);
  if (drawMode == kParticleCopyRect) {
    surface.Draw(&picture, TRect{0, 0, w, h}, mode, static_cast<uint8_t>(alpha * level / 256), target);
  } else {
    const uint32_t colour = (alpha << 24) | (byte(4) << 16) | (byte(5) << 8) | byte(6);
    surface.DrawColor(colour, &picture, mode, static_cast<uint8_t>(level), target, TRect{0, 0, w, h});
  }
}

void ApplyParamsToSlots(const ParamSpaceRef& space, const ParamsRef& params, SlotMatrix& matrix) {
  ParamDefsRef defs = space ? space->GetParamDefs() : nullptr;
  if (!defs || !params) return;
  for (int i = 0; i < params->GetCount(); ++i) {
    ParamRef param = params->GetParam(Variant(i));
    if (!param) continue;
    ParamDefRef def = defs->GetByName(param->GetName());
    double value = 0;
    if (def && VariantToReal(param->GetValue(), value))
      SetSlotValue(matrix, def->GetCol(), def->GetRow(), static_cast<float>(value));
  }
}

TFunctionSurfaceValue::~TFunctionSurfaceValue() {
  if (handle_ != 0) ReleaseSurfaceHandle(handle_);
}

void TFunctionSurfaceValue::Set(const FunctionRef& function, const SurfaceRef& surface) {
  Release(function);
  if (!surface) return;
  surface_ = surface;
  handle_ = RegisterSurfaceHandle(surface);
  if (function) function->SetValue("surface", handle_);
}

void TFunctionSurfaceValue::Release(const FunctionRef& function) {
  if (handle_ != 0) ReleaseSurfaceHandle(handle_);
  if (surface_ && function) function->SetValue("surface", 0);
  surface_ = nullptr;
  handle_ = 0;
}

void ForwardValueToFunction(const FunctionRef& function, const std::string& name, const Variant& value) {
  if (!function || value.IsEmptyOrNull() || value.IsInterface()) return;
  double real = 0;
  if (VariantToReal(value, real)) function->SetValue(name, static_cast<float>(real));
}

}  // namespace kestrelle
