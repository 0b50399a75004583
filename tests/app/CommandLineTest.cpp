#include "app/CommandLine.hpp"

#include "input/KeyNames.hpp"
#include "storage/Settings.hpp"
#include "support/Files.hpp"
#include "support/ProgramRun.hpp"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

const std::string kGame = std::string(PELLOWICK_RUNTIME_DIR) + "/pellowick";
const std::string kUsage = "Usage: pellowick [OPTIONS]\n";

TEST(CommandLineTest, VersionHelpAndWrongOptionsAnswerWithoutOpeningAWindowAndTheWindowModeIsKeptForTheRun) {
    const std::string scratch = makeTempFolder("cli");
    const ProgramRun version = runWithoutDisplay(kGame + " --version", scratch);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Pellowick 1.0.0\n");
    EXPECT_EQ(version.err, "");

    const ProgramRun help = runWithoutDisplay(kGame + " --help", scratch);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* line : {"Usage: pellowick [OPTIONS]", "  -h,--help", "  --version", "  --map FILE",
                             "  --fullscreen", "  --window", "Keys (the defaults):"}) {
        EXPECT_NE(help.out.find(std::string("\n") + line), std::string::npos) << line << " in\n" << help.out;
    }
    // Every action's default key, shoot's Space among them, and where the keys are changed now.
    for (const std::string& action : Settings::actions()) {
        const std::string key = KeyNames::nameOf(Settings::defaultKey(action));
        EXPECT_NE(help.out.find("\n  " + key + "   "), std::string::npos) << action << " " << key << " in\n"
                                                                          << help.out;
    }
    EXPECT_NE(help.out.find("Options screen"), std::string::npos) << help.out;
    EXPECT_EQ(help.out.find("settings.toml"), std::string::npos) << help.out;

    // A wrong option is named with the usage, and the game exits with status 2.
    const std::pair<std::string, std::string> cases[] = {
        {"--bogus", "pellowick: The following argument was not expected: --bogus"},
        {"--bogus -x", "pellowick: The following arguments were not expected: --bogus -x"},
        {"--map", "pellowick: --map: 1 required FILE missing"},
        {"--map /no/such/level.tmx", "pellowick: --map: Path does not exist: /no/such/level.tmx"},
        {"--fullscreen --window", "pellowick: --fullscreen excludes --window"},
    };
    for (const auto& [arguments, line] : cases) {
        const ProgramRun run = runWithoutDisplay(kGame + " " + arguments, scratch);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.err, line + "\n" + kUsage) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
    }

    // In the player's language, CLI11's own words included.
    const ProgramRun german = runWithoutDisplay("env LANGUAGE=de " + kGame + " --help --bogus", scratch);
    for (const char* line : {"Aufruf: pellowick [OPTIONEN]", "Optionen:", "  -h,--help", "  --map DATEI",
                             "Diese Hilfe zeigen und beenden", "Tasten"}) {
        EXPECT_NE(german.out.find(line), std::string::npos) << line << " in\n" << german.out;
    }
    EXPECT_EQ(runWithoutDisplay("env LANGUAGE=de " + kGame + " --fullscreen --window", scratch).err,
              "pellowick: --fullscreen und --window gehen nicht zusammen\nAufruf: pellowick [OPTIONEN]\n");

    // --fullscreen and --window override the saved choice only when given.
    std::ostringstream out, err;
    const char* argv[] = {"pellowick", "--fullscreen"};
    EXPECT_EQ(CommandLine::parse(1, argv, out, err).options.fullscreen, std::nullopt);
    EXPECT_EQ(CommandLine::parse(2, argv, out, err).options.fullscreen, std::optional<bool>(true));
    argv[1] = "--window";
    EXPECT_EQ(CommandLine::parse(2, argv, out, err).options.fullscreen, std::optional<bool>(false));
    EXPECT_EQ(out.str() + err.str(), "");
}

// Each refusal names the file (relative paths are taken from the folder the game was started in), and so
// does a missing display or a missing Assets folder (looked for beside the game, then where an installed
// game keeps its data); the game exits with status 1 before a window opens.
TEST(CommandLineTest, WhatTheGameCannotPlayOrShowIsRefusedBeforeTheWindowOpens) {
    const std::string folder = makeTempFolder("cli");
    std::string level = readWholeFile(std::string(PELLOWICK_RUNTIME_DIR) + "/Assets/map.tmx");
    const std::string formula = "name=\"formula\"";
    ASSERT_NE(level.find(formula), std::string::npos);
    level.replace(level.find(formula), formula.size(), "name=\"formular\"");
    std::ofstream(folder + "/no-formula.tmx") << level;
    std::filesystem::create_directory(folder + "/folder.tmx");
    std::filesystem::copy_file(kGame, folder + "/pellowick");
    const std::string unplayable = ": the game cannot play this map\n";
    const std::pair<std::string, std::string> cases[] = {
        {kGame + " --map no-formula.tmx", folder +
                                              "/no-formula.tmx: error: object \"formula\": missing: the game "
                                              "needs an object of this name with type \"formula\"\n" +
                                              folder + "/no-formula.tmx" + unplayable},
        {kGame + " --map ./folder.tmx",
         folder + "/folder.tmx: is a folder\n" + folder + "/folder.tmx" + unplayable},
        {kGame, "Pellowick: cannot open the display: DISPLAY is not set; start the game inside a graphical "
                "session\n"},
        {"env DISPLAY=:4093 " + kGame, "Pellowick: cannot open the display \":4093\" that DISPLAY names\n"},
        {folder + "/pellowick",
         "Pellowick: cannot find the Assets folder; looked for " + folder + "/Assets and /"},
    };
    for (const auto& [command, start] : cases) {
        const ProgramRun run = runWithoutDisplay(command, folder);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.err.rfind(start, 0), 0u) << command << ":\n" << run.err;
        EXPECT_EQ(run.err.find('\n', start.size() - 1), run.err.size() - 1) << "one line more:\n" << run.err;
    }
}

} // namespace
