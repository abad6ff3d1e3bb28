// Arbitrary bytes as a data file: decoding, parsing, walking, writing back and reading again; then
// the objects it describes, created through the class registry and loaded as the engine loads
// them (so nesting, unknown types and odd values in any class's loading are reached too).
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/widget_interfaces.h"
#include "data/data_files.h"
#include "data/hier_storage.h"
#include "game/class_registration.h"

using namespace kestrelle;

namespace {

// Every class registered once; no file is ever read (outer storages find nothing).
void PrepareOnce() {
  static const bool prepared = [] {
    RegisterAllClasses();
    SetDataFileReader([](const std::string&) -> std::optional<std::string> { return std::nullopt; });
    return true;
  }();
  (void)prepared;
}

// What a screen does with a widget tree it loaded: a frame, a hit test, a path.
void Exercise(const InterfaceRef& object) {
  auto widget = std::dynamic_pointer_cast<IWidget>(object);
  if (!widget) return;
  widget->Update(10);
  widget->UpdateDirtyRects(true, true);
  widget->WidgetAtPoint(TPoint{5, 5});
  widget->FindWidget("a/../b/./c");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PrepareOnce();
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
  // The root's object and those of its "widget" children, by their "type".
  Exercise(CreateObjectFromStorage(node));
  for (int i = 0; i < node->GetChildCount("widget") && i < 4; ++i) Exercise(CreateChildObject(node, "widget", i));
  return 0;
}
