#include "support/EndToEndTest.hpp"

namespace {
using MenuEndToEndTest = EndToEndTest;

TEST_F(MenuEndToEndTest, PlayerVisitsEveryMenuScreenMutesAndQuits) {
    EXPECT_EQ(display.run("xdotool getwindowname " + window), "Pellowick\n");
    const std::string geometry = display.run("xdotool getwindowgeometry --shell " + window);
    EXPECT_NE(geometry.find("WIDTH=800"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("HEIGHT=600"), std::string::npos) << geometry;
    loadForm();
    const auto field = [&](const std::string& key) {
        const std::size_t at = geometry.find(key + "=");
        return at == std::string::npos ? 0.0f : std::stof(geometry.substr(at + key.size() + 1));
    };
    const sf::Vector2f windowCorner(field("X"), field("Y"));

    // The menu shows each button of the form where the form puts it.
    const sf::Image menu = shot("menu");
    for (const char* name : {"start", "credits", "controls", "exit"}) {
        auto button = form.get<ui::Button>(name);
        ASSERT_NE(button, nullptr) << name;
        const auto border = button->getRenderer()->getBorderColor();
        ASSERT_TRUE(border.has_value()) << name;
        const sf::Vector2f leftEdge =
            windowCorner + button->getPosition() + sf::Vector2f(0.5f, button->getSize().y / 2.0f);
        EXPECT_TRUE(near(menu.getPixel(unsigned(leftEdge.x), unsigned(leftEdge.y)), *border)) << name;
    }

    clickWidget("controls");
    EXPECT_GT(differingShare(menu, shot("controls")), 0.15) << "the controls picture is shown";
    tap("Escape");
    EXPECT_LT(differingShare(menu, shot("back")), 0.05) << "Escape returns to the menu";

    clickWidget("credits");
    EXPECT_GT(differingShare(menu, shot("credits")), 0.15) << "the credits picture is shown";
    tap("Escape");

    clickWidget("audio");
    waitSeconds(1.5);
    clickWidget("exit");
    int status = -1;
    ASSERT_TRUE(game->waitForExit(10.0, status)) << "exit closes the game";
    EXPECT_EQ(status, 0);

    EXPECT_EQ(unexpectedErrors(), "") << "no error lines while using the menu";

    // What OpenAL played: music first, silence after the audio box was cleared.
    sf::SoundBuffer heard;
    ASSERT_TRUE(heard.loadFromFile(folder + "/heard.wav"));
    const sf::Int16* samples = heard.getSamples();
    const std::size_t rate = heard.getSampleRate() * heard.getChannelCount();
    ASSERT_GT(heard.getSampleCount(), 4 * rate);
    const auto loudest = [&](std::size_t from, std::size_t to) {
        int peak = 0;
        for (std::size_t i = from; i < to; ++i) {
            peak = std::max(peak, std::abs(int(samples[i])));
        }
        return peak;
    };
    const std::size_t end = heard.getSampleCount();
    EXPECT_GT(loudest(0, end - 2 * rate), 1000) << "the music played";
    EXPECT_LT(loudest(end - rate, end), 50) << "muted: nothing is heard";
}

} // namespace
