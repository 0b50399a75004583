#pragma once

#include <optional>
#include <ostream>
#include <string>

// What the player asked for when starting the game.
struct LaunchOptions {
    // The level to play, as an absolute path; empty for the level that comes with the game.
    std::string mapPath;
    // Fullscreen (true) or a window (false) for this run only; unset keeps the saved choice.
    std::optional<bool> fullscreen;
};

// The game's command line: --help, --version, --map FILE, --fullscreen and --window.
class CommandLine {
public:
    static constexpr int kExitFine = 0;
    static constexpr int kExitUsage = 2;

    struct Result {
        LaunchOptions options;
        // Set when the program should exit with this status instead of playing
        // (after --help or --version, or a usage error).
        std::optional<int> exitStatus;
    };

    // Help and version text go to `out`; a usage error goes to `err` as one line
    // naming the problem followed by the usage line. A relative map path is taken
    // from the working folder at the time of the call.
    static Result parse(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
};
