#include "data/function_surface_handles.h"

#include <cmath>
#include <vector>

namespace kestrelle {

namespace {
constexpr size_t kMaxHandles = (1u << 24) - 1;

std::vector<std::weak_ptr<IInterface>>& Table() {
  static std::vector<std::weak_ptr<IInterface>> table;  // handle h at index h-1
  return table;
}

size_t IndexOf(float handle) {
  if (!(handle >= 1.0f) || handle > static_cast<float>(Table().size()) || std::floor(handle) != handle) return 0;
  return static_cast<size_t>(handle);
}
}  // namespace

float RegisterSurfaceHandle(const InterfaceRef& surface) {
  if (!surface) return 0.0f;
  auto& table = Table();
  size_t freeIndex = table.size();
  for (size_t i = 0; i < table.size(); ++i) {
    InterfaceRef held = table[i].lock();
    if (held == surface) return static_cast<float>(i + 1);
    if (!held && freeIndex == table.size()) freeIndex = i;
  }
  if (freeIndex == table.size()) {
    if (table.size() >= kMaxHandles) return 0.0f;
    table.emplace_back();
  }
  table[freeIndex] = surface;
  return static_cast<float>(freeIndex + 1);
}

void ReleaseSurfaceHandle(float handle) {
  if (size_t h = IndexOf(handle)) Table()[h - 1].reset();
}

InterfaceRef SurfaceFromHandle(float handle) {
  size_t h = IndexOf(handle);
  return h ? Table()[h - 1].lock() : nullptr;
}

}  // namespace kestrelle
