#include "support/EndToEndTest.hpp"

#include <fstream>
#include <sstream>

namespace {
class OptionsEndToEndTest : public EndToEndTest {
protected:
    OptionsEndToEndTest() { keysOnly = true; }
};

std::string fileText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(OptionsEndToEndTest, VolumesAndKeysChosenByKeysHoldInTheNextRun) {
    // Options from the menu, then the music slider: twenty steps of 5 down to silence.
    display.run("xdotool key --delay 400 Down Down Down Return Down");
    display.run("xdotool key --repeat 20 --delay 50 Left");
    tap("Down");
    tap("Left");
    tap("Right");  // effects back at 100, with an effect heard at each step
    tap("Down");   // LEFT's key
    tap("Return"); // press a key
    tap("j");
    tap("Escape");
    ASSERT_TRUE(display.requestClose(window));
    int status = -1;
    ASSERT_TRUE(game->waitForExit(10.0, status));
    const std::string settings = fileText(folder + "/config/pellowick/settings.toml");
    EXPECT_NE(settings.find("music = 0"), std::string::npos) << settings;
    EXPECT_NE(settings.find("effects = 100"), std::string::npos) << settings;
    EXPECT_NE(settings.find("LEFT = 'J'"), std::string::npos) << settings;

    startGame();
    display.run("xdotool key --delay 400 Down Return");
    waitSeconds(1.0);
    const sf::Image before = shot("before");
    display.run("xdotool keydown j sleep 0.5 keyup j");
    waitSeconds(0.3);
    EXPECT_GT(differingShare(before, shot("after")), 0.0) << "J walks";
    ASSERT_TRUE(display.requestClose(window));
    ASSERT_TRUE(game->waitForExit(10.0, status));

    // Music at 0: what is heard is the start button's effect and silence around it.
    sf::SoundBuffer heard;
    ASSERT_TRUE(heard.loadFromFile(folder + "/heard.wav"));
    const sf::Int16* samples = heard.getSamples();
    std::size_t loud = 0;
    for (std::size_t i = 0; i < heard.getSampleCount(); ++i) {
        loud += std::abs(samples[i]) > 100 ? 1 : 0;
    }
    EXPECT_GT(loud, 0u) << "the button's effect is heard";
    EXPECT_LT(loud, heard.getSampleRate() / 2) << "no music under it";
    EXPECT_EQ(unexpectedErrors().find("Pellowick:"), std::string::npos) << unexpectedErrors();
}
} // namespace
