#pragma once
// Small helpers shared by the function and path tests.

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "data/class_registry.h"
#include "data/data_registration.h"
#include "data/function_base.h"
#include "data/hier_storage.h"

namespace kestrelle::testing_functions {

inline void EnsureDataClasses() {
  if (!ClassRegistry::Instance().IsRegistered("function_sin")) RegisterDataClasses();
}

// A function of a registered type whose vectors are all static slots with the given values.
inline FunctionRef MakeStaticFunction(const std::string& type, const std::vector<std::vector<float>>& vectors) {
  EnsureDataClasses();
  auto function = CreateObjectAs<IFunction>(type);
  if (!function) return nullptr;
  for (size_t v = 0; v < vectors.size(); ++v)
    for (size_t s = 0; s < vectors[v].size(); ++s)
      function->GetParamSpace()->AddParamDef("v" + std::to_string(v) + "_" + std::to_string(s), static_cast<int>(v),
                                             static_cast<int>(s), true, "", vectors[v][s]);
  function->SetOwner(nullptr);
  return function;
}

// A function loaded from XML text (the root element is the function).
inline FunctionRef LoadFunction(const std::string& xml) {
  EnsureDataClasses();
  StorageRef storage = LoadStorageFromString(xml);
  if (!storage) return nullptr;
  return std::dynamic_pointer_cast<IFunction>(CreateObjectFromStorage(storage));
}

inline std::vector<float> Outputs(const FunctionRef& function) {
  std::vector<float> out;
  for (int i = 0; i < function->GetOutputCount(); ++i) out.push_back(function->GetOutput(i));
  return out;
}

}  // namespace kestrelle::testing_functions
