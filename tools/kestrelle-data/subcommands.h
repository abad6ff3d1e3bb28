#pragma once
// The subcommands of kestrelle-data. A subcommand is a function taking the arguments after its
// name (stdin and stdout are its data) and returning the process exit code. Each one is
// declared here, defined in its own .cpp of this folder and listed in main.cpp.

#include <string>
#include <vector>

namespace kestrelle::data_tool {

using Args = std::vector<std::string>;

struct Subcommand {
  const char* name;
  const char* usage;  // the arguments, e.g. "KEY < plain > hex"
  int (*run)(const Args& args);
};

// Whole standard input as bytes, and bytes to standard output; false on a read or write error.
bool ReadAllInput(std::string& bytes);
bool WriteAllOutput(const std::string& bytes);
// "kestrelle-data: <text>" on standard error; returns 2, the exit code of a usage error.
int Fail(const std::string& text);

// cipher_commands.cpp
int RunEncipher(const Args& args);
int RunDecipher(const Args& args);

// eval_command.cpp
int RunEval(const Args& args);

// archive_commands.cpp
int RunPack(const Args& args);
int RunUnpack(const Args& args);

// reader_commands.cpp
int RunCat(const Args& args);

// classes_command.cpp
int RunClasses(const Args& args);

// check_command.cpp
int RunCheck(const Args& args);

}  // namespace kestrelle::data_tool
