// classes: every registered class name, one a line, in registration order.
#include "data/class_registry.h"
#include "game/class_registration.h"
#include "subcommands.h"

namespace kestrelle::data_tool {

int RunClasses(const Args& args) {
  if (!args.empty()) return Fail("classes takes no arguments");
  ClassRegistry& registry = ClassRegistry::Instance();
  RegisterAllClasses();
  std::string out;
  for (int i = 0; i < registry.Count(); ++i) out += registry.Classes().KeyAt(i) + "\n";
  return WriteAllOutput(out) ? 0 : Fail("could not write standard output");
}

}  // namespace kestrelle::data_tool
