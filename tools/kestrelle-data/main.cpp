// kestrelle-data: data helper tool. Usage: kestrelle-data COMMAND [ARGS...]
#include <cstdio>
#include <iostream>
#include <iterator>
#include <string>

#include "subcommands.h"

namespace kestrelle::data_tool {

namespace {
// Add new subcommands here (and declare them in subcommands.h).
const Subcommand kSubcommands[] = {
    {"encipher", "KEY < plain > hex", RunEncipher},
    {"decipher", "KEY < hex > plain", RunDecipher},
    {"eval", "[EXPRESSION...]  (else one a line from stdin)", RunEval},
    {"pack", "FOLDER OUT.pak", RunPack},
    {"unpack", "ARCHIVE [OUTDIR]  (no OUTDIR: lists NAME SIZE)", RunUnpack},
    {"cat", "[--app-dir DIR] PATH  (read through the resource reader)", RunCat},
    {"classes", "  (every registered class name, in registration order)", RunClasses},
    {"check", "APP_DIR  (lists faults of the game's data; status 1 when any)", RunCheck},
};

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage: kestrelle-data COMMAND [ARGS...]\n");
  for (const Subcommand& command : kSubcommands)
    std::fprintf(out, "  kestrelle-data %s %s\n", command.name, command.usage);
}
}  // namespace

bool ReadAllInput(std::string& bytes) {
  std::cin >> std::noskipws;
  bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
  return !std::cin.bad();
}

bool WriteAllOutput(const std::string& bytes) {
  std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  std::cout.flush();
  return static_cast<bool>(std::cout);
}

int Fail(const std::string& text) {
  std::fprintf(stderr, "kestrelle-data: %s\n", text.c_str());
  return 2;
}

}  // namespace kestrelle::data_tool

int main(int argc, char** argv) {
  using namespace kestrelle::data_tool;
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  std::string name = argv[1];
  if (name == "-h" || name == "--help" || name == "help") {
    PrintUsage(stdout);
    return 0;
  }
  for (const Subcommand& command : kSubcommands) {
    if (name == command.name) return command.run(Args(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "kestrelle-data: unknown command \"%s\"\n", name.c_str());
  PrintUsage(stderr);
  return 2;
}
