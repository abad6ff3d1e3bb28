#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/engine_interface.h"

namespace kestrelle {

enum class CommandLineAction { RunGame, Install, Uninstall, RecordGame };

// Only the first argument counts, lower-cased; "--record" takes the file from the second.
CommandLineAction ParseCommandLine(const std::vector<std::string>& arguments);

// Runs the hooks or the game as the command line says ("--record FILE": the game, recorded into
// FILE; a missing or unwritable file is said on stderr and gives status 2). Every exception is swallowed; the
// result is the process exit status (0, since failures end the process quietly).
int RunMainRoutine(const std::vector<std::string>& arguments);

// Creates the engine by its registered name and drives it through Start, Run and Shutdown.
// True when Start succeeded. `made`, when given, is told of the engine as soon as it exists (the
// headless runner looks into the running game through it).
bool RunEngine(const std::string& gameFileName, const std::function<void(const EngineRef&)>& made = nullptr);

}  // namespace kestrelle
