#include "scrpack/commands/EffectsCommand.h"

#include "transitions/EffectNames.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <string>

void ListEffects(std::ostream& out)
{
    for (int i = 0; i < kEffectCount; ++i) {
        char number[8];
        std::snprintf(number, sizeof number, "%3d", i);
        out << number << "  " << EffectName(i) << "\n";
    }
}

void RegisterEffectsCommand(CLI::App& app)
{
    CLI::App* effects = app.add_subcommand("effects",
                                           "List the " + std::to_string(kEffectCount) +
                                               " transition effects by number and by the name a manifest gives them");
    effects->callback([] { ListEffects(std::cout); });
}
