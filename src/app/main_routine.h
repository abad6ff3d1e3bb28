#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/engine_interface.h"

namespace kestrelle {

enum class CommandLineAction { RunGame, Install, Uninstall };

// Only the first argument counts, lower-cased.
CommandLineAction ParseCommandLine(const std::vector<std::string>& arguments);

// Runs the hooks or the game as the command line says. Every exception is swallowed; the
// result is the process exit status (0, since failures end the process quietly).
int RunMainRoutine(const std::vector<std::string>& arguments);

// Creates the engine by its registered name and drives it through Start, Run and Shutdown.
// True when Start succeeded. `made`, when given, is told of the engine as soon as it exists (the
// headless runner looks into the running game through it).
bool RunEngine(const std::string& gameFileName, const std::function<void(const EngineRef&)>& made = nullptr);

}  // namespace kestrelle
