#include "support/EndToEndTest.hpp"

#include <algorithm>
#include <filesystem>

namespace {
namespace fs = std::filesystem;

// The game installed with `cmake --install` into a staging folder, which is then
// moved: nothing may depend on the prefix it was installed to.
class InstalledGameTest : public EndToEndTest {
protected:
    void SetUp() override {
        folder = makeTempFolder();
        const std::string stage = makeTempFolder();
        ASSERT_EQ(std::system((std::string(PELLOWICK_CMAKE) + " --install " + PELLOWICK_BINARY_DIR +
                               " --prefix " + stage + "/staged >" + stage + "/install.log")
                                  .c_str()),
                  0)
            << readWholeFile(stage + "/install.log");
        fs::rename(stage + "/staged", stage + "/moved");
        installed = stage + "/moved";

        // A copy of the level with one object the game skips, and says so when it loads the level.
        std::string level = readWholeFile(installed + "/share/pellowick/Assets/map.tmx");
        const std::string group = "<objectgroup id=\"5\" name=\"Objects\">";
        ASSERT_NE(level.find(group), std::string::npos);
        const std::size_t at = level.find(group) + group.size();
        markerLine =
            2 + static_cast<int>(std::count(level.begin(), level.begin() + static_cast<long>(at), '\n'));
        level.insert(at,
                     "\n  <object id=\"9999\" name=\"marker\" type=\"signpost\" x=\"0\" y=\"0\" width=\"8\" "
                     "height=\"8\"/>");
        std::ofstream(folder + "/level.tmx") << level;
        startGame({installed + "/bin/pellowick", "--map", "level.tmx"});
    }

    std::string installed;
    int markerLine = 0; // where the skipped object sits in the copy
};

TEST_F(InstalledGameTest, StartsFromAnotherFolderWithItsIconAndPlaysTheMapGivenOnTheCommandLine) {
    EXPECT_EQ(display.run("xdotool getwindowname " + window), "Pellowick\n");
    EXPECT_NE(display.run("xprop -id " + window + " _NET_WM_ICON | head -1").find("Icon (64 x 64)"),
              std::string::npos);
    EXPECT_TRUE(fs::is_symlink(installed + "/share/pellowick/Assets/arial.ttf"));

    loadForm();
    clickWidget("start");
    waitSeconds(1.5);
    EXPECT_NE(unexpectedErrors().find(folder + "/level.tmx:" + std::to_string(markerLine) +
                                      ": warning: object \"marker\": has the unknown type \"signpost\"; the "
                                      "game skips it\n"),
              std::string::npos)
        << unexpectedErrors();
    EXPECT_TRUE(closeAndWait());
}

} // namespace
