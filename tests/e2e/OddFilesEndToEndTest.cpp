// The real game meeting things that are not files where its files should be, no display at all, and
// keys tapped faster than it draws.
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

// A copy of the game beside its own Assets/, broken by Break before the game starts.
template <void (*Break)(const std::string& assets)> class BrokenGameTest : public EndToEndTest {
protected:
    void prepare() override {
        namespace fs = std::filesystem;
        fs::create_directory(folder + "/game");
        fs::copy(std::string(PELLOWICK_RUNTIME_DIR) + "/Assets", folder + "/game/Assets",
                 fs::copy_options::recursive);
        fs::copy_file(std::string(PELLOWICK_RUNTIME_DIR) + "/pellowick", folder + "/game/pellowick");
        Break(folder + "/game/Assets");
        program = folder + "/game/pellowick";
    }
    void TearDown() override {
        game.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder + "/game", ignored);
    }
    void expectClosesWithinASecond() {
        ASSERT_TRUE(display.requestClose(window));
        int status = -1;
        EXPECT_TRUE(game->waitForExit(1.0, status)) << "the game did not close";
        EXPECT_EQ(status, 0);
    }
    std::string errors() const {
        std::ifstream file(folder + "/stderr.txt");
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
};

void musicAsFolder(const std::string& assets) {
    std::filesystem::remove(assets + "/Sounds/music.wav");
    std::filesystem::create_directory(assets + "/Sounds/music.wav");
}
void mapAsPipe(const std::string& assets) {
    std::filesystem::remove(assets + "/map.tmx");
    mkfifo((assets + "/map.tmx").c_str(), 0600);
}

using MusicIsAFolderTest = BrokenGameTest<musicAsFolder>;
using MapIsAPipeTest = BrokenGameTest<mapAsPipe>;

TEST_F(MusicIsAFolderTest, TheMenuStillClosesOnRequest) {
    expectClosesWithinASecond();
    EXPECT_NE(errors().find("Assets/Sounds/music.wav: is a folder\n"), std::string::npos) << errors();
}

TEST_F(MapIsAPipeTest, StartReturnsToTheMenuWhichStillClosesOnRequest) {
    loadForm();
    clickWidget("start");
    expectClosesWithinASecond();
    EXPECT_NE(errors().find("Assets/map.tmx: is not a regular file\n"), std::string::npos) << errors();
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

TEST(MapCheckToolTest, AFolderGivenAsTheMapIsReportedNotRead) {
    const std::string folder = makeTempFolder();
    int status = -1;
    EXPECT_EQ(runCommand(std::string(PELLOWICK_RUNTIME_DIR) + "/pellowick-mapcheck " + folder, status),
              folder + ": is a folder\n");
    EXPECT_EQ(status, 1);
    std::filesystem::remove_all(folder);
}

} // namespace
