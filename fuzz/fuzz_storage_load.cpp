// Arbitrary bytes as a data file: decoding, parsing, walking, writing back and reading again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "data/hier_storage.h"

using namespace kestrelle;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  StorageRootRef root = CreateStorage("r");
  if (!root->LoadFromString(bytes)) return 0;
  StorageRef node = root->GetRoot();
  // Touch what readers of data files use.
  for (int i = 0; i < node->GetValueCount() && i < 8; ++i) {
    std::string name = node->GetValueName(i);
    ReadInt(node, name, 0);
    ReadFloat(node, name, 0);
    ReadEnum(node, name, "a/b//c", -1);
  }
  node->ReadContent();
  node->FindNode("a/b", "list");
  node->GetNodeByPath("a[name=x]/../b");
  // What is written must read back to the same text.
  std::string saved = root->SaveToString();
  StorageRootRef again = CreateStorage("r");
  if (!again->LoadFromString(saved)) __builtin_trap();
  if (again->SaveToString() != saved) __builtin_trap();
  return 0;
}
