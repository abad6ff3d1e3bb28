#include <string>
#include <vector>

#include "app/main_routine.h"
#include "game/startup.h"

int main(int argc, char** argv) {
  try {
    kestrelle::InitializeKestrelle();
  } catch (...) {
    return 0;  // start-up failures end the process quietly
  }
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return kestrelle::RunMainRoutine(arguments);
}
