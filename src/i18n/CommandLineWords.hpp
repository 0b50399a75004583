#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <string>

// CLI11's own words in a program's --help and usage line (Usage, Options, Excludes...), in the player's
// language, for the game and its tools alike.
class CommandLineWords {
public:
    // Gives the program the translated formatter, the translated "Options" heading and help flag, and a
    // --version flag printing `versionText`. Call it before the options are added.
    static void apply(CLI::App& app, const std::string& versionText);
    // The usage line after a refusal: "Usage: pellowick [OPTIONS]".
    static std::string usage(const CLI::App& app, const std::string& name);

private:
    static std::shared_ptr<CLI::Formatter> formatter();
};
