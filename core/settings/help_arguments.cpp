#include "core/settings/help_arguments.h"

#include <cstring>

EarlyRequest EarlyRequestOf(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* argument = argv[i];
        if (std::strcmp(argument, "--") == 0)
            break;
        if (std::strcmp(argument, "-h") == 0 || std::strcmp(argument, "--help") == 0)
            return EarlyRequest::Help;
        if (std::strcmp(argument, "--version") == 0)
            return EarlyRequest::Version;
    }
    return EarlyRequest::None;
}
