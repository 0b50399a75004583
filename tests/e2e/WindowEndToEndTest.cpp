#include "support/EndToEndTest.hpp"

// The real game on a 1600x900 screen: fullscreen, a resized window, and the settings it keeps.
namespace {
class WindowEndToEndTest : public EndToEndTest {
protected:
    WindowEndToEndTest() : EndToEndTest("1600x900x24") {}

    std::string geometry() { return display.run("xdotool getwindowgeometry --shell " + window); }
};

TEST_F(WindowEndToEndTest, FullscreenAndAResizedWindowShowTheMenuLetterboxedAndClickable) {
    const std::string centred = "X=400\nY=150\nWIDTH=800\nHEIGHT=600";
    EXPECT_NE(geometry().find(centred), std::string::npos) << "the window starts in the middle of the screen";
    tap("F11");
    waitSeconds(1.0);
    findWindow();
    EXPECT_NE(geometry().find("WIDTH=1600\nHEIGHT=900"), std::string::npos) << "fullscreen fills the screen";
    EXPECT_NE(settingsText().find("fullscreen = true"), std::string::npos) << "the choice is saved at once";
    tap("F11");
    waitSeconds(1.0);
    findWindow();
    EXPECT_NE(geometry().find(centred), std::string::npos) << "back to the window, in the middle again";

    display.run("xdotool windowmove --sync " + window + " 0 0 windowsize --sync " + window + " 1600 900");
    waitSeconds(1.5);
    const sf::Image menu = shot("menu");
    for (unsigned x : {5u, 195u, 1405u, 1595u}) {
        EXPECT_TRUE(near(menu.getPixel(x, 450), sf::Color::Black)) << "a black bar at x " << x;
    }
    EXPECT_FALSE(near(menu.getPixel(800, 450), sf::Color::Black)) << "the menu fills the middle";

    // Each button drawn at 1.5 times its place in the form, right of the 200-pixel bar.
    loadForm();
    const auto scaled = [](sf::Vector2f point) { return sf::Vector2f(200.0f, 0.0f) + point * 1.5f; };
    auto controls = form.get<ui::Button>("controls");
    ASSERT_NE(controls, nullptr);
    const sf::Vector2f leftEdge =
        scaled(controls->getPosition() + sf::Vector2f(1.0f, controls->getSize().y / 2));
    EXPECT_TRUE(near(menu.getPixel(unsigned(leftEdge.x), unsigned(leftEdge.y)),
                     *controls->getRenderer()->getBorderColor()));
    clickAt(scaled(controls->getPosition() + controls->getSize() / 2.0f));
    EXPECT_GT(differingShare(menu, shot("controls")), 0.15) << "the scaled button opens the controls";
    tap("Escape");
    clickAt({100.0f, 450.0f}); // in a bar: nothing happens
    EXPECT_LT(differingShare(menu, shot("back")), 0.05);

    waitSeconds(0.5);
    EXPECT_NE(settingsText().find("width = 1600"), std::string::npos) << "the settled size is saved";
    EXPECT_EQ(unexpectedErrors(), "");
}
} // namespace
