#pragma once
#include <ostream>

namespace CLI {
class App;
}

// Lists the transition effects, one "number  name" line each, in the names a manifest accepts.
void ListEffects(std::ostream& out);

// Adds "effects" to the command line.
void RegisterEffectsCommand(CLI::App& app);
