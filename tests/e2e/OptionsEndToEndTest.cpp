#include "support/EndToEndTest.hpp"

namespace {
class OptionsEndToEndTest : public EndToEndTest {
protected:
    OptionsEndToEndTest() { keysOnly = true; }
};

TEST_F(OptionsEndToEndTest, VolumesAndKeysChosenByKeysHoldInTheNextRun) {
    // Options from the menu; opened by a key, it shows the focus on the music slider at once: twenty steps
    // of 5 down to silence.
    display.run("xdotool key --delay 400 Down Down Down Return");
    waitSeconds(0.4);
    // The music slider sits at (290, 82) in the 800x600 picture, 300 by 22: a light ring round it.
    const sf::Image options = shot("options");
    const sf::Vector2f ringLeft = windowCorner() + sf::Vector2f(286.5f, 93.0f);
    EXPECT_TRUE(near(options.getPixel(unsigned(ringLeft.x), unsigned(ringLeft.y)), sf::Color(255, 240, 200)))
        << "the focused slider shows its focus by a ring, not only a colour";
    display.run("xdotool key --repeat 20 --delay 50 Left");
    // Effects down and back at 100, an effect heard at each step; past the game speed to the key below the
    // slider's middle, in the second column; left to LEFT's key, in the first; J for it; and back.
    display.run("xdotool key --delay 600 Down Left Right Down Down Left Return j Escape");
    waitSeconds(0.6);
    ASSERT_TRUE(closeAndWait());
    const std::string settings = settingsText();
    EXPECT_NE(settings.find("music = 0"), std::string::npos) << settings;
    EXPECT_NE(settings.find("effects = 100"), std::string::npos) << settings;
    EXPECT_NE(settings.find("LEFT = 'J'"), std::string::npos) << settings;

    startGame();
    display.run("xdotool key --delay 400 Return");
    waitSeconds(1.0);
    const sf::Image before = shot("before");
    display.run("xdotool keydown j sleep 0.5 keyup j");
    waitSeconds(0.3);
    EXPECT_GT(differingShare(before, shot("after")), 0.0) << "J walks";
    ASSERT_TRUE(closeAndWait());

    // Music at 0: what is heard is the start button's effect and silence around it.
    const sf::SoundBuffer sound = heard();
    const auto loud = std::count_if(sound.getSamples(), sound.getSamples() + sound.getSampleCount(),
                                    [](sf::Int16 sample) { return std::abs(sample) > 100; });
    EXPECT_GT(loud, 0) << "the button's effect is heard";
    EXPECT_LT(loud, sound.getSampleRate() / 2) << "no music under it";
    EXPECT_EQ(unexpectedErrors().find("Pellowick:"), std::string::npos) << unexpectedErrors();
}
} // namespace
