#include "app/CommandLine.hpp"

#include "support/EndToEndTest.hpp"
#include "support/ProgramRun.hpp"

#include <filesystem>

namespace {

const std::string kGame = std::string(PELLOWICK_RUNTIME_DIR) + "/pellowick";
const std::string kUsage = "Usage: pellowick [OPTIONS]\n";

TEST(CommandLineTest, VersionAndHelpAnswerWithoutOpeningAWindow) {
    const std::string scratch = makeTempFolder();
    const ProgramRun version = runWithoutDisplay(kGame + " --version", scratch);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Pellowick 1.0.0\n");
    EXPECT_EQ(version.err, "");

    const ProgramRun help = runWithoutDisplay(kGame + " --help", scratch);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* line :
         {"Usage: pellowick [OPTIONS]", "  -h,--help", "  --version", "  --map FILE", "  --fullscreen",
          "  --window", "Keys:", "  A, D, W, S", "  Escape", "  Space"}) {
        EXPECT_NE(help.out.find(std::string("\n") + line), std::string::npos) << line << " in\n" << help.out;
    }
}

TEST(CommandLineTest, AWrongOptionIsNamedWithTheUsageAndExitsWithStatusTwo) {
    const std::string scratch = makeTempFolder();
    const struct {
        std::string arguments;
        std::string line;
    } cases[] = {
        {"--bogus", "pellowick: The following argument was not expected: --bogus"},
        {"--map", "pellowick: --map: 1 required FILE missing"},
        {"--map /no/such/level.tmx", "pellowick: --map: Path does not exist: /no/such/level.tmx"},
        {"--fullscreen --window", "pellowick: --fullscreen excludes --window"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = runWithoutDisplay(kGame + " " + c.arguments, scratch);
        EXPECT_EQ(run.status, 2) << c.arguments;
        EXPECT_EQ(run.err, c.line + "\n" + kUsage) << c.arguments;
        EXPECT_EQ(run.out, "") << c.arguments;
    }
}

TEST(CommandLineTest, FullscreenAndWindowOverrideTheSavedChoiceOnlyWhenGiven) {
    std::ostringstream out, err;
    const char* plain[] = {"pellowick"};
    const char* fullscreen[] = {"pellowick", "--fullscreen"};
    const char* window[] = {"pellowick", "--window"};
    EXPECT_EQ(CommandLine::parse(1, plain, out, err).options.fullscreen, std::nullopt);
    EXPECT_EQ(CommandLine::parse(2, fullscreen, out, err).options.fullscreen, std::optional<bool>(true));
    EXPECT_EQ(CommandLine::parse(2, window, out, err).options.fullscreen, std::optional<bool>(false));
    EXPECT_EQ(out.str() + err.str(), "");
}

TEST(CommandLineTest, AMapTheGameCannotPlayIsRefusedBeforeTheWindowOpens) {
    const std::string folder = makeTempFolder();
    std::string level = readWholeFile(std::string(PELLOWICK_RUNTIME_DIR) + "/Assets/map.tmx");
    const std::string formula = "name=\"formula\"";
    ASSERT_NE(level.find(formula), std::string::npos);
    level.replace(level.find(formula), formula.size(), "name=\"formular\"");
    std::ofstream(folder + "/no-formula.tmx") << level;
    std::ofstream(folder + "/empty.tmx") << "";
    std::filesystem::create_directory(folder + "/folder.tmx");

    // Relative paths are taken from the folder the game was started in.
    const ProgramRun noFormula = runWithoutDisplay(kGame + " --map no-formula.tmx", folder);
    const std::string path = folder + "/no-formula.tmx";
    EXPECT_EQ(noFormula.status, 1);
    EXPECT_EQ(noFormula.err,
              path +
                  ": error: object \"formula\": missing: the game needs an object of this name "
                  "with type \"formula\"\n" +
                  path + ": the game cannot play this map\n");

    const ProgramRun empty = runWithoutDisplay(kGame + " --map ./empty.tmx", folder);
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, folder + "/empty.tmx: no <map> element\n" + folder +
                             "/empty.tmx: the game cannot play this map\n");

    const ProgramRun aFolder = runWithoutDisplay(kGame + " --map folder.tmx", folder);
    EXPECT_EQ(aFolder.status, 1);
    EXPECT_EQ(aFolder.err, folder + "/folder.tmx: is a folder\n" + folder +
                               "/folder.tmx: the game cannot play this map\n");
}

} // namespace
