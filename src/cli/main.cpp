#include "cli/command.h"
#include "data/atomic_file.h"

#include <clocale>
#include <cstdio>
#include <cstring>
#include <string>

using namespace quorvane::cli;

namespace {

void PrintUsage(std::FILE* out) {
    std::fputs("usage: quorvane-cli <command> [options]\n\n", out);
    for (const Command& command : RegisteredCommands()) {
        std::fputs(command.usage, out);
        std::fputs("\n", out);
    }
    std::fputs("\nModes go by name or number: --variant average (0), high-sunshine (1),\n"
               "low-sunshine (2); --mode fixed-tilt (0), fixed-azimuth (1), orientation (2);\n"
               "--angle-mode also optimum-tilt (3), monthly-optimum (4), annual-optimum (5);\n"
               "--display month (0), orientation (1), variation (2).\n"
               "\nOn failure the reason goes to stderr and the exit code is 1;\n"
               "an unknown command or malformed options give exit code 2.\n",
               out);
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    quorvane::IgnoreFileSizeSignal();
    if (argc < 2) {
        PrintUsage(stderr);
        return kExitUsage;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0 ||
        std::strcmp(argv[1], "help") == 0) {
        PrintUsage(stdout);
        return kExitOk;
    }
    for (const Command& command : RegisteredCommands()) {
        if (command.name == std::string(argv[1])) {
            if (OutputIsProgramInput(argc - 1, argv + 1)) {
                return kExitFailure;
            }
            return command.run(argc - 1, argv + 1);
        }
    }
    std::fprintf(stderr, "quorvane-cli: unknown command '%s'\n\n", argv[1]);
    PrintUsage(stderr);
    return kExitUsage;
}
