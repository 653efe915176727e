#include "scrpack/commands/Utf8Arguments.h"

std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
    return std::vector<std::string>(argv, argv + argc);
}
