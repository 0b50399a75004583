// The real game meeting no display at all or no Assets folder beside it, and keys tapped faster than it
// draws.
#include "support/EndToEndTest.hpp"

#include <filesystem>
#include <sys/stat.h>

namespace {

// Runs a shell command; its output and error stream, and its exit status.
std::string runCommand(const std::string& command, int& status) {
    std::string text;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char buffer[256];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) {
        text += buffer;
    }
    const int result = pipe ? pclose(pipe) : -1;
    status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    return text;
}

// xdotool sends the press and the release of a key at once: the game sees both within one frame.
TEST_F(EndToEndTest, EscapeTappedOnTheControlsScreenReturnsToTheMenuTenTimesOutOfTen) {
    loadForm();
    const sf::Image menu = shot("menu");
    for (int attempt = 1; attempt <= 10; ++attempt) {
        clickWidget("controls");
        ASSERT_GT(differingShare(menu, shot("controls")), 0.15) << "the controls picture is shown";
        display.run("xdotool key Escape");
        waitSeconds(0.4);
        EXPECT_LT(differingShare(menu, shot("back")), 0.05) << "tap " << attempt << " was lost";
    }
}

TEST(NoDisplayTest, TheGameSaysItCannotOpenTheDisplayAndExits) {
    const std::string game = std::string(PELLOWICK_RUNTIME_DIR) + "/pellowick";
    int status = -1;
    EXPECT_EQ(runCommand("env -u DISPLAY " + game, status),
              "Pellowick: cannot open the display: DISPLAY is not set; start the game inside a graphical "
              "session\n");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(runCommand("env DISPLAY=:4093 " + game, status),
              "Pellowick: cannot open the display \":4093\" that DISPLAY names\n");
    EXPECT_EQ(status, 1);
}

TEST(StartupTest, WithoutAssetsBesideItTheGameSaysWhereItLookedAndExits) {
    const std::string folder = makeTempFolder();
    std::filesystem::copy_file(std::string(PELLOWICK_RUNTIME_DIR) + "/pellowick", folder + "/pellowick");
    int status = -1;
    const std::string output = runCommand(folder + "/pellowick", status);
    EXPECT_EQ(status, 1);
    // Beside itself, then where an installed game keeps its data.
    EXPECT_EQ(
        output.rfind("Pellowick: cannot find the Assets folder; looked for " + folder + "/Assets and /", 0),
        0u)
        << output;
    EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
    std::filesystem::remove_all(folder);
}

} // namespace
