// The headless runner: the game on a virtual clock, without a window (see app/headless_runner.h).
#include <iostream>
#include <string>
#include <vector>

#include "app/headless_runner.h"
#include "game/startup.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
  return kestrelle::RunHeadless(arguments, std::cout, std::cerr, [] { kestrelle::InitializeKestrelle(); });
}
